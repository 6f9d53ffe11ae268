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

// The winner's gains, one row per case. After a battle p = 2 * 8 + 10 = 26, after a surrender
// p = Nearest(15 * 1.5 + 10) = Nearest(32.5) = 32; p percent of the loser's troops join, and public order
// is diluted to Int(order * (1 - g / army)) worked out exactly. Fame +10, cohesion +10 and awe +5 stop at
// 200, 100 and 100 but never take away what a value already holds above them.
TEST_F(OutcomesTest, TheWinnerGainsAtItsRateAndStopsAtTheCaps) {
    struct Row {
        const char* name;
        int16_t surrender, army, order, fame, cohesion, awe, loserArmy;
        const char* standing;
    };
    const Row rows[] = {
        // 26 of 100 join; order 60 * (1 - 26 / 76) = 39.47; 195, 95 and 98 are capped.
        {"battle", 0, 50, 60, 195, 95, 98, 100, "army 76 elite 0 order 39 fame 200 cohesion 100 awe 100"},
        // Values above their caps (reached through gains made below them) are kept.
        {"above the caps", 0, 50, 60, 201, 101, 102, 100, "army 76 elite 0 order 39 fame 201 cohesion 101 awe 102"},
        // 32 of 100 join; order 60 * (1 - 32 / 82) = 36.59.
        {"surrender", -1, 50, 60, 100, 50, 10, 100, "army 82 elite 0 order 36 fame 110 cohesion 60 awe 15"},
        // Both armies empty: the new army is 0 and public order stays.
        {"empty armies", 0, 0, 60, 100, 50, 10, 0, "army 0 elite 0 order 60 fame 110 cohesion 60 awe 15"},
        // 2600 more saturate at 32767, which dilutes order 60 to 60 * (1 - 2600 / 32767) = 55.24.
        {"saturated", 0, 32000, 60, 100, 50, 10, 10000, "army 32767 elite 0 order 55 fame 110 cohesion 60 awe 15"},
        // 30 absorbing 7 (26 % of 27) with order 37 keep 37 * 30 / 37 = 30 exactly.
        {"exact dilution", 0, 30, 37, 100, 50, 10, 27, "army 37 elite 0 order 30 fame 110 cohesion 60 awe 15"},
        // 26 % of 30 is 7.8: 7 join, and order 36 becomes 36 * 30 / 37 = 29.19.
        {"dilution floored", 0, 30, 36, 100, 50, 10, 30, "army 37 elite 0 order 29 fame 110 cohesion 60 awe 15"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ko() = gun{.id = 1,
                   .name = "甲",
                   .army = row.army,
                   .meisei = row.fame,
                   .kessoku = row.cohesion,
                   .tian = row.order,
                   .ifu = row.awe};
        otsu().army = row.loserArmy;
        battle.Shouri_rtn(ko(), otsu(), strategist(), row.surrender);
        EXPECT_EQ(standing(ko()), row.standing);
        EXPECT_EQ(otsu().army, row.loserArmy);  // the loser's routine takes its own share
    }
    EXPECT_EQ(narrative(), "");
}

// The loser of a battle (rate p = 32 from Politics and Leadership) keeps 68 of 100 troops, 2/3 of its
// elite troops and cohesion, 4/5 of its fame and half its public order; the loser of a surrender (p = 26
// from Politics) keeps 74, 2/3 of its elite troops, 3/5 of its fame, half its cohesion and all its order.
// Cohesion falls before the officers are tempted: after the battle 乙将 (Restraint 2) rolls 7, exactly
// 5.0 + 2, and goes over to the strategist's 甲; then 乙参 (Restraint 5) rolls 9 >= 3.3 + 5 and leaves.
TEST_F(OutcomesTest, TheLoserLosesItsSharesAndUpToTwoOfficers) {
    tempt(rng, {2, 7, 2, 9});
    battle.Haiboku_rtn(otsu(), strategist());
    EXPECT_EQ(standing(otsu()), "army 68 elite 6 order 30 fame 80 cohesion 33 awe 0");
    EXPECT_EQ(narrative(), "[13:乙将|甲]\r\n[37:乙参|甲]\r\n");
    EXPECT_EQ(turn.officer(5).gunID, 1);
    EXPECT_EQ(turn.officer(5).kunID, 1);
    EXPECT_EQ(turn.officer(6).gunID, 0);
    EXPECT_EQ(turn.officer(6).kunID, 0);
    EXPECT_EQ(rng.left(), 0u);

    otsu() =
        gun{.id = 2, .name = "乙", .kunshuID = 4, .army = 100, .seihei = 10, .meisei = 100, .kessoku = 50, .tian = 61};
    battle.Haiboku_rtn2(otsu(), strategist());
    EXPECT_EQ(standing(otsu()), "army 74 elite 6 order 61 fame 60 cohesion 25 awe 0");
    EXPECT_EQ(rng.draws(), 8);  // 乙王 is left alone: nobody to tempt, nothing drawn
}

// A draw costs both sides a quarter of their troops, elite troops and public order.
TEST_F(OutcomesTest, ADrawCostsBothAQuarter) {
    battle.Hikiwake_rtn(ko(), otsu());
    EXPECT_EQ(standing(ko()), "army 37 elite 0 order 45 fame 195 cohesion 95 awe 98");
    EXPECT_EQ(standing(otsu()), "army 75 elite 7 order 45 fame 100 cohesion 50 awe 0");
    EXPECT_EQ(rng.draws(), 0);
}

// What a defeated army keeps is Int((100 - p) / 100 * army) worked out exactly: 68 % of 75 is 51, not
// the 50 that 0.68 held in binary would give. Armies one each side of the exact product floor as usual,
// and rates above 100 percent (abilities beyond the usual range) leave nothing, never less.
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
        {"fought, p 160", false, 50, 50, 100, 0},
        {"surrendered, p 30: 0.7 x 170", true, 10, 0, 170, 119},
        {"surrendered, p 30: 0.7 x 180", true, 10, 0, 180, 126},
        {"surrendered, p 32: 0.68 x 125", true, 11, 0, 125, 85},
        {"surrendered, p 34: 0.66 x 100", true, 12, 0, 100, 66},
        {"surrendered, p 110", true, 50, 50, 100, 0},
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
