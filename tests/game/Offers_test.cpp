#include "game/Offers.h"

#include "MainFixture.h"

namespace tei {
namespace {

using namespace test;
using Commands = std::vector<Command>;

class OffersTest : public MainFixture {
protected:
    void SetUp() override {
        world(0);
        g.msgMode = MsgMode::Resolution;
        frames.ini_Mei_rtn();
        frames.Dsp_Gun_rtn();
        frames.ld_Meiichi_rtn();
    }
    // 袁紹 (ruler 2) leads 曹操; 公孫瓚 (ruler 4) leads nobody else; 董卓 is alone. 趙雲 serves zhaoYunsLord.
    void world(int16_t zhaoYunsLord) {
        writeWorld({{1, "董卓", 1, Job::Ruler},
                    {2, "袁紹", 2, Job::Ruler},
                    {3, "曹操", 3, Job::Ruler},
                    {4, "公孫瓚", 4, Job::Ruler},
                    {.id = 5, .name = "荀彧", .kunID = 3, .Job = Job::Staff, .charm = 8},
                    {.id = 6, .name = "趙雲", .kunID = zhaoYunsLord, .Job = Job::General, .charm = 7}},
                   {{.id = 1, .name = "董卓", .kunshuID = 1, .army = 100},
                    {.id = 2, .name = "袁紹", .kunshuID = 2, .meishuID = 2, .army = 80, .meisei = 45},
                    {.id = 3, .name = "曹操", .kunshuID = 3, .meishuID = 2, .army = 30},
                    {.id = 4, .name = "公孫瓚", .kunshuID = 4, .meishuID = 4, .army = 50, .meisei = 55}});
    }
    void leaveDraws(int count) {
        for (int i = 0; i < count; ++i) rng.face(8, 14);  // r = 9: leave the alliance, no further draw
    }
    Offers offers{g, rng, scratch, frames};
};

TEST_F(OffersTest, LeaveOffersTakeCohesionOverTenRoundedToEven) {
    g.allianceCohesion[1] = 45;
    g.allianceCohesion[2] = 55;
    g.allianceCohesion[3] = 0;
    leaveDraws(12);
    for (int i = 0; i < 4; ++i) rng.face(3, 9).face(0, 3).face(0, 3).face(0, 3);  // frame 0: join 袁紹
    offers.ld_Com_rtn();
    EXPECT_EQ(g.offerCommands[1], Commands(4, Command::LeaveAlliance));  // four offers, no wait
    EXPECT_EQ(g.offerDifficulty[1][3], 4);
    EXPECT_EQ(g.offerDifficulty[2][0], 6);
    EXPECT_EQ(g.offerDifficulty[3][2], 0);
    EXPECT_EQ(rng.reseeds(), 12);  // before every alliance-frame draw
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(OffersTest, ADrawThatDealsNothingLeavesTheNextOfferAtTheLowerPosition) {
    leaveDraws(12);
    // Frame 0, with 趙雲 taken so nobody is free: recruit finds nobody (its pick still draws),
    // then war on the first listed faction, then two more empty recruits; the wait offer comes last.
    world(1);
    g.offerTarget[0][1] = 99;
    // recruit: nobody free; war on 董卓, difficulty 1 + 2 + 3; two more empty recruits.
    rng.face(0, 9).then(0.5f);
    rng.face(4, 9).face(0, 4).face(1, 3).face(2, 3);
    rng.face(0, 9).then(0.5f).face(0, 9).then(0.5f);
    offers.ld_Com_rtn();
    EXPECT_EQ(g.offerCommands[0], (Commands{Command::War, Command::Wait}));
    EXPECT_EQ(g.offerTarget[0][0], 1);
    EXPECT_EQ(g.offerDifficulty[0][0], 6);
    EXPECT_EQ(g.offerTarget[0][1], 99);  // the wait offer sets nothing
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(OffersTest, AllianceFrameDealsEachCommandWithItsValues) {
    // Frame 1: recruit of the free officer (difficulty = his Capacity), raise troops from 曹操,
    // Yellow Turbans led by the free officer, war on a faction outside the alliance.
    rng.face(0, 14).face(0, 1);                                     // recruit 趙雲
    rng.face(1, 14).face(1, 2).face(5, 11).face(1, 4).face(2, 4);   // raise troops: 曹操, 15 %, 1 + 2 + 2
    rng.face(3, 14).face(0, 1).face(3, 10).face(4, 10).face(2, 3);  // turbans: 4 x 5 x 3
    rng.face(3, 4).face(3, 4);                                      // the turbans' difficulty
    rng.face(10, 14).face(1, 2);                                    // war: 董卓 or 公孫瓚 -> 公孫瓚
    leaveDraws(8);
    for (int i = 0; i < 4; ++i) rng.face(3, 9).face(0, 3).face(0, 3).face(0, 3);  // frame 0: join 袁紹
    offers.ld_Com_rtn();
    EXPECT_EQ(g.offerCommands[1],
              (Commands{Command::Recruit, Command::RaiseTroops, Command::YellowTurbans, Command::War}));
    EXPECT_EQ(g.offerTarget[1][0], 6);
    EXPECT_EQ(g.offerDifficulty[1][0], 7);
    EXPECT_EQ(g.offerTarget[1][1], 3);
    EXPECT_EQ(g.offerAmount[1][1], 15);
    EXPECT_EQ(g.offerDifficulty[1][1], 5);
    EXPECT_EQ(g.offerTarget[1][2], 6);
    EXPECT_EQ(g.offerAmount[1][2], 60);
    EXPECT_EQ(g.offerDifficulty[1][2], 8);
    EXPECT_EQ(g.offerTarget[1][3], 4);
    EXPECT_EQ(g.offerCommands[0], Commands(4, Command::JoinAlliance));
    EXPECT_EQ(g.offerTarget[0][0], 2);
    EXPECT_EQ(g.offerDifficulty[0][0], 3);
    EXPECT_EQ(rng.left(), 0u);
}

// In the alliance frames a join draw that finds the empty frame 3 (leader value 0) deals nothing, with
// no message. Frame 0 deals it all the same, with target 0 and the frame-0 difficulty: whoever wins
// it finds the alliance gone and stays independent.
TEST_F(OffersTest, OnlyTheAllianceFramesDealNoJoinForAnEmptyFrame) {
    rng.face(7, 14).face(1, 2);                        // frame 1: candidates 公孫瓚, 0 -> 0: nothing
    rng.face(7, 14).face(0, 2).face(0, 4).face(0, 4);  // frame 1: 公孫瓚 (4)
    leaveDraws(2);
    leaveDraws(4);                                     // frame 2
    rng.face(7, 14).face(0, 2).face(1, 4).face(1, 4);  // frame 3: candidates 袁紹, 公孫瓚 -> 袁紹
    leaveDraws(3);
    // Frame 0: candidates 袁紹, 公孫瓚, 0.
    rng.face(3, 9).face(2, 3).face(0, 3).face(0, 3);  // join: 0, difficulty 0 + 0 + 3
    rng.face(8, 9).face(0, 3).face(2, 3).face(2, 3);  // join: 袁紹, difficulty 2 + 2 + 3
    rng.face(8, 9).face(2, 3).face(1, 3).face(0, 3);  // join: 0, difficulty 1 + 0 + 3
    rng.face(3, 9).face(1, 3).face(0, 3).face(1, 3);  // join: 公孫瓚, difficulty 0 + 1 + 3
    offers.ld_Com_rtn();
    EXPECT_EQ(g.offerCommands[1], (Commands{Command::JoinAlliance, Command::LeaveAlliance, Command::LeaveAlliance}));
    EXPECT_EQ(g.offerTarget[1][0], 4);
    EXPECT_EQ(g.offerCommands[3], (Commands{Command::JoinAlliance, Command::LeaveAlliance, Command::LeaveAlliance,
                                            Command::LeaveAlliance}));
    EXPECT_EQ(g.offerTarget[3][0], 2);
    EXPECT_EQ(g.offerDifficulty[3][0], 4);
    EXPECT_EQ(g.offerCommands[0], Commands(4, Command::JoinAlliance));  // four offers: no wait
    EXPECT_EQ(g.offerTarget[0], (std::array<int16_t, 4>{0, 2, 0, 4}));
    EXPECT_EQ(g.offerDifficulty[0], (std::array<int16_t, 4>{3, 7, 4, 4}));
    EXPECT_EQ(rng.left(), 0u);
}

// Frame 3 holds no alliance: its raise-troops, subversion and denounce offers find no faction to name
// and draw no pick for it.
TEST_F(OffersTest, AnEmptyFramesOffersNameNoFactionAndDrawNoPick) {
    g.offerTarget[3] = {9, 9, 9, 9};
    leaveDraws(8);
    rng.face(1, 14).face(0, 11).face(0, 4).face(0, 4);  // raise troops: 10 %, difficulty 2
    rng.face(2, 14).face(1, 4).face(1, 4);              // subversion: difficulty 4
    rng.face(6, 14).face(3, 4).face(3, 4);              // denounce: difficulty 8
    leaveDraws(1);
    for (int i = 0; i < 4; ++i) rng.face(3, 9).face(0, 3).face(0, 3).face(0, 3);  // frame 0: join 袁紹
    offers.ld_Com_rtn();
    EXPECT_EQ(g.offerCommands[3],
              (Commands{Command::RaiseTroops, Command::Subversion, Command::Denounce, Command::LeaveAlliance}));
    EXPECT_EQ(g.offerTarget[3], (std::array<int16_t, 4>{0, 0, 0, 9}));
    EXPECT_EQ(g.offerAmount[3][0], 10);
    EXPECT_EQ(g.offerDifficulty[3][0], 2);
    EXPECT_EQ(g.offerDifficulty[3][1], 4);
    EXPECT_EQ(g.offerDifficulty[3][2], 8);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(OffersTest, NothingIsDealtOutsideTheResolutionMode) {
    g.msgMode = MsgMode::Report;
    g.offerCommands[2] = {Command::Recruit, Command::RaiseTroops};
    offers.ld_Com_rtn();
    for (const auto& list : g.offerCommands) EXPECT_TRUE(list.empty());
    EXPECT_EQ(rng.draws(), 0);
}

}  // namespace
}  // namespace tei
