#include "game/Reports.h"

#include "MainFixture.h"
#include "game/History.h"

namespace tei {
namespace {

using namespace test;

class ReportsTest : public MainFixture {
protected:
    void SetUp() override {
        writeWorld({{1, "甲王", 1, Job::Ruler}, {2, "乙王", 2, Job::Ruler}, {3, "丙王", 3, Job::Ruler}},
                   {{.id = 1, .name = "甲", .kunshuID = 1, .army = 30, .meisei = 40, .tian = 70},
                    {.id = 2, .name = "乙", .kunshuID = 2, .meishuID = 2, .army = 31, .meisei = 40, .tian = 70},
                    {.id = 3, .name = "丙", .kunshuID = 3, .del = true}});
        tmp.writeIni("teiji.log", "鼎峙録の記録\r\nEOT=======\r\n");
        g.factionAlliance[2] = 1;
        g.allianceTroops[1] = 250;
        g.allianceCohesion[1] = 60;
        report.at(0) = std::string(kFinalReportTitle) + "\r\n";
    }
    MessagePages report{51, 50};
    Reports reports{tmp.folder(), g, scratch, report};
};

TEST_F(ReportsTest, ScoresDetailsAndShareAsTheReportShowsThem) {
    g.slotFaction[0] = 1;
    g.slotFaction[4] = 2;
    g.slotFaction[16] = 3;  // beyond slot 15: not listed
    int height = reports.Houkoku_rtn();
    // 甲: 30 x 120 / 150 + 80 = 104. 乙: 24.8 + 80 + 250 / 100 x 60 = 254.8. Total 104 + 254.8 -> 359.
    EXPECT_EQ(report.at(0),
              "ゲーム最終結果\r\n"
              "甲  104\r\n"
              "乙  254.8\r\n"
              "丙 滅亡 0\r\n"
              "\r\n"
              "甲（プレイヤー）\r\n"
              "動員可能な兵力： 24000（1000で割ります）\r\n"
              "名声： 40（２を掛けます）\r\n"
              "盟主でない\r\n"
              "最終成績： 104\r\n"
              "制覇率： .289（自軍スコア／全軍閥のスコア）\r\n"
              "\r\n"
              "乙（プレイヤー）\r\n"
              "動員可能な兵力： 24000（1000で割ります）\r\n"
              "名声： 40（２を掛けます）\r\n"
              "盟主である\r\n"
              "同盟の期待できる兵力： 150000（1000で割ります）\r\n"
              "最終成績： 254\r\n"
              "制覇率： .707（自軍スコア／全軍閥のスコア）\r\n"
              "\r\n"
              "＊「save」フォルダ内にログファイル「tei_end.log」を作成しました。\r\n");
    EXPECT_EQ(height, 4800 + 2 * 1080);
    // The standings a sweep adds up are the listed scores, unrounded, and the details' shares.
    const std::vector<Standing>& listed = reports.reported();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_DOUBLE_EQ(listed[1].score, 254.8);
    EXPECT_DOUBLE_EQ(listed[0].share, 0.289);
    EXPECT_DOUBLE_EQ(listed[1].share, 0.707);
    EXPECT_TRUE(listed[2].fallen);
    EXPECT_EQ(tmp.readSave("tei_end.log"), tmp.readIni("teiji.log"));
}

// The troops expected from the alliance are Int(troops * cohesion / 100) worked out exactly: 70 at
// cohesion 90 give 63, not the 62 that 0.7 held in binary would give.
TEST_F(ReportsTest, TheAlliancesExpectedTroopsAreExact) {
    g.slotFaction[0] = 2;
    g.allianceTroops[1] = 70;
    g.allianceCohesion[1] = 90;
    reports.Houkoku_rtn();
    EXPECT_NE(report.at(0).find("同盟の期待できる兵力： 63000（1000で割ります）\r\n最終成績： 167\r\n"),
              std::string::npos)
        << report.at(0);
}

// A faction without a ruler outside any alliance matches 0 with 0 but leads nothing: no alliance part.
TEST_F(ReportsTest, AFactionWithoutARulerIsNoAllianceLeader) {
    writeWorld({{2, "乙王", 2, Job::Ruler}},
               {{.id = 1, .name = "甲", .kunshuID = 0, .army = 30, .meisei = 40, .tian = 70},
                {.id = 2, .name = "乙", .kunshuID = 2, .meishuID = 2, .army = 31, .meisei = 40, .tian = 70}});
    g.slotFaction[0] = 1;
    g.factionAlliance[1] = 0;
    g.allianceTroops[0] = 30;
    g.allianceCohesion[0] = 50;  // frame 0 is no alliance, whatever it holds
    reports.Houkoku_rtn();
    EXPECT_EQ(report.at(0).substr(0, report.at(0).find("甲（プレイヤー）")),
              "ゲーム最終結果\r\n甲  104\r\n乙  254.8\r\n\r\n");
    EXPECT_NE(report.at(0).find("盟主でない\r\n最終成績： 104\r\n"), std::string::npos) << report.at(0);
}

TEST_F(ReportsTest, AFallenPlayerIsShownAsPerishedAndATotalOfZeroGivesAZeroShare) {
    writeWorld({{1, "甲王", 1, Job::Ruler}, {2, "乙王", 2, Job::Ruler}},
               {{.id = 1, .name = "甲", .kunshuID = 1}, {.id = 2, .name = "乙", .kunshuID = 2, .del = true}});
    g.slotFaction[0] = 1;
    g.slotFaction[1] = 2;
    reports.Houkoku_rtn();
    EXPECT_EQ(report.at(0),
              "ゲーム最終結果\r\n甲  0\r\n乙 滅亡 0\r\n\r\n"
              "甲（プレイヤー）\r\n動員可能な兵力： 0000（1000で割ります）\r\n名声： 0（２を掛けます）\r\n"
              "盟主でない\r\n最終成績： 0\r\n制覇率： 0（自軍スコア／全軍閥のスコア）\r\n\r\n"
              "乙（プレイヤー）\r\n滅亡：0\r\n\r\n"
              "＊「save」フォルダ内にログファイル「tei_end.log」を作成しました。\r\n");
}

// The history rows every faction of the year with its officers and the score the report lists.
TEST_F(ReportsTest, TheHistoryRowsEveryFactionWithItsOfficersAndTheReportsScore) {
    writeWorld({{1, "甲王", 1, Job::Ruler},
                {2, "乙王", 2, Job::Ruler},
                {3, "丙王", 3, Job::Ruler},
                {.id = 4, .name = "甲将", .kunID = 1, .Job = Job::General},
                {.id = 5, .name = "甲官", .kunID = 1, .Job = Job::None},  // serves without a job
                {.id = 6, .name = "浪人", .kunID = 0, .Job = Job::General},
                {.id = 7, .name = "丙将", .kunID = 3, .Job = Job::Civil}},
               {{.id = 1,
                 .name = "甲",
                 .kunshuID = 1,
                 .army = 30,
                 .seihei = 4,
                 .meisei = 40,
                 .kessoku = 9,
                 .tian = 70,
                 .ifu = 11},
                {.id = 2, .name = "乙,国", .kunshuID = 2, .meishuID = 2, .army = 31, .meisei = 40, .tian = 70},
                {.id = 3, .name = "丙", .kunshuID = 3, .army = 12, .meisei = 50, .tian = 20, .del = true}});
    g.factionAlliance[3] = 1;  // a fallen faction scores nothing, whatever its frame says

    auto rows = historyRows(tmp.folder(), g, 195);
    ASSERT_EQ(rows.size(), 3u);
    // 甲: 30 x 120 / 150 + 80 = 104, not a leader. 乙 leads: 24.8 + 80 + 250 / 100 x 60 = 254.8.
    EXPECT_EQ(formatHistoryRow(rows[0]), "195,1,甲,1,30,4,40,11,70,9,3,0,104\r\n");
    EXPECT_EQ(formatHistoryRow(rows[1]), "195,2,\"乙,国\",1,31,0,40,0,70,0,1,2,254.8\r\n");
    EXPECT_EQ(formatHistoryRow(rows[2]), "195,3,丙,0,12,0,50,0,20,0,2,0,0\r\n");
}

}  // namespace
}  // namespace tei
