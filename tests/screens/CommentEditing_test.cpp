#include "screens/CommentEditing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/OfficerRecordFile.h"
#include "core/Random.h"
#include "setup/ScenarioSetup.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

const std::string kOfficers = crlf({".1", "董卓", "3,8,6,7", "4,2", "1,5", "toutaku",  "1",  //
                                    ".2", "李儒", "5,3,8,5", "3,4", "1,6", "riju",     "0",  //
                                    ".3", "甲某", "3,3,3,3", "3,3", "1,2", "zouhyou1", "200"});
// Record 200 would never be looked up; text outside a record belongs to none.
const std::string kComments = crlf({".1", "董卓", "暴政を敷いた。", ".",  //
                                    "迷子の行",                           //
                                    ".3", "呂布", "飛将。", ".",          //
                                    ".200", "架空", "読まれない。", "."});

// Scenario 1's master: the historical officers 1 and 2; 3 is fictional.
const std::string kMaster = crlf({".1", "董卓", "3,8,6,7", "4,2", "1,5", "toutaku", "1",  //
                                  ".2", "李儒", "5,3,8,5", "3,4", "1,6", "riju", "0"});

struct CommentFiles {
    TempGameFolder tmp;
    CommentFiles(const std::string& comments = kComments) {
        tmp.writeIni("busv.ini", kOfficers);
        tmp.writeIni("bushou1.ini", kMaster);
        tmp.writeIni("Cmtsv.ini", comments);
    }
    Bushou officer(int n) const { return *parseOfficerRecord(tmp.readIni("busv.ini"), n); }
};

TEST(sv_Cmt_rtn, OfficerWithoutCommentGetsANewRecordAndLaterEditsRewriteIt) {
    for (int id : {2, 3}) {  // commentID 0 and the fictional 200
        SCOPED_TRACE(id);
        CommentFiles f;
        Bushou b = f.officer(id);
        auto out = sv_Cmt_rtn(f.tmp.folder(), 1, b, b.name, "  一行目\n  二行目\n");
        ASSERT_TRUE(out.ok) << out.message;
        EXPECT_EQ(b.commentID, 4);
        EXPECT_EQ(f.tmp.readIni("Cmtsv.ini"), crlf({".1", "董卓", "暴政を敷いた。", ".",  //
                                                    ".3", "呂布", "飛将。", ".",          //
                                                    ".4", b.name, "一行目", "二行目", "."}));
        EXPECT_EQ(f.tmp.readIni("Cmtimg.ini"), kComments);
        EXPECT_EQ(f.officer(id).commentID, 4);
        // The master's record takes the number too; a fictional officer has none there.
        EXPECT_EQ(parseOfficerRecord(f.tmp.readIni("bushou1.ini"), 2)->commentID, id == 2 ? 4 : 0);
        EXPECT_EQ(parseOfficerRecord(f.tmp.readIni("bushou1.ini"), 1)->commentID, 1);

        // The next edit finds record 4 and rewrites it where it stands.
        std::string officersBefore = f.tmp.readIni("busv.ini");
        out = sv_Cmt_rtn(f.tmp.folder(), 1, b, b.name, "書き直し");
        ASSERT_TRUE(out.ok);
        EXPECT_EQ(b.commentID, 4);
        EXPECT_TRUE(f.tmp.readIni("Cmtsv.ini").ends_with(crlf({"飛将。", ".", ".4", b.name, "書き直し", "."})));
        EXPECT_EQ(f.tmp.readIni("busv.ini"), officersBefore);
    }
}

// With no record in the file and no number held by an officer, the first comment is number 1.
TEST(sv_Cmt_rtn, TheFirstCommentOfAnEmptyFileIsNumberOne) {
    CommentFiles f("");
    f.tmp.writeIni("busv.ini", kOfficers.substr(kOfficers.find(".2")));  // 李儒 (0) and 甲某 (200)
    Bushou b = f.officer(2);
    ASSERT_TRUE(sv_Cmt_rtn(f.tmp.folder(), 1, b, b.name, "x").ok);
    EXPECT_EQ(b.commentID, 1);
}

TEST(rewriteComments, NewNumberSkips200) {
    auto r = rewriteComments(crlf({".198", "甲", "a", ".", ".199", "乙", "b", "."}), 0, "丙", "c");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->newCommentId, 201);
    EXPECT_EQ(r->text, crlf({".198", "甲", "a", ".", ".199", "乙", "b", ".", ".201", "丙", "c", "."}));

    // A record 200 at the end is dropped and does not count as the last record.
    r = rewriteComments(crlf({".7", "甲", "a", ".", ".200", "架空", "x", "."}), 0, "丙", "c");
    EXPECT_EQ(r->newCommentId, 8);
    // Nothing left above 32767.
    EXPECT_FALSE(rewriteComments(crlf({".32767", "甲", "a", "."}), 0, "丙", "c"));
}

TEST(rewriteComments, RewritingARecordKeepsTheOthers) {
    auto r = rewriteComments(crlf({".1", "甲", "a", ".", ".2", "乙", "b", "."}), 1, "甲", "z");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, crlf({".1", "甲", "z", ".", ".2", "乙", "b", "."}));
    EXPECT_EQ(r->newCommentId, 0);
}

