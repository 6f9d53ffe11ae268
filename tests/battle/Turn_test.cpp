#include "battle/Turn.h"

#include <gtest/gtest.h>

#include "battle/BattleWorld.h"

namespace tei {
namespace {

using namespace test;

class TurnTest : public BattleTurn {
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
    // The four draws of one officer tempted to defect: a = a1 + a2 (0..7 each), b = b1 + b2 + 2 (0..49 each).
    void defection(int a1, int a2, int b1, int b2) { rng.face(a1, 8).face(a2, 8).face(b1, 50).face(b2, 50); }
};

TEST_F(TurnTest, OfficerListIsTheFactionsOfficersInNumberOrder) {
    EXPECT_EQ(turn.Sch_chr_rtn(1), 3);
    EXPECT_EQ(turn.officerList, (std::vector<int16_t>{1, 2, 3}));
    EXPECT_EQ(turn.Sch_chr_rtn(0), 1);  // the free officer has faction 0
}

TEST_F(TurnTest, DesertionSkipsTheRulerAndNeedsTheRollToReachCohesionAndRestraint) {
    // Cohesion 50 gives 5: the ruler (Restraint 0) rolls 20 but never deserts; officer 2 rolls 7, short
    // of 8; officer 3 rolls 20 >= 14.
    tempt(rng, {20, 7, 20});
    EXPECT_EQ(turn.Rnd_Shuppon(1), 3);
    tempt(rng, {2, 8});  // the ruler, then officer 2 exactly 8
    EXPECT_EQ(turn.Rnd_Shuppon(1), 2);
    // Cohesion 100 and Restraint 11 need 21: two rolls of 20 and nobody leaves.
    tempt(rng, {20, 20});
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
    defection(7, 7, 49, 49);  // ruler: willing, but a ruler stays
    defection(3, 2, 40, 30);  // officer 2: a = 5 >= 5, b = 72 > 70
    defection(7, 7, 49, 49);  // officer 3: a = 14 > 11, b = 100
    g.textArg1 = "old";
    turn.Rnd_Shuppon2(2, 1);
    EXPECT_EQ(g.textArg1, "甲将、甲参、");
    EXPECT_EQ(turn.officer(2).gunID, 2);
    EXPECT_EQ(turn.officer(2).kunID, 4);
    EXPECT_EQ(turn.officer(1).gunID, 1);
    EXPECT_EQ(rng.reseeds(), 1);
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
