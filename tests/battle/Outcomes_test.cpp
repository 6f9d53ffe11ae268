#include <gtest/gtest.h>

#include "battle/BattleWorld.h"

namespace tei {
namespace {

using namespace test;

// 甲 (ruler 1, strategist 2 with Politics 8 and Leadership 7) beats 乙 (ruler 4, officers 5 and 6).
class OutcomesTest : public BattleTurn {
protected:
    void SetUp() override {
        g.officerCount = 8;
        g.factionCount = 3;
        put(turn,
            FactionSpec{
                .id = 1, .name = "甲", .kunshuID = 1, .army = 50, .meisei = 195, .kessoku = 95, .tian = 60, .ifu = 98});
        put(turn, FactionSpec{.id = 2,
                              .name = "乙",
                              .kunshuID = 4,
                              .army = 100,
                              .seihei = 10,
                              .meisei = 100,
                              .kessoku = 50,
                              .tian = 61});
        put(turn, FactionSpec{.id = 3, .name = "丙", .kunshuID = 7, .meishuID = 7});
        put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler});
        put(turn, OfficerSpec{.id = 2, .name = "甲師", .kunID = 1, .Job = Job::Strategist, .policy = 8, .tactics = 7});
        put(turn, OfficerSpec{.id = 4, .name = "乙王", .kunID = 4, .Job = Job::Ruler});
        put(turn, OfficerSpec{.id = 5, .name = "乙将", .kunID = 4, .Job = Job::General, .Setu = 2});
        put(turn, OfficerSpec{.id = 6, .name = "乙参", .kunID = 4, .Job = Job::Staff, .Setu = 5});
        put(turn, OfficerSpec{.id = 7, .name = "丙王", .kunID = 7, .Job = Job::Ruler});
        derive(turn);
    }
    gun& ko() { return turn.faction(1); }
    gun& otsu() { return turn.faction(2); }
    const Bushou& strategist() { return turn.officer(2); }
    std::string narrative() const { return turn.pages.at(0); }
    // Rnd_Shuppon twice over 乙's officers 4, 5, 6 finding nobody: every roll 2.
    void nobodyLeaves() { tempt(rng, {2, 2, 2, 2, 2, 2}); }
};

TEST_F(OutcomesTest, VictoryAfterABattleGainsAtTheRateOfPoliticsAndStopsAtTheCaps) {
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    // p = 2 * 8 + 10 = 26: 26 of the loser's 100 join; public order 60 * (1 - 26 / 76) = 39.47.
    // Fame 195 + 10, cohesion 95 + 10 and awe 98 + 5 are capped.
    EXPECT_EQ(standing(ko()), "army 76 elite 0 order 39 fame 200 cohesion 100 awe 100");
    EXPECT_EQ(otsu().army, 100);  // the loser's routine takes its own share
    EXPECT_EQ(narrative(), "");
}

// The caps stop a gain but never take away what a value already holds above them (Awe passes 100
// through gains made while below it: 99 + 3).
TEST_F(OutcomesTest, VictoryNeverLowersAValueAlreadyAboveItsCap) {
    ko().meisei = 201;
    ko().kessoku = 101;
    ko().ifu = 102;
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(standing(ko()), "army 76 elite 0 order 39 fame 201 cohesion 101 awe 102");
}

TEST_F(OutcomesTest, VictoryBySurrenderGainsAtTheRateOfPoliticsAndLeadership) {
    ko().meisei = 100;
    ko().kessoku = 50;
    ko().ifu = 10;
    battle.Shouri_rtn(ko(), otsu(), strategist(), -1);
    // p = Nearest(15 * 1.5 + 10) = Nearest(32.5) = 32; public order 60 * (1 - 32 / 82) = 36.59.
    EXPECT_EQ(standing(ko()), "army 82 elite 0 order 36 fame 110 cohesion 60 awe 15");
}

TEST_F(OutcomesTest, VictoryBetweenEmptyArmiesKeepsPublicOrderAndTroopsSaturate) {
    ko().army = 0;
    otsu().army = 0;
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(ko().army, 0);
    EXPECT_EQ(ko().tian, 60);
    ko().army = 32000;
    otsu().army = 10000;  // 26 percent is 2600 more
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(ko().army, 32767);
}

