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
        put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .Setu = 0});
        put(turn, OfficerSpec{.id = 2, .name = "甲将", .kunID = 1, .Job = Job::General, .Setu = 3});
        put(turn, OfficerSpec{.id = 3, .name = "甲参", .kunID = 1, .Job = Job::Staff, .Setu = 9});
        put(turn, OfficerSpec{.id = 4, .name = "乙王", .kunID = 4, .Job = Job::Ruler});
        put(turn, OfficerSpec{.id = 5, .name = "乙将", .kunID = 4, .Job = Job::General, .Setu = 11});
        put(turn, OfficerSpec{.id = 6, .name = "浪人", .kunID = 0, .Job = Job::Military});
        derive(turn);
    }
};

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

}  // namespace
}  // namespace tei
