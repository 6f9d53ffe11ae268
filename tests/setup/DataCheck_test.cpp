#include "setup/DataCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

std::string officerRecord(int n, const std::string& name, int kunID, int job, int commentID) {
    return crlf({"." + std::to_string(n), name, "5,5,5,5", "5,5", std::to_string(kunID) + "," + std::to_string(job),
                 "\"zouhyou1\"", std::to_string(commentID)});
}

std::string factionRecord(int n, int meishuID, int kunshuID) {
    return crlf({"." + std::to_string(n), "国" + std::to_string(n),
                 std::to_string(meishuID) + "," + std::to_string(kunshuID) + ",50,5,60,70,80,10", "\"FALSE\""});
}

// A sound data folder: officers 1..F rule factions 1..F (factions 1 and 2 in one alliance led by
// ruler 1), the others serve ruler 1 or nobody; officer 1 has comment 1.
class DataCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        const int counts[3][2] = {{155, 13}, {155, 12}, {160, 13}};
        const char* suffix[3] = {"1", "2", ""};
        for (int s = 0; s < 3; ++s) {
            std::string officers, factions;
            int nOfficers = counts[s][0], nFactions = counts[s][1];
            for (int i = 1; i <= nOfficers; ++i) {
                bool ruler = i <= nFactions;
                officers += officerRecord(i, "武将" + std::to_string(i), ruler ? i : (i % 2 ? 1 : 0), ruler ? 5 : 2,
                                          i == 1 ? 1 : 0);
            }
            for (int f = 1; f <= nFactions; ++f) factions += factionRecord(f, f <= 2 ? 1 : 0, f);
            tmp.writeIni(std::string("bushou") + suffix[s] + ".ini", officers);
            tmp.writeIni(std::string("BUSHOU") + suffix[s] + "_BK.ini", officers);
            tmp.writeIni(std::string("Gunbatu") + suffix[s] + ".ini", factions);
        }
        tmp.writeIni("Comment.ini", crlf({".1", "武将1", "一行目、", "二行目", "."}));
        std::string sei, mei, text, command;
        for (int i = 1; i <= 170; ++i) sei += "姓" + std::to_string(i) + "\r\n";
        for (int i = 1; i <= 150; ++i) mei += "名" + std::to_string(i) + "\r\n";
        for (int n = 1; n <= 60; ++n) text += crlf({"." + std::to_string(n), "文" + std::to_string(n), ".."});
        for (int n = 1; n <= 26; ++n) command += crlf({"." + std::to_string(n), "説" + std::to_string(n), ".."});
        tmp.writeIni("sei.ini", sei);
        tmp.writeIni("mei.ini", mei);
        tmp.writeIni("Text.ini", text);
        tmp.writeIni("Command.ini", command);
    }

    // Replaces the first occurrence of 'from' in the ini file.
    void edit(const std::string& file, const std::string& from, const std::string& to) {
        std::string text = tmp.readIni(file);
        size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        tmp.writeIni(file, text);
    }

    std::vector<std::string> check() { return checkDataFolder(tmp.root() / "ini").problems; }
    std::vector<std::string> notes() { return checkDataFolder(tmp.root() / "ini").notes; }

    TempGameFolder tmp;
};

using Lines = std::vector<std::string>;

TEST_F(DataCheckTest, ASoundFolderHasNoProblems) { EXPECT_EQ(check(), Lines{}); }

TEST_F(DataCheckTest, MissingFiles) {
    std::filesystem::remove(tmp.root() / "ini" / "BUSHOU2_BK.ini");
    std::filesystem::remove(tmp.root() / "ini" / "mei.ini");
    // Found whatever the case of its name.
    std::filesystem::rename(tmp.root() / "ini" / "Gunbatu.ini", tmp.root() / "ini" / "GUNBATU.INI");
    EXPECT_EQ(check(),
              (Lines{"ファイル「ini/BUSHOU2_BK.ini」が見つかりません。", "ファイル「ini/mei.ini」が見つかりません。"}));
}

