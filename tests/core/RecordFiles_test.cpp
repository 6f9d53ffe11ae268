#include "core/RecordFiles.h"

#include <gtest/gtest.h>

#include "core/OfficerRecordFile.h"
#include "core/RecordScratch.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

// Two officers, the second with a quoted name and its values split over other lines than usual.
const std::string kOfficers = crlf({".1", "董卓", "3,8,6,7", "4,2", "1,5", "\"toutaku\"", "11",  //
                                    ".2", "\"呂布\"", "2,10", "3,5,1,1,1", "4", "\"ryofu\",0"});

const std::string kFactions = crlf({".1", "董卓", "0,1,180,30,60,50,70,75", "\"FALSE\"",      //
                                    ".2", "\"袁紹\"", "2,5,120,20,90,60,65,40", "\"false\"",  //
                                    ".3", "曹操", "2,8,40,10,70,70,80,20", "\"yes\""});

// Reading and writing back gives the standard layout: every value in its place, names bare,
// pictures quoted, and the table's entry 0 left as the placeholder.
TEST(parseOfficers, ReadsValuesSplitOverOtherLinesAndWritesTheStandardLayout) {
    OfficerTable t;
    parseOfficers(kOfficers, 2, t);
    EXPECT_EQ(t[0].name, "何某");
    EXPECT_EQ(t[0].jpg, "zouhyou1");
    EXPECT_EQ(formatOfficers(t, 2), crlf({".1", "董卓", "3,8,6,7", "4,2", "1,5", "\"toutaku\"", "11",  //
                                          ".2", "呂布", "2,10,3,5", "1,1", "1,4", "\"ryofu\"", "0"}));
}

TEST(parseOfficers, BadRecordsAreSkippedOrKeepTheirInitialValues) {
    std::string text =
        crlf({".0", "零", "1,1,1,1", "1,1", "0,1", "x", "0"}) + crlf({".-4", "負", "1,1,1,1", "1,1", "0,1", "x", "0"}) +
        crlf({".5", "五", "abc,12abc,99999,-99999", "1,1", "0,3"}) +                          // cut short here
        crlf({".6", "六", "4,4,4,4", "4,4", "0,2", "\"p\"", "0"}) + crlf({".7", "七", "2"});  // cut by the file's end
    OfficerTable t;
    parseOfficers(text, 170, t);
    EXPECT_EQ(t[0].name, "何某");  // record 0 never replaces the placeholder
    EXPECT_EQ(t[5].name, "五");
    EXPECT_EQ(t[5].policy, 0);
    EXPECT_EQ(t[5].fight, 12);
    EXPECT_EQ(t[5].wisdom, 32767);
    EXPECT_EQ(t[5].tactics, -32768);
    EXPECT_EQ(t[5].Job, 3);
    EXPECT_EQ(t[5].jpg, "");  // the next record's marker ended this one
    EXPECT_EQ(t[6].name, "六");
    EXPECT_EQ(t[6].jpg, "p");
    EXPECT_EQ(t[7].policy, 2);
    EXPECT_EQ(t[7].fight, 1);  // initial value
    EXPECT_EQ(t[8].name, "何某");
}

TEST(parseOfficers, StopsAfterTheRecordThatReachesTheCount) {
    OfficerTable t;
    parseOfficers(kOfficers, 1, t);
    EXPECT_EQ(t[1].name, "董卓");
    EXPECT_EQ(t[2].name, "何某");
    // A number beyond the table is not stored, and being above the count it ends the load.
    parseOfficers(crlf({".300", "大", "1,1,1,1", "1,1", "0,1", "x", "0"}) + kOfficers, 170, t);
    EXPECT_EQ(t[1].name, "何某");
}

TEST(parseFactions, FallenFlagFalseOnlyForFALSEOrfalse) {
    FactionTable t;
    parseFactions(kFactions, 3, t);
    EXPECT_EQ(t[0].name, "某国");
    EXPECT_TRUE(t[0].del);
    EXPECT_EQ(formatFactions(t, 3), crlf({".1", "董卓", "0,1,180,30,60,50,70,75", "\"FALSE\"",  //
                                          ".2", "袁紹", "2,5,120,20,90,60,65,40", "\"FALSE\"",  //
                                          ".3", "曹操", "2,8,40,10,70,70,80,20", "\"TRUE\""}));
}

