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

TEST(parseFactions, FallenUnlessFALSEOrfalseAndReadUpToTheCount) {
    FactionTable t;
    parseFactions(kFactions, 3, t);
    EXPECT_EQ(t[0].name, "某国");
    EXPECT_TRUE(t[0].del);
    EXPECT_EQ(formatFactions(t, 3), crlf({".1", "董卓", "0,1,180,30,60,50,70,75", "\"FALSE\"",  //
                                          ".2", "袁紹", "2,5,120,20,90,60,65,40", "\"FALSE\"",  //
                                          ".3", "曹操", "2,8,40,10,70,70,80,20", "\"TRUE\""}));
    // The record numbered as the count is the last one read.
    parseFactions(kFactions, 2, t);
    EXPECT_EQ(t[2].name, "袁紹");
    EXPECT_EQ(t[3].name, "");
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
    EXPECT_EQ(firstLackingFaction(parseFactionFile(crlf({".1", "乙", "0,2,2,3,4,5,6,7", "\"TRUE\""})), 1), 0);
}

// Names and picture names that the writers write bare: one a bare line cannot hold (a comma, a blank
// at an end, a leading ".") used to come back split into other fields after the next year's rewrite.
TEST(bareOrQuoted, QuotesOnlyWhatABareLineCannotHold) {
    EXPECT_EQ(bareOrQuoted("曹操"), "曹操");
    EXPECT_EQ(bareOrQuoted(""), "");
    EXPECT_EQ(bareOrQuoted("曹,操"), "\"曹,操\"");
    EXPECT_EQ(bareOrQuoted(" 張遼"), "\" 張遼\"");
    EXPECT_EQ(bareOrQuoted(".5"), "\".5\"");
    EXPECT_EQ(bareOrQuoted("a\"b"), "a\"b");  // a quote past the first character stands bare
    EXPECT_TRUE(readsBack("a\"b"));
    EXPECT_FALSE(readsBack("a\",b"));  // neither form can hold it
    EXPECT_FALSE(readsBack("\"ab"));
}

// A hand-edited text (a comma, a leading stop, a quote inside) reads back whichever writer writes it:
// the writers that put every text in double quotes write one holding a quote bare instead, where the
// quote is kept. So are a picture name and a fallen flag.
TEST(appendFields, AHandEditedTextReadsBackFromEveryWriter) {
    for (const char* name : {"曹,操", ".曹操", "曹\"孟徳\""}) {
        SCOPED_TRACE(name);
        const Bushou officer{7, name, 9, 7, 8, 6, 5, 4, 1, 0, 5, name, 12};
        for (RecordWriter w : {RecordWriter::WholeFile, RecordWriter::NewGame, RecordWriter::Editor}) {
            SCOPED_TRACE(static_cast<int>(w));
            std::string record = ".7\r\n";
            appendFields(record, officer, w);
            OfficerFile back = parseOfficerFile(record);
            ASSERT_EQ(back.size(), 1u);
            EXPECT_EQ(back[0].officer.name, name);
            EXPECT_EQ(back[0].officer.Setu, 4);
            EXPECT_EQ(back[0].officer.jpg, name);
            EXPECT_EQ(back[0].officer.commentID, 12);
        }
        gun faction;
        faction.name = name;
        faction.army = 120;
        const std::string flag = name;
        for (RecordWriter w : {RecordWriter::WholeFile, RecordWriter::OneFaction}) {
            SCOPED_TRACE(static_cast<int>(w));
            std::string record = ".2\r\n";
            appendFields(record, faction, w, &flag);
            FactionFile back = parseFactionFile(record);
            ASSERT_EQ(back.size(), 1u);
            EXPECT_EQ(back[0].faction.name, name);
            EXPECT_EQ(back[0].faction.army, 120);
            EXPECT_EQ(back[0].fallen, flag);
        }
    }
    // Quoted as always when there is no quote to keep.
    std::string plain = ".7\r\n";
    appendFields(plain, Bushou{7, "曹,操", 9, 7, 8, 6, 5, 4, 1, 0, 5, "sousou", 12}, RecordWriter::NewGame);
    EXPECT_EQ(plain, crlf({".7", "\"曹,操\"", "9,7,8,6", "5,4", "1,5", "\"sousou\"", "12"}));
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
    auto yuan = s.ld_Gun_rtn(2);
    ASSERT_TRUE(yuan);
    EXPECT_EQ(yuan->id, 2);
    EXPECT_EQ(yuan->name, "袁紹");
    EXPECT_EQ(yuan->army, 120);
    EXPECT_FALSE(yuan->del);             // "false"
    EXPECT_FALSE(s.ld_Gun_rtn(3)->del);  // "yes" is not "TRUE"
    factionCount = 1;                    // record 2 lies beyond the count and ends the search: no name
    EXPECT_EQ(s.ld_Gun_rtn(3)->name, "");
    EXPECT_FALSE(s.ld_Gun_rtn(3)->del);
    factionCount = 3;
    EXPECT_FALSE(s.ld_Gun_rtn(9));  // not in the file

    // The flag decides only when the record has it; a field the record lacks is a fresh record's.
    tmp.writeIni("gunsv.ini", crlf({".1", "董卓", "0,1,1,1,1,1,1,1", "\"TRUE\"", ".2", "袁紹", "2,5,1,1,1,1,1"}));
    EXPECT_TRUE(s.ld_Gun_rtn(1)->del);
    EXPECT_FALSE(s.ld_Gun_rtn(2)->del);
    EXPECT_EQ(s.ld_Gun_rtn(2)->ifu, 0);
}