// A master the editor changed is no fault: a note counts the officers changed (a record quoted
// differently is no change). A backup that differs must be sound itself.
TEST_F(DataCheckTest, AMasterEditedAwayFromItsBackupIsANote) {
    edit("bushou1.ini", officerRecord(20, "武将20", 0, 2, 0), officerRecord(20, "武将20", 0, 4, 0));
    edit("bushou1.ini", officerRecord(21, "武将21", 1, 2, 0),
         crlf({".21", "武将21", "9,5,5,5", "5,5", "1,2", "zouhyou1", "0"}));
    edit("bushou1.ini", officerRecord(22, "武将22", 0, 2, 0),
         crlf({".22", "\"武将22\"", "5,5,5,5", "5,5", "0,2", "zouhyou1", "0"}));
    EXPECT_EQ(check(), Lines{});
    EXPECT_EQ(notes(), Lines{"ini/bushou1.ini: 2 人の武将が ini/BUSHOU1_BK.ini から変わっています（武将エディタでの"
                             "変更です。タイトル画面の「武将初期化」で元に戻せます）。"});

    // The comment editor gave officer 23 a number of his own, which Comment.ini does not hold; officer
    // 24's number was the backup's already, and is a fault.
    edit("bushou1.ini", officerRecord(23, "武将23", 1, 2, 0), officerRecord(23, "武将23", 1, 2, 201));
    edit("bushou1.ini", officerRecord(24, "武将24", 0, 2, 0), officerRecord(24, "武将24", 0, 2, 9));
    edit("BUSHOU1_BK.ini", officerRecord(24, "武将24", 0, 2, 0), officerRecord(24, "武将24", 0, 2, 9));
    EXPECT_EQ(check(), Lines{"ini/bushou1.ini の記録 .24（武将24）: コメント番号 9 が ini/Comment.ini にありません。"});
    EXPECT_EQ(notes(), (Lines{"ini/bushou1.ini: 3 人の武将が ini/BUSHOU1_BK.ini から変わっています（武将エディタでの"
                              "変更です。タイトル画面の「武将初期化」で元に戻せます）。",
                              "ini/bushou1.ini の記録 .23（武将23）: コメント番号 201 が ini/Comment.ini にありません"
                              "（コメントエディタで付けた番号です）。"}));
    edit("bushou1.ini", officerRecord(24, "武将24", 0, 2, 9), officerRecord(24, "武将24", 0, 2, 0));
    edit("BUSHOU1_BK.ini", officerRecord(24, "武将24", 0, 2, 9), officerRecord(24, "武将24", 0, 2, 0));

    edit("BUSHOU1_BK.ini", officerRecord(30, "武将30", 0, 2, 0), crlf({".30", "武将30", "5,5,5,5", "5,5", "0,2"}));
    EXPECT_EQ(check(), Lines{"ini/BUSHOU1_BK.ini の記録 .30（武将30）: 値が足りません（9 個、11 個必要です）。"});
    EXPECT_EQ(notes().size(), 2u);
    EXPECT_NE(notes()[0].find("4 人の武将"), std::string::npos);
}

TEST_F(DataCheckTest, CountsNumberingAndValues) {
    std::string twelfth = factionRecord(12, 0, 12);
    edit("Gunbatu2.ini", twelfth, "");
    edit("bushou.ini", officerRecord(7, "武将7", 7, 5, 0), "");
    edit("BUSHOU_BK.ini", officerRecord(7, "武将7", 7, 5, 0), "");
    edit("bushou1.ini", "武将30\r\n", "武将,三十\r\n");
    edit("BUSHOU1_BK.ini", "武将30\r\n", "武将,三十\r\n");
    edit("bushou1.ini", "5,5,5,5\r\n5,5\r\n0,2\r\n\"zouhyou1\"\r\n0\r\n.41\r\n",
         "5,5,5,五\r\n5,5\r\n0,2\r\n\"zouhyou1\"\r\n0\r\n.41\r\n");
    edit("BUSHOU1_BK.ini", "5,5,5,5\r\n5,5\r\n0,2\r\n\"zouhyou1\"\r\n0\r\n.41\r\n",
         "5,5,5,五\r\n5,5\r\n0,2\r\n\"zouhyou1\"\r\n0\r\n.41\r\n");
    EXPECT_EQ(check(),
              (Lines{
                  "ini/bushou1.ini の記録 .30（武将）: 値が多すぎます（名前に「,」が入っていませんか）。",
                  "ini/bushou1.ini の記録 .30（武将）: 2 番目の値「三十」が整数ではありません。",
                  "ini/bushou1.ini の記録 .30（武将）: 11 番目の値「zouhyou1」が整数ではありません。",
                  "ini/bushou1.ini の記録 .40（武将40）: 5 番目の値「五」が整数ではありません。",
                  "ini/Gunbatu2.ini: 軍閥の記録が 11 件あります（12 件のはずです）。",
                  "ini/bushou2.ini の記録 .12（武将12）: 主君 kunID 12 はこのシナリオの君主ではありません。",
                  "ini/bushou.ini の記録 .8（武将8）: 番号が順番どおりではありません（.7 があるべき位置です）。",
                  "ini/bushou.ini: 武将の記録が 159 件あります（160 件のはずです）。",
                  "ini/Gunbatu.ini の記録 .7（国7）: 君主 kunshuID 7 が ini/bushou.ini にいません。",
              }));
}

