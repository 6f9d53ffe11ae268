#include "battle/Turn.h"

#include <gtest/gtest.h>

#include "support/ScriptedRandom.h"
#include "support/SmallWorld.h"

namespace tei {
namespace {

using namespace test;

class TurnTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.officerCount = 6;
        g.factionCount = 2;
        put(turn, FactionSpec{.id = 1, .name = "甲", .kunshuID = 1, .kessoku = 50});
        put(turn, FactionSpec{.id = 2, .name = "乙", .kunshuID = 4, .kessoku = 100});
        put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = 5, .Setu = 0});
        put(turn, OfficerSpec{.id = 2, .name = "甲将", .kunID = 1, .Job = 4, .Setu = 3});
        put(turn, OfficerSpec{.id = 3, .name = "甲参", .kunID = 1, .Job = 3, .Setu = 9});
        put(turn, OfficerSpec{.id = 4, .name = "乙王", .kunID = 4, .Job = 5});
        put(turn, OfficerSpec{.id = 5, .name = "乙将", .kunID = 4, .Job = 4, .Setu = 11});
        put(turn, OfficerSpec{.id = 6, .name = "浪人", .kunID = 0, .Job = 2});
        derive(turn);
    }
    GameGlobals g;
    ScriptedRandom rng;
    TemplateBook book = echoTemplates();
    Turn turn{g, rng, book};
};

TEST_F(TurnTest, OfficerListIsTheFactionsOfficersInNumberOrder) {
    EXPECT_EQ(turn.Sch_chr_rtn(1), 3);
    EXPECT_EQ(turn.officerList, (std::vector<int16_t>{1, 2, 3}));
    EXPECT_EQ(turn.Sch_chr_rtn(0), 1);  // the free officer has faction 0
}

TEST_F(TurnTest, DesertionSkipsTheRulerAndNeedsTheRollToBeatCohesionAndRestraint) {
    // Cohesion 50 gives 5; the ruler (Restraint 0) rolls 20 but never deserts; officer 2 needs 8.
    rng.face(9, 10)
        .face(9, 10)  // ruler: 20
        .face(2, 10)
        .face(3, 10)  // officer 2: 7, short of 8
        .face(9, 10)
        .face(9, 10);  // officer 3: 20 >= 14
    EXPECT_EQ(turn.Rnd_Shuppon(1), 3);
    rng.face(0, 10).face(0, 10).face(3, 10).face(3, 10);  // ruler 2, then officer 2 exactly 8
    EXPECT_EQ(turn.Rnd_Shuppon(1), 2);
}

TEST_F(TurnTest, AFullyCohesiveFactionOfTwoKeepsItsOfficer) {
    // Cohesion 100 and Restraint 11 need 21: two rolls, both 20, and nobody leaves.
    rng.face(9, 10).face(9, 10).face(9, 10).face(9, 10);
    EXPECT_EQ(turn.Rnd_Shuppon(2), 0);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(TurnTest, ALoneRulerCannotDesert) {
    put(turn, OfficerSpec{.id = 5, .name = "乙将", .kunID = 0, .Job = 4});
    derive(turn);
    turn.records.officers[5].gunID = 0;
    EXPECT_EQ(turn.Rnd_Shuppon(2), 0);
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(TurnTest, DefectionAfterSubversionMovesWillingOfficersAndNamesThem) {
    // Faction 1, Cohesion 50: b must exceed 70; a must reach Restraint + 2.
    rng.face(7, 8)
        .face(7, 8)
        .face(49, 50)
        .face(49, 50)  // ruler: willing, but a ruler stays
        .face(3, 8)
        .face(2, 8)
        .face(40, 50)
        .face(30, 50)  // officer 2: a = 5 >= 5, b = 72 > 70
        .face(7, 8)
        .face(7, 8)
        .face(49, 50)
        .face(49, 50);  // officer 3: a = 14 > 11, b = 100
    g.textArg1 = "old";
    turn.Rnd_Shuppon2(2, 1);
    EXPECT_EQ(g.textArg1, "甲将、甲参、");
    EXPECT_EQ(turn.officer(2).gunID, 2);
    EXPECT_EQ(turn.officer(2).kunID, 4);
    EXPECT_EQ(turn.officer(1).gunID, 1);
    EXPECT_EQ(rng.reseeds(), 1);
}

TEST_F(TurnTest, AFullyCohesiveFactionLosesNobodyToSubversion) {
    for (int i = 0; i < 2; ++i) rng.face(7, 8).face(7, 8).face(49, 50).face(49, 50);  // b = 100, not > 100
    turn.Rnd_Shuppon2(1, 2);
    EXPECT_EQ(g.textArg1, "");
    EXPECT_EQ(turn.officer(5).gunID, 2);
}

TEST_F(TurnTest, PlayersAreSlots0To15Only) {
    g.slotFaction[3] = 2;
    EXPECT_TRUE(turn.isPlayer(2));
    EXPECT_FALSE(turn.isPlayer(1));
    EXPECT_FALSE(turn.isPlayer(0));
    g.slotFaction[3] = 0;
    g.slotFaction[16] = 1;
    EXPECT_FALSE(turn.isPlayer(1));
}

}  // namespace
}  // namespace tei