// A record read is the file's alone: fields a record lacks are a fresh record's, never those of the
// record read before it.
TEST_F(ScratchTest, ld_Chr_rtnReadsOneOfficerAndNobodyBeyondTheCount) {
    tmp.writeIni("busv.ini", kOfficers + crlf({".3", "陳宮", "4,2"}));
    officerCount = 3;
    Bushou lu = s.ld_Chr_rtn(2);
    EXPECT_EQ(lu.id, 2);
    EXPECT_EQ(lu.name, "呂布");
    EXPECT_EQ(lu.fight, 10);
    EXPECT_EQ(lu.jpg, "ryofu");
    EXPECT_EQ(s.ld_Chr_rtn(1).charm, 4);
    Bushou chen = s.ld_Chr_rtn(3);
    EXPECT_EQ(chen.fight, 2);
    EXPECT_EQ(chen.wisdom, 0);
    EXPECT_EQ(chen.charm, 0);
    EXPECT_EQ(chen.jpg, "");
    EXPECT_EQ(s.ld_Chr_rtn(4).name, "何某");  // not in the file
    officerCount = 1;                         // beyond the count: nobody
    EXPECT_EQ(s.ld_Chr_rtn(2).name, "何某");
    EXPECT_EQ(s.ld_Chr_rtn(2).id, 0);
}

TEST_F(ScratchTest, ColumnReadersTakeSelectorsOneToEightOnly) {
    RecordColumn jobs = s.ld_Abl_rtn(8);
    EXPECT_EQ(jobs[1], 5);
    EXPECT_EQ(jobs[2], 4);
    EXPECT_EQ(s.ld_Abl_rtn(1)[1], 3);  // policy
    EXPECT_EQ(s.ld_gAbl_rtn(3)[3], 40);
    EXPECT_EQ(s.ld_gAbl_rtn(8)[1], 75);
    EXPECT_EQ(s.ld_gAbl_rtn(1)[2], 2);
    for (int selector : {0, 9}) {
        SCOPED_TRACE(selector);
        EXPECT_EQ(s.ld_Abl_rtn(selector), RecordColumn{});
        EXPECT_EQ(s.ld_gAbl_rtn(selector), RecordColumn{});
    }
    // A record cut short before the field gives 0 there.
    tmp.writeIni("busv.ini", crlf({".1", "甲", "1,2,3,4", "5,6", "7"}));
    EXPECT_EQ(s.ld_Abl_rtn(7)[1], 7);
    EXPECT_EQ(s.ld_Abl_rtn(8)[1], 0);
}

TEST_F(ScratchTest, ld_gID_rtnFindsTheLastFactionOfARulerAndKeepsTheOneFoundBefore) {
    EXPECT_EQ(s.ld_gID_rtn(5), 0);  // the rulers are not read yet
    s.ld_Kunshu_rtn();
    EXPECT_EQ(s.rulerOf(1), 1);
    EXPECT_EQ(s.rulerOf(2), 5);
    EXPECT_EQ(s.rulerOf(3), 8);
    EXPECT_EQ(s.ld_gID_rtn(5), 2);
    EXPECT_EQ(s.ld_gID_rtn(77), 2);  // no such ruler: the faction found before
    EXPECT_EQ(s.ld_gID_rtn(1), 1);
    EXPECT_EQ(s.ld_gID_rtn(0), 1);
    tmp.writeIni("gunsv.ini", crlf({".1", "甲", "0,8,1,1,1,1,1,1", "\"FALSE\"",  //
                                    ".2", "乙", "0,8,1,1,1,1,1,1", "\"FALSE\""}));
    factionCount = 2;
    s.ld_Kunshu_rtn();
    EXPECT_EQ(s.ld_gID_rtn(8), 2);  // two factions of one ruler: the last
}

// The rewrite quotes every name and keeps each flag as read; the file before it becomes gunimg.ini.
TEST_F(ScratchTest, sv_Gun_rtnRewritesOneRecordQuotingNamesAndFlagsAsRead) {
    gun other;
    other.army = 1;
    s.sv_Gun_rtn(12, other);  // not in the file: only the quoting changes
    EXPECT_EQ(tmp.readIni("gunsv.ini"), crlf({".1", "\"董卓\"", "0,1,180,30,60,50,70,75", "\"FALSE\"",  //
                                              ".2", "\"袁紹\"", "2,5,120,20,90,60,65,40", "\"false\"",  //
                                              ".3", "\"曹操\"", "2,8,40,10,70,70,80,20", "\"yes\""}));
    EXPECT_EQ(tmp.readIni("gunimg.ini"), kFactions);

    gun yuan = *s.ld_Gun_rtn(2);
    yuan.tian = 99;
    yuan.name = "ignored";
    yuan.del = true;
    s.sv_Gun_rtn(2, yuan);
    EXPECT_NE(tmp.readIni("gunsv.ini").find(crlf({".2", "\"袁紹\"", "2,5,120,20,90,99,65,40", "\"false\""})),
              std::string::npos);

    // A record without its flag gets an empty one.
    tmp.writeIni("gunsv.ini", crlf({".1", "董卓", "0,1,180,30,60,50,70,75"}));
    s.sv_Gun_rtn(1, *s.ld_Gun_rtn(1));
    EXPECT_EQ(tmp.readIni("gunsv.ini"), crlf({".1", "\"董卓\"", "0,1,180,30,60,50,70,75", "\"\""}));
}

}  // namespace
}  // namespace tei