TEST_F(DataCheckTest, RulersAlliancesAndAllegiances) {
    // Scenario 1: ruler 3 has Job 4, ruler 4 serves ruler 1; faction 5 names a leader whose faction
    // is in no alliance, faction 6 a leader who rules nothing; officer 20 serves a retainer.
    edit("bushou1.ini", officerRecord(3, "武将3", 3, 5, 0), officerRecord(3, "武将3", 3, 4, 0));
    edit("bushou1.ini", officerRecord(4, "武将4", 4, 5, 0), officerRecord(4, "武将4", 1, 5, 0));
    edit("bushou1.ini", officerRecord(20, "武将20", 0, 2, 0), officerRecord(20, "武将20", 30, 2, 0));
    tmp.writeIni("BUSHOU1_BK.ini", tmp.readIni("bushou1.ini"));
    edit("Gunbatu1.ini", factionRecord(5, 0, 5), factionRecord(5, 8, 5));
    edit("Gunbatu1.ini", factionRecord(6, 0, 6), factionRecord(6, 99, 6));
    // Scenario 2: the leader's own meishuID is not its ruler's number.
    edit("Gunbatu2.ini", factionRecord(1, 1, 1), factionRecord(1, 0, 1));
    // Scenario 3: rulers 3, 4 and 5 lead alliances of their own beside ruler 1's.
    for (int f : {3, 4, 5}) edit("Gunbatu.ini", factionRecord(f, 0, f), factionRecord(f, f, f));
    EXPECT_EQ(check(),
              (Lines{
                  "ini/bushou1.ini の記録 .3（武将3）: 軍閥 .3 の君主なのに Job が 4 です（5 であるべきです）。",
                  "ini/bushou1.ini の記録 .4（武将4）: 軍閥 .4 の君主なのに kunID が 1 です（4 であるべきです）。",
                  "ini/Gunbatu1.ini の記録 .5（国5）: 盟主の軍閥 .8（国8）の meishuID が 0 です（8 であるべきです）。",
                  "ini/Gunbatu1.ini の記録 .6（国6）: 盟主 meishuID 99 を君主とする軍閥がありません。",
                  "ini/bushou1.ini の記録 .20（武将20）: 主君 kunID 30 はこのシナリオの君主ではありません。",
                  "ini/Gunbatu2.ini の記録 .2（国2）: 盟主の軍閥 .1（国1）の meishuID が 0 です（1 であるべきです）。",
                  "ini/Gunbatu.ini: 同盟が 4 つあります（3 つまでです）。",
              }));
}

