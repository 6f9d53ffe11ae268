#include "game/Frames.h"

#include "MainFixture.h"

namespace tei {
namespace {

using namespace test;

class FramesTest : public MainFixture {
protected:
    void SetUp() override {
        // Two alliances: 袁紹 (ruler 2) leads 曹操; 公孫瓚 (ruler 5) leads 劉備. 董卓 and 孔融 are alone.
        writeWorld({{1, "董卓", 1, Job::Ruler},
                    {2, "袁紹", 2, Job::Ruler},
                    {3, "曹操", 3, Job::Ruler},
                    {4, "劉備", 4, Job::Ruler},
                    {5, "公孫瓚", 5, Job::Ruler},
                    {6, "孔融", 6, Job::Ruler}},
                   {{.id = 1, .name = "董卓", .kunshuID = 1, .army = 100, .seihei = 20, .meisei = 60},
                    {.id = 2, .name = "袁紹", .kunshuID = 2, .meishuID = 2, .army = 80, .seihei = 10, .meisei = 75},
                    {.id = 3, .name = "曹操", .kunshuID = 3, .meishuID = 2, .army = 30, .seihei = 5, .meisei = 40},
                    {.id = 4, .name = "劉備", .kunshuID = 4, .meishuID = 5, .army = 10, .meisei = 20},
                    {.id = 5, .name = "公孫瓚", .kunshuID = 5, .meishuID = 5, .army = 50, .meisei = 55},
                    {.id = 6, .name = "孔融", .kunshuID = 6, .army = 20, .meisei = 30, .del = true}});
    }
};

TEST_F(FramesTest, AlliancesTakeTheLowestFreeFramesAndTheirMembersLeaveFallenFactionsOut) {
    frames.ini_Mei_rtn();
    frames.Dsp_Gun_rtn();
    frames.ld_Meiichi_rtn();
    EXPECT_EQ(g.allianceLeader[1], 2);
    EXPECT_EQ(g.allianceLeader[2], 5);
    EXPECT_EQ(g.allianceLeader[3], 0);
    EXPECT_EQ(frames.caption(0), "独立軍閥");
    EXPECT_EQ(frames.caption(2), "公孫瓚");
    EXPECT_EQ(g.allianceCohesion[2], 55);     // the leader's Fame
    ASSERT_EQ(frames.members(0).size(), 1u);  // 孔融 has fallen
    EXPECT_EQ(frames.members(0)[0].name, "董卓");
    ASSERT_EQ(frames.members(1).size(), 2u);
    EXPECT_EQ(frames.members(1)[1].faction, 3);
    EXPECT_TRUE(frames.members(3).empty());  // no alliance, no members
    EXPECT_EQ(g.allianceTroops[0], 120);
    EXPECT_EQ(g.allianceTroops[1], 125);
    EXPECT_EQ(g.allianceTroops[3], 0);
    EXPECT_EQ(frames.summaryHeading(1), "同盟総兵力\r\n同盟の結束力");
    EXPECT_EQ(frames.summaryValue(1), " 125000\r\n 75");
    EXPECT_EQ(g.factionAlliance[1], 0);
    EXPECT_EQ(g.factionAlliance[3], 1);
    EXPECT_EQ(g.factionAlliance[4], 2);
}

TEST_F(FramesTest, PlayerSlotsLearnTheirRulerAndAllianceAndOnlyTheirFrameIsTheirs) {
    g.slotFaction[2] = 3;
    g.slotFaction[0] = 1;
    frames.ini_Mei_rtn();
    frames.Dsp_Gun_rtn();
    EXPECT_EQ(g.slotRuler[2], 3);
    EXPECT_EQ(g.slotLeader[2], 2);
    EXPECT_TRUE(frames.isPlayersFrame(1, 2));
    EXPECT_FALSE(frames.isPlayersFrame(0, 2));
    EXPECT_TRUE(frames.isPlayersFrame(0, 0));
    EXPECT_FALSE(frames.isPlayersFrame(3, 0));  // the empty frame is nobody's
    EXPECT_FALSE(frames.isPlayersFrame(0, 1));  // slot 1 holds no player
}

TEST_F(FramesTest, ANewYearKeepsTheCohesionOfAnAllianceWhoseLeaderStays) {
    frames.ini_Mei_rtn();
    g.allianceCohesion[1] = 33;
    g.allianceCohesion[2] = 0;  // nothing above 0 is remembered: the Fame is read again
    frames.res_Mei_rtn();
    EXPECT_EQ(g.allianceCohesion[1], 33);
    EXPECT_EQ(g.allianceCohesion[2], 55);
    // 袁紹's alliance is gone: 公孫瓚's moves up to frame 1 and keeps what it had.
    g.allianceCohesion[2] = 44;
    writeWorld({{1, "董卓", 1, Job::Ruler}, {5, "公孫瓚", 5, Job::Ruler}},
               {{.id = 1, .name = "董卓", .kunshuID = 1},
                {.id = 2, .name = "袁紹", .kunshuID = 2},
                {.id = 3, .name = "曹操", .kunshuID = 3},
                {.id = 4, .name = "劉備", .kunshuID = 4, .meishuID = 5},
                {.id = 5, .name = "公孫瓚", .kunshuID = 5, .meishuID = 5, .meisei = 55}});
    frames.res_Mei_rtn();
    EXPECT_EQ(g.allianceLeader[1], 5);
    EXPECT_EQ(g.allianceCohesion[1], 44);
    EXPECT_EQ(frames.caption(1), "公孫瓚");
    EXPECT_EQ(g.allianceLeader[2], 0);
}

// A frame left without an alliance shows no alliance: its caption is cleared and its cohesion is 0,
// instead of the name and cohesion of the alliance it held last year.
TEST_F(FramesTest, AFrameLeftWithoutAnAllianceLosesItsCaptionAndCohesion) {
    frames.ini_Mei_rtn();
    g.allianceCohesion[1] = 33;
    g.allianceCohesion[2] = 44;
    g.allianceCohesion[3] = 12;  // empty from the start
    // 公孫瓚's alliance dissolves; 袁紹's stays in frame 1.
    writeWorld({{2, "袁紹", 2, Job::Ruler}, {5, "公孫瓚", 5, Job::Ruler}},
               {{.id = 1, .name = "董卓", .kunshuID = 1},
                {.id = 2, .name = "袁紹", .kunshuID = 2, .meishuID = 2, .army = 80},
                {.id = 5, .name = "公孫瓚", .kunshuID = 5, .army = 50}});
    frames.res_Mei_rtn();
    frames.Dsp_Gun_rtn();
    EXPECT_EQ(frames.caption(1), "袁紹");
    EXPECT_EQ(g.allianceCohesion[1], 33);
    for (int k : {2, 3}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(g.allianceLeader[k], 0);
        EXPECT_EQ(frames.caption(k), "");
        EXPECT_EQ(g.allianceCohesion[k], 0);
        EXPECT_EQ(frames.summaryValue(k), " 0000\r\n 0");
    }
    // Placing the alliances at the start or after a load does the same.
    g.allianceCohesion[2] = 44;
    frames.ini_Mei_rtn();
    EXPECT_EQ(frames.caption(2), "");
    EXPECT_EQ(g.allianceCohesion[2], 0);
}

}  // namespace
}  // namespace tei
