#include "game/History.h"

#include "MainFixture.h"

namespace tei {
namespace {

using namespace test;

class HistoryRowsTest : public MainFixture {};

TEST_F(HistoryRowsTest, EveryFactionIsRowedWithItsOfficersAndTheReportsScore) {
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
    g.factionAlliance[2] = 1;
    g.allianceTroops[1] = 250;
    g.allianceCohesion[1] = 60;
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