TEST_F(DataCheckTest, CommentsNamesAndTemplates) {
    edit("bushou2.ini", officerRecord(30, "武将30", 0, 2, 0), officerRecord(30, "武将30", 0, 2, 200));
    edit("bushou2.ini", officerRecord(31, "武将31", 1, 2, 0), officerRecord(31, "武将31", 1, 2, 5));
    tmp.writeIni("BUSHOU2_BK.ini", tmp.readIni("bushou2.ini"));
    tmp.writeIni("Comment.ini", tmp.readIni("Comment.ini") + crlf({".200", "誰か", "予約番号", "."}));
    edit("sei.ini", "姓170\r\n", "");
    edit("Text.ini", crlf({".33", "文33", ".."}), "");
    edit("Text.ini", crlf({".59", "文59", ".."}), crlf({".100", "遠い", "..", ".59", "文59", ".."}));
    edit("Command.ini", crlf({".20", "説20", ".."}), "");
    EXPECT_EQ(check(), (Lines{
                           "ini/Comment.ini の記録 .200: コメント番号は 199 までです（200 は架空の人物用です）。",
                           "ini/bushou2.ini の記録 .30（武将30）: コメント番号 200 は 1〜199 であるべきです。",
                           "ini/bushou2.ini の記録 .31（武将31）: コメント番号 5 が ini/Comment.ini にありません。",
                           "ini/sei.ini: 姓が 169 個しかありません（170 個以上必要です）。",
                           "ini/Text.ini: 文章 .33 がないか、.100 以上の見出しより後ろにあって読まれません。",
                           "ini/Text.ini: 文章 .59 がないか、.100 以上の見出しより後ろにあって読まれません。",
                           "ini/Text.ini: 文章 .60 がないか、.100 以上の見出しより後ろにあって読まれません。",
                           "ini/Command.ini: 説明 .20 がないか、.100 以上の見出しより後ろにあって読まれません。",
                       }));
}

TEST_F(DataCheckTest, BareValueStartingWithAStopIsNamedOnceWithItsRecord) {
    // Officer 5's name and officer 9's picture name, and faction 4's name, written bare with a leading
    // "." would each start a record of their own: one line says so, and the values after them still
    // belong to their record. A quoted ".名" is a name like any other.
    for (const char* file : {"bushou1.ini", "BUSHOU1_BK.ini"}) {
        edit(file, officerRecord(5, "武将5", 5, 5, 0), officerRecord(5, ".武将5", 5, 5, 0));
        edit(file, crlf({".9", "武将9", "5,5,5,5", "5,5", "9,5", "\"zouhyou1\""}),
             crlf({".9", "武将9", "5,5,5,5", "5,5", "9,5", ".jpg"}));
        edit(file, officerRecord(20, "武将20", 0, 2, 0), officerRecord(20, "\".武将20\"", 0, 2, 0));
    }
    edit("Gunbatu2.ini", factionRecord(4, 0, 4), factionRecord(4, 0, 4).replace(4, 4, ". 国4"));
    EXPECT_EQ(check(),
              (Lines{
                  "ini/bushou1.ini の記録 .5（.武将5）: 名前「.武将5」は「.」で始まるため、次の記録の見出しと読まれて"
                  "しまいます。二重引用符で囲んでください（\".武将5\"）。",
                  "ini/bushou1.ini の記録 .9（武将9）: 画像名「.jpg」は「.」で始まるため、次の記録の見出しと読まれて"
                  "しまいます。二重引用符で囲んでください（\".jpg\"）。",
                  "ini/Gunbatu2.ini の記録 .4（. 国4）: 名前「. 国4」は「.」で始まるため、次の記録の見出しと読まれて"
                  "しまいます。二重引用符で囲んでください（\". 国4\"）。",
              }));
}

TEST_F(DataCheckTest, NameListsHoldNoQuote) {
    edit("sei.ini", "姓7\r\n", "姓\"7\"\r\n");
    edit("mei.ini", "名150\r\n", "名\"150\r\n");
    tmp.writeIni("mei.ini", tmp.readIni("mei.ini") + "名\"151\r\n");  // beyond the names read
    EXPECT_EQ(check(), (Lines{
                           "ini/sei.ini: 名前「姓\"7\"」には二重引用符（\"）が入っています。架空の武将の名前は姓と名を"
                           "つないで作るので、二重引用符のある名前は使えません。",
                           "ini/mei.ini: 名前「名\"150」には二重引用符（\"）が入っています。架空の武将の名前は姓と名を"
                           "つないで作るので、二重引用符のある名前は使えません。",
                       }));
}

}  // namespace
}  // namespace tei
