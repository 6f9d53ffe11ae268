#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "support/ScriptedRandom.h"
#include "support/SmallWorld.h"

namespace tei {
namespace {

using namespace test;

// 甲 (ruler 1, strategist 2 with Politics 8 and Leadership 7) beats 乙 (ruler 4, officers 5 and 6).
class OutcomesTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.officerCount = 8;
        g.factionCount = 3;
        turn.records.officers[0] = placeholderOfficer();
        turn.records.factions[0] = placeholderFaction();
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
    // Rnd_Shuppon over 乙's officers 4, 5, 6 finding nobody: every roll 2.
    void nobodyLeaves(int officers) {
        for (int i = 0; i < officers; ++i) rng.face(0, 10).face(0, 10);
    }

    GameGlobals g;
    ScriptedRandom rng;
    TemplateBook book = echoTemplates();
    Turn turn{g, rng, book};
    Battle battle{turn};
};

TEST_F(OutcomesTest, VictoryAfterABattleGainsAtTheRateOfPoliticsAndStopsAtTheCaps) {
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    // p = 2 * 8 + 10 = 26: 26 of the loser's 100 join; public order 60 * (1 - 26 / 76) = 39.47.
    EXPECT_EQ(ko().army, 76);
    EXPECT_EQ(ko().tian, 39);
    EXPECT_EQ(ko().meisei, 200);   // 195 + 10, capped
    EXPECT_EQ(ko().kessoku, 100);  // 95 + 10, capped
    EXPECT_EQ(ko().ifu, 100);      // 98 + 5, capped
    EXPECT_EQ(otsu().army, 100);   // the loser's routine takes its own share
    EXPECT_EQ(narrative(), "");
}

TEST_F(OutcomesTest, VictoryBySurrenderGainsAtTheRateOfPoliticsAndLeadership) {
    ko().meisei = 100;
    ko().kessoku = 50;
    ko().ifu = 10;
    battle.Shouri_rtn(ko(), otsu(), strategist(), -1);
    // p = Nearest(15 * 1.5 + 10) = Nearest(32.5) = 32; public order 60 * (1 - 32 / 82) = 36.59.
    EXPECT_EQ(ko().army, 82);
    EXPECT_EQ(ko().tian, 36);
    EXPECT_EQ(ko().meisei, 110);
    EXPECT_EQ(ko().kessoku, 60);
    EXPECT_EQ(ko().ifu, 15);
}

TEST_F(OutcomesTest, VictoryBetweenTwoEmptyArmiesLeavesPublicOrderAlone) {
    ko().army = 0;
    otsu().army = 0;
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(ko().army, 0);
    EXPECT_EQ(ko().tian, 60);
}

TEST_F(OutcomesTest, VictoryTroopsSaturateAtSixteenBits) {
    ko().army = 32000;
    otsu().army = 10000;  // 26 percent is 2600 more
    battle.Shouri_rtn(ko(), otsu(), strategist(), 0);
    EXPECT_EQ(ko().army, 32767);
}

TEST_F(OutcomesTest, DefeatAfterABattleCostsTroopsStandingAndTwoOfficers) {
    // 乙's cohesion is already down to 33 when its officers are tempted: 3.3 + Restraint.
    rng.face(9, 10)
        .face(9, 10)  // the ruler rolls 20 but never leaves
        .face(2, 10)
        .face(2, 10)  // 乙将 rolls 6 >= 5.3: goes over to 甲
        .face(0, 10)
        .face(0, 10)  // the ruler again
        .face(3, 10)
        .face(4, 10);  // 乙参 rolls 9 >= 8.3: leaves service
    battle.Haiboku_rtn(otsu(), strategist());
    // p = Nearest(32.5) = 32: 乙 keeps Int(0.68 * 100).
    EXPECT_EQ(otsu().army, 68);
    EXPECT_EQ(otsu().seihei, 6);
    EXPECT_EQ(otsu().meisei, 80);
    EXPECT_EQ(otsu().tian, 30);
    EXPECT_EQ(otsu().kessoku, 33);
    EXPECT_EQ(turn.officer(5).gunID, 1);
    EXPECT_EQ(turn.officer(5).kunID, 1);
    EXPECT_EQ(turn.officer(6).gunID, 0);
    EXPECT_EQ(turn.officer(6).kunID, 0);
    EXPECT_EQ(narrative(), "[13:乙将|甲]\r\n[37:乙参|甲]\r\n");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(OutcomesTest, DefeatBySurrenderSparesPublicOrderButCostsMoreStanding) {
    nobodyLeaves(6);  // two draws over three officers, cohesion now 25
    battle.Haiboku_rtn2(otsu(), strategist());
    // p = 26: 乙 keeps Int(0.74 * 100).
    EXPECT_EQ(otsu().army, 74);
    EXPECT_EQ(otsu().seihei, 6);
    EXPECT_EQ(otsu().meisei, 60);
    EXPECT_EQ(otsu().kessoku, 25);
    EXPECT_EQ(otsu().tian, 61);
    EXPECT_EQ(turn.officer(5).gunID, 2);
    EXPECT_EQ(turn.officer(6).gunID, 2);
    EXPECT_EQ(narrative(), "");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(OutcomesTest, WithThePlaceholderAsStrategistTheDefectorLeavesServiceAndThePlaceholderStaysUntouched) {
    rng.face(0, 10).face(0, 10).face(9, 10).face(9, 10);  // 乙将 rolls 20
    nobodyLeaves(2);                                      // then nobody flees
    battle.Haiboku_rtn(otsu(), turn.officer(0));
    EXPECT_EQ(otsu().army, 90);  // p = Nearest(0 * 1.5 + 10) = 10
    EXPECT_EQ(turn.officer(5).gunID, 0);
    EXPECT_EQ(turn.officer(5).kunID, 0);
    EXPECT_EQ(narrative(), "[13:乙将|某国]\r\n");
    const Bushou& nobody = turn.officer(0);
    EXPECT_EQ(nobody.name, "何某");
    EXPECT_EQ(nobody.gunID, 0);
    EXPECT_EQ(nobody.policy, 0);
    EXPECT_EQ(turn.faction(0).army, 0);
}

TEST_F(OutcomesTest, TheLosersTroopsNeverFallBelowZero) {
    // Abilities beyond the usual range give rates above 100 percent.
    Bushou giant = strategist();
    giant.policy = 50;
    giant.tactics = 50;
    nobodyLeaves(6);
    battle.Haiboku_rtn(otsu(), giant);  // p = 160
    EXPECT_EQ(otsu().army, 0);
    otsu().army = 100;
    nobodyLeaves(6);
    battle.Haiboku_rtn2(otsu(), giant);  // p = 110
    EXPECT_EQ(otsu().army, 0);
}

TEST_F(OutcomesTest, ADrawCostsBothSidesAQuarterWithoutTextOrDraws) {
    ko().army = 101;
    ko().seihei = 7;
    battle.Hikiwake_rtn(ko(), otsu());
    EXPECT_EQ(ko().army, 75);
    EXPECT_EQ(ko().seihei, 5);
    EXPECT_EQ(ko().tian, 45);
    EXPECT_EQ(otsu().army, 75);
    EXPECT_EQ(otsu().seihei, 7);
    EXPECT_EQ(otsu().tian, 45);
    EXPECT_EQ(ko().meisei, 195);
    EXPECT_EQ(narrative(), "");
    EXPECT_EQ(rng.draws(), 0);
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

}  // namespace
}  // namespace tei