// A record is whole with its last field and lacking without it: the loaders take what is there, and
// the resolution refuses a file whose record lacks even the last field.
TEST(firstLacking, ARecordWithoutItsLastFieldIsNotWhole) {
    const std::string officer10 = crlf({".1", "甲", "1,1,1,1", "1,1", "0,1", "\"p\""});  // no commentID
    const std::string officer11 = crlf({".1", "甲", "1,1,1,1", "1,1", "0,1", "\"p\"", "7"});
    EXPECT_EQ(parseOfficerFile(officer10).front().fields, 10);
    EXPECT_EQ(firstLackingOfficer(parseOfficerFile(officer10), 1), 1);
    EXPECT_EQ(firstLackingOfficer(parseOfficerFile(officer11), 1), 0);

    const std::string faction9 = crlf({".1", "甲", "0,1,2,3,4,5,6,7", ".2", "乙", "0,2,2,3,4,5,6,7", "\"TRUE\""});
    FactionFile f = parseFactionFile(faction9);
    EXPECT_EQ(f[0].fields, 9);
    EXPECT_FALSE(f[0].hasFlag());
    EXPECT_EQ(f[0].fallen, "FALSE");
    EXPECT_TRUE(f[1].hasFlag());
    EXPECT_EQ(firstLackingFaction(f, 2), 1);
    EXPECT_EQ(firstLackingFaction(f, 1), 1);
    EXPECT_EQ(firstLackingFaction(parseFactionFile(crlf({".1", "乙", "0,2,2,3,4,5,6,7", "\"TRUE\""})), 1), 0);
}

TEST(deriveFactions, OfficersFollowTheirLordsFaction) {
    OfficerTable o;
    FactionTable f;
    parseOfficers(kOfficers, 2, o);
    parseFactions(kFactions, 3, f);
    o[2].kunID = 8;
    o[2].gunID = 9;  // set by nobody; kept when no faction matches
    deriveFactions(o, f, 2, 3);
    EXPECT_EQ(o[1].gunID, 1);
    EXPECT_EQ(o[2].gunID, 3);
    o[2].kunID = 0;
    o[2].gunID = 0;
    deriveFactions(o, f, 2, 3);
    EXPECT_EQ(o[2].gunID, 0);
}

TEST(RecordTables, MissingOrGarbledFileIsAnErrorNamingIt) {
    TempGameFolder tmp;
    RecordTables t;
    try {
        t.ld_Chr(tmp.folder(), 170);
        FAIL() << "no error for a missing file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::Missing);
        EXPECT_EQ(e.message(), "ファイル「ini/busv.ini」が見つかりません。");
    }
    tmp.writeIni("gunsv.ini", ".1\r\n\x93\xEC\x8B\x9E\r\n");  // Shift-JIS bytes
    try {
        t.ld_Gun(tmp.folder(), 13);
        FAIL() << "no error for a file that is not UTF-8";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), "ファイル「ini/gunsv.ini」は UTF-8 のテキストではありません。");
    }
}

// Names and picture names that the writers write bare: one a bare line cannot hold (a comma, a blank
// at an end, a leading ".") used to come back split into other fields after the next year's rewrite.
TEST(bareOrQuoted, QuotesOnlyWhatABareLineCannotHold) {
    EXPECT_EQ(bareOrQuoted("曹操"), "曹操");
    EXPECT_EQ(bareOrQuoted(""), "");
    EXPECT_EQ(bareOrQuoted("曹,操"), "\"曹,操\"");
    EXPECT_EQ(bareOrQuoted(" 張遼"), "\" 張遼\"");
    EXPECT_EQ(bareOrQuoted(".5"), "\".5\"");
    EXPECT_EQ(bareOrQuoted("a\"b"), "a\"b");  // no writing of it reads back; left as it was
}

TEST(bareOrQuoted, AHandEditedNameWithACommaSurvivesEveryWriter) {
    OfficerTable officers{};
    officers[1] = Bushou{1, "曹,操", 9, 7, 8, 6, 5, 4, 1, 0, 5, "sou,sou", 12};
    OfficerTable back{};
    parseOfficers(formatOfficers(officers, 1), 1, back);
    EXPECT_EQ(back[1].name, "曹,操");
    EXPECT_EQ(back[1].policy, 9);
    EXPECT_EQ(back[1].Setu, 4);
    EXPECT_EQ(back[1].jpg, "sou,sou");
    EXPECT_EQ(back[1].commentID, 12);

    FactionTable factions{};
    factions[1].name = ".袁紹";
    factions[1].army = 120;
    factions[1].del = true;
    FactionTable fback{};
    parseFactions(formatFactions(factions, 1), 1, fback);
    EXPECT_EQ(fback[1].name, ".袁紹");
    EXPECT_EQ(fback[1].army, 120);
    EXPECT_TRUE(fback[1].del);

    // The officer editor's one-record rewrite.
    std::string file = crlf({".1", "\"曹,操\"", "9,7,8,6", "5,4", "1,5", "sousou", "12"});
    Bushou edited = *parseOfficerRecord(file, 1);
    EXPECT_EQ(edited.name, "曹,操");
    edited.fight = 10;
    auto again = parseOfficerRecord(replaceOfficerRecord(file, edited), 1);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->name, "曹,操");
    EXPECT_EQ(again->fight, 10);
    EXPECT_EQ(again->commentID, 12);
}