// What the box shows is what the status shows after the comment is confirmed, and confirming it
// again unchanged writes the same file: commas, quotes, blanks at either end and a leading "." stay
// as typed. The name line stays one item whatever it holds.
TEST(rewriteComments, ACommentReadsBackAsTyped) {
    const std::string typed =
        "兵は1,000人\n\"天下\"を取る\n 先頭に空白\n末尾に空白 \n.5\n..\n\"\n引用\"と,読点\"\n\n普通の行";
    const std::string shown =
        "  兵は1,000人\r\n  \"天下\"を取る\r\n   先頭に空白\r\n  末尾に空白 \r\n  .5\r\n  ..\r\n  \"\r\n"
        "  引用\"と,読点\"\r\n  \r\n  普通の行\r\n";
    auto first = rewriteComments(crlf({".1", "甲", "a", "."}), 0, "曹,操", typed);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, crlf({".1", "甲", "a", ".", ".2", "\"曹,操\"", "\"兵は1,000人\"", "\"\"\"天下\"\"を取る\"",
                                 "\" 先頭に空白\"", "\"末尾に空白 \"", "\".5\"", "\"..\"", "\"\"\"\"",
                                 "\"引用\"\"と,読点\"\"\"", "", "普通の行", "."}));
    EXPECT_EQ(commentFromText(first->text, 2), shown);
    EXPECT_EQ(commentFromText(first->text, 1), "  a\r\n");  // no record 5 appeared, record 1 is whole
    EXPECT_EQ(commentFromText(first->text, 5), "");

    auto again = rewriteComments(first->text, 2, "曹,操", shown);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->text, first->text);
    EXPECT_EQ(again->newCommentId, 0);
}

TEST(rewriteComments, RecordCutShortIsClosedBeforeTheNextHeader) {
    auto r = rewriteComments(crlf({".1", "甲", "a", ".2", "乙", "b"}), 9, "丙", "c");
    EXPECT_EQ(r->text, crlf({".1", "甲", "a", ".", ".2", "乙", "b", ".", ".3", "丙", "c", "."}));
    EXPECT_EQ(r->newCommentId, 3);
}

// A comment written on the title screen for an officer without one survives the new game: the new
// game makes the officer file from the master, which carries the number; the comment file is not
// made anew then. Once the title screen makes it anew from Comment.ini the number is still held, so
// it is never given to a second officer.
TEST(sv_Cmt_rtn, ACommentWrittenOnTheTitleScreenSurvivesTheNewGame) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    GameGlobals g;
    SeededRandom rng(7);
    ScenarioSetup title(tmp.folder(), g, rng);
    ASSERT_TRUE(title.Form_Load().ok);
    auto without = [&](int from) {
        for (int n = from; n <= 155; ++n)
            if (parseOfficerRecord(tmp.readIni("busv.ini"), n)->commentID == 0) return n;
        return 0;
    };
    const int first = without(1);
    ASSERT_NE(first, 0);
    Bushou b = *parseOfficerRecord(tmp.readIni("busv.ini"), first);
    ASSERT_TRUE(sv_Cmt_rtn(tmp.folder(), 1, b, b.name, "題の画面で書いた").ok);
    EXPECT_EQ(b.commentID, 201);  // Comment.ini holds 1..199, and 200 is reserved

    ASSERT_TRUE(title.startNewGame({0}).ok);
    Bushou inGame = *parseOfficerRecord(tmp.readIni("busv.ini"), first);
    EXPECT_EQ(inGame.commentID, 201);
    EXPECT_EQ(ld_Comment_rtn(tmp.folder(), inGame.commentID), "  題の画面で書いた\r\n");

    // Back on the title screen the comment file is Comment.ini again: the next new comment, another
    // officer's, does not take 201.
    ASSERT_TRUE(title.chooseScenario(0).ok);
    const int second = without(first + 1);
    Bushou other = *parseOfficerRecord(tmp.readIni("busv.ini"), second);
    ASSERT_TRUE(sv_Cmt_rtn(tmp.folder(), 1, other, other.name, "別の人").ok);
    EXPECT_EQ(other.commentID, 202);
}

// Each file the edit needs, missing, is named, and nothing is written: without the master the
// number could not be carried.
TEST(sv_Cmt_rtn, MissingFilesAreNamedAndNothingIsLeftHalfWritten) {
    for (const char* file : {"Cmtsv.ini", "busv.ini", "bushou1.ini"}) {
        SCOPED_TRACE(file);
        CommentFiles f;
        std::filesystem::remove(f.tmp.root() / "ini" / file);
        Bushou riju = *parseOfficerRecord(kOfficers, 2);
        auto out = sv_Cmt_rtn(f.tmp.folder(), 1, riju, "李儒", "x");
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.message, std::string("ファイル「ini/") + file + "」が見つかりません。");
        EXPECT_EQ(riju.commentID, 0);
        EXPECT_FALSE(f.tmp.hasIni(file));
        const std::string missing = file;
        if (missing != "Cmtsv.ini") {
            EXPECT_EQ(f.tmp.readIni("Cmtsv.ini"), kComments);
        }
        if (missing != "busv.ini") {
            EXPECT_EQ(f.tmp.readIni("busv.ini"), kOfficers);
        }
        EXPECT_FALSE(f.tmp.hasIni("Cmtimg.ini"));
    }
}

}  // namespace
}  // namespace tei