// What a defeated army keeps is Int((100 - p) / 100 * army) worked out exactly: 68 % of 75 is 51, not
// the 50 that 0.68 held in binary would give. Armies one each side of the exact product floor as usual.
TEST_F(OutcomesTest, TheLoserKeepsItsShareOfTroopsExactly) {
    struct Row {
        const char* name;
        bool surrender;
        int16_t policy, tactics, army, kept;
    };
    const Row rows[] = {
        {"fought, p 32: 0.68 x 75", false, 8, 7, 75, 51},
        {"fought, p 32: 0.68 x 74", false, 8, 7, 74, 50},
        {"fought, p 32: 0.68 x 76", false, 8, 7, 76, 51},
        {"fought, p 30: 0.7 x 90", false, 6, 7, 90, 63},
        {"fought, p 34: 0.66 x 50", false, 8, 8, 50, 33},
        {"surrendered, p 30: 0.7 x 170", true, 10, 0, 170, 119},
        {"surrendered, p 30: 0.7 x 180", true, 10, 0, 180, 126},
        {"surrendered, p 32: 0.68 x 125", true, 11, 0, 125, 85},
        {"surrendered, p 34: 0.66 x 100", true, 12, 0, 100, 66},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bushou P = strategist();
        P.policy = row.policy;
        P.tactics = row.tactics;
        otsu().army = row.army;
        nobodyLeaves();
        if (row.surrender)
            battle.Haiboku_rtn2(otsu(), P);
        else
            battle.Haiboku_rtn(otsu(), P);
        EXPECT_EQ(otsu().army, row.kept);
    }
}

// The winner's public order is diluted by the absorbed troops: Int(order * (1 - g / army)) exactly.
// 30 troops absorbing 7 (26 % of 27) with order 37 keep 37 * 30 / 37 = 30.
TEST_F(OutcomesTest, AbsorbedTroopsDiluteTheWinnersPublicOrderExactly) {
    ko().army = 30;
    ko().tian = 37;
    otsu().army = 27;
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(ko().army, 37);
    EXPECT_EQ(ko().tian, 30);
    // 26 % of 30 is 7.8: 7 join, and order 36 becomes 36 * 30 / 37 = 29.19.
    ko().army = 30;
    ko().tian = 36;
    otsu().army = 30;
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(ko().army, 37);
    EXPECT_EQ(ko().tian, 29);
}

TEST_F(OutcomesTest, TheLosersTroopsNeverFallBelowZero) {
    // Abilities beyond the usual range give rates above 100 percent.
    Bushou giant = strategist();
    giant.policy = 50;
    giant.tactics = 50;
    nobodyLeaves();
    battle.Haiboku_rtn(otsu(), giant);  // p = 160
    EXPECT_EQ(otsu().army, 0);
    otsu().army = 100;
    nobodyLeaves();
    battle.Haiboku_rtn2(otsu(), giant);  // p = 110
    EXPECT_EQ(otsu().army, 0);
}

TEST_F(OutcomesTest, SurrenderMovesTheLoserIntoTheWinnersAllianceUnlessItLeadsItsOwn) {
    // An independent winner takes the loser out of its alliance.
    otsu().meishuID = 7;
    battle.Kouhuku_rtn(ko(), otsu());
    EXPECT_EQ(otsu().meishuID, 0);
    // A winner in 丙's alliance brings the loser into it.
    ko().meishuID = 7;
    battle.Kouhuku_rtn(ko(), otsu());
    EXPECT_EQ(otsu().meishuID, 7);
    // An alliance leader keeps its alliance.
    battle.Kouhuku_rtn(ko(), turn.faction(3));
    EXPECT_EQ(turn.faction(3).meishuID, 7);
    EXPECT_EQ(narrative(), "[41:乙|独立軍閥]\r\n[41:乙|丙王]\r\n[57:丙|甲]\r\n");
}

// A faction without a ruler (ruler number 0, outside any alliance) leads no alliance: it is absorbed
// like any other loser, not taken for a leader because its two zeros match.
TEST_F(OutcomesTest, ALoserWithoutARulerIsNoLeaderAndJoinsTheWinnersAlliance) {
    otsu().kunshuID = 0;
    ko().meishuID = 7;
    battle.Kouhuku_rtn(ko(), otsu());
    EXPECT_EQ(otsu().meishuID, 7);
    EXPECT_EQ(narrative(), "[41:乙|丙王]\r\n");
}

}  // namespace
}  // namespace tei