class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.writeIni("busv.ini", kOfficers);
        tmp.writeIni("gunsv.ini", kFactions);
    }
    TempGameFolder tmp;
    int16_t officerCount = 2;
    int16_t factionCount = 3;
    RecordScratch s{tmp.folder(), officerCount, factionCount};
};

TEST_F(ScratchTest, ld_Gun_rtnReportsAliveForEveryTextButTRUEAndNoNameBeyondTheCount) {
    s.recordNo = 2;
    EXPECT_TRUE(s.ld_Gun_rtn());
    EXPECT_EQ(s.faction.name, "袁紹");
    EXPECT_EQ(s.faction.army, 120);
    s.recordNo = 3;
    EXPECT_TRUE(s.ld_Gun_rtn());  // "yes" is not "TRUE"
    factionCount = 1;             // beyond the count the name is emptied
    s.faction.name = "前";
    EXPECT_TRUE(s.ld_Gun_rtn());
    EXPECT_EQ(s.faction.name, "");
    factionCount = 3;
    tmp.writeIni("gunsv.ini", crlf({".1", "董卓", "0,1,1,1,1,1,1,1", "\"TRUE\""}));
    s.recordNo = 1;
    EXPECT_FALSE(s.ld_Gun_rtn());
    s.recordNo = 9;  // not in the file
    EXPECT_TRUE(s.ld_Gun_rtn());
}

TEST_F(ScratchTest, ColumnAndRecordReadersAndRulerLookup) {
    s.fieldSelector = 8;  // Job
    s.ld_Abl_rtn();
    EXPECT_EQ(s.values[1], 5);
    EXPECT_EQ(s.values[2], 4);
    s.fieldSelector = 3;  // army
    s.ld_gAbl_rtn();
    EXPECT_EQ(s.values[3], 40);
    s.ld_Kunshu_rtn();
    EXPECT_EQ(s.rulerOf[1], 1);
    EXPECT_EQ(s.rulerOf[2], 5);
    EXPECT_EQ(s.rulerOf[3], 8);
    s.recordNo = 5;
    s.ld_gID_rtn();
    EXPECT_EQ(s.currentFaction, 2);
    s.recordNo = 77;  // no such ruler: the faction found before stays
    s.ld_gID_rtn();
    EXPECT_EQ(s.currentFaction, 2);

    s.recordNo = 2;
    s.ld_Chr_rtn();
    EXPECT_EQ(s.officer.name, "呂布");
    EXPECT_EQ(s.officer.fight, 10);
    officerCount = 1;  // beyond the count: nobody
    s.ld_Chr_rtn();
    EXPECT_EQ(s.officer.name, "何某");
}

// The rewrite quotes every name and keeps each flag as read; the file before it becomes gunimg.ini.
TEST_F(ScratchTest, sv_Gun_rtnRewritesOneRecordQuotingNamesAndFlagsAsRead) {
    s.recordNo = 12;  // not in the file: only the quoting changes
    s.faction.army = 1;
    s.sv_Gun_rtn();
    EXPECT_EQ(tmp.readIni("gunsv.ini"), crlf({".1", "\"董卓\"", "0,1,180,30,60,50,70,75", "\"FALSE\"",  //
                                              ".2", "\"袁紹\"", "2,5,120,20,90,60,65,40", "\"false\"",  //
                                              ".3", "\"曹操\"", "2,8,40,10,70,70,80,20", "\"yes\""}));
    EXPECT_EQ(tmp.readIni("gunimg.ini"), kFactions);

    s.recordNo = 2;
    ASSERT_TRUE(s.ld_Gun_rtn());
    s.faction.tian = 99;
    s.faction.name = "ignored";
    s.sv_Gun_rtn();
    EXPECT_NE(tmp.readIni("gunsv.ini").find(crlf({".2", "\"袁紹\"", "2,5,120,20,90,99,65,40", "\"false\""})),
              std::string::npos);
}

}  // namespace
}  // namespace tei
