#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "support/ScriptedRandom.h"
#include "support/SmallWorld.h"

namespace tei {
namespace {

using namespace test;

// Faction 1 (甲) and faction 2 (乙); each test puts the officers it needs.
class PickersTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.officerCount = 10;
        g.factionCount = 2;
        turn.records.officers[0] = placeholderOfficer();
        turn.records.factions[0] = placeholderFaction();
        put(turn, FactionSpec{.id = 1, .name = "甲", .kunshuID = 1});
        put(turn, FactionSpec{.id = 2, .name = "乙", .kunshuID = 9});
        put(turn,
            OfficerSpec{.id = 9, .name = "乙王", .kunID = 9, .Job = Job::Ruler, .fight = 9, .tactics = 9, .charm = 9});
    }
    const gun& ko() { return turn.faction(1); }

    GameGlobals g;
    ScriptedRandom rng;
    TemplateBook book = echoTemplates();
    Turn turn{g, rng, book};
    Battle battle{turn};
};

TEST_F(PickersTest, CommanderIsTheBestOfGeneralsRulersAndChiefStrategistsWithTiesToTheLowerNumber) {
    put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .tactics = 5, .charm = 6});
    put(turn, OfficerSpec{.id = 2, .name = "甲文", .kunID = 1, .Job = Job::Civil, .tactics = 20, .charm = 20});
    put(turn, OfficerSpec{.id = 3, .name = "甲将", .kunID = 1, .Job = Job::General, .tactics = 7, .charm = 4});
    put(turn, OfficerSpec{.id = 4, .name = "甲師", .kunID = 1, .Job = Job::Strategist, .tactics = 3, .charm = 3});
    put(turn, OfficerSpec{.id = 5, .name = "甲参", .kunID = 1, .Job = Job::Staff, .tactics = 20, .charm = 20});
    derive(turn);
    rng.face(0, 3)
        .face(1, 3)  // ruler: 5 + 6 + 3 = 14
        .face(1, 3)
        .face(0, 3)  // general: 7 + 4 + 3 = 14, a tie keeps the ruler
        .face(2, 3)
        .face(2, 3);  // chief strategist: 3 + 3 + 6 = 12
    EXPECT_EQ(battle.Taishou_rtn(ko()), 1);
    EXPECT_EQ(battle.pickScore, 14);
    EXPECT_EQ(rng.left(), 0u);  // the civil official and the staff officer drew nothing
}

TEST_F(PickersTest, APickerWithoutCandidatesReturnsNobodyAndScoreZeroWithoutDrawing) {
    put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Civil});
    put(turn, OfficerSpec{.id = 2, .name = "甲武", .kunID = 1, .Job = Job::Military, .fight = 8});
    put(turn, OfficerSpec{.id = 3, .name = "甲無", .kunID = 1, .Job = Job::None, .fight = 9});
    derive(turn);
    battle.pickScore = 77;
    EXPECT_EQ(battle.Taishou_rtn(ko()), 0);
    EXPECT_EQ(battle.pickScore, 0);
    EXPECT_EQ(battle.Gunsi_rtn(ko()), 0);
    EXPECT_EQ(battle.Shougun_rtn(ko()), 0);
    EXPECT_EQ(rng.draws(), 0);
    // The military officer is the only champion; the officer without a job takes part in nothing.
    rng.face(1, 2);
    EXPECT_EQ(battle.Ikki_rtn(ko()), 2);
    EXPECT_EQ(battle.pickScore, 10);
}

TEST_F(PickersTest, AGeneralsHalfIntellectIsComparedUnroundedAndStoredRounded) {
    put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .wisdom = 30, .tactics = 30});
    put(turn, OfficerSpec{.id = 2, .name = "甲参", .kunID = 1, .Job = Job::Staff, .wisdom = 5, .tactics = 5});
    put(turn, OfficerSpec{.id = 3, .name = "甲将", .kunID = 1, .Job = Job::General, .wisdom = 7, .tactics = 6});
    put(turn, OfficerSpec{.id = 4, .name = "甲師", .kunID = 1, .Job = Job::Strategist, .wisdom = 6, .tactics = 4});
    derive(turn);
    rng.face(0, 3)
        .face(1, 3)  // staff: 5 + 5 + 3 = 13
        .face(1, 3)
        .face(1, 3)  // general: 3.5 + 6 + 4 = 13.5 > 13, kept as 14
        .face(1, 3)
        .face(1, 3);  // chief strategist: 6 + 4 + 4 = 14, not above the stored 14
    EXPECT_EQ(battle.Gunsi_rtn(ko()), 3);
    EXPECT_EQ(battle.pickScore, 14);
    EXPECT_EQ(rng.left(), 0u);  // the ruler is never a strategist and draws nothing

    // 2.5 + 8 + 2 = 12.5 beats a staff officer's 12 although it is kept as 12 (the even neighbour).
    turn.records.officers[3].wisdom = 5;
    turn.records.officers[3].tactics = 8;
    rng.face(0, 3)
        .face(0, 3)  // staff: 5 + 5 + 2 = 12
        .face(0, 3)
        .face(0, 3)  // general: 12.5
        .face(0, 3)
        .face(0, 3);  // chief strategist: 6 + 4 + 2 = 12
    EXPECT_EQ(battle.Gunsi_rtn(ko()), 3);
    EXPECT_EQ(battle.pickScore, 12);
}

TEST_F(PickersTest, GeneralAndChampionPicks) {
    put(turn, OfficerSpec{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .fight = 6, .tactics = 9});
    put(turn, OfficerSpec{.id = 2, .name = "甲将", .kunID = 1, .Job = Job::General, .fight = 5, .tactics = 4});
    put(turn, OfficerSpec{.id = 3, .name = "甲師", .kunID = 1, .Job = Job::Strategist, .fight = 20});
    put(turn, OfficerSpec{.id = 4, .name = "甲武", .kunID = 1, .Job = Job::Military, .fight = 6});
    put(turn, OfficerSpec{.id = 5, .name = "甲二将", .kunID = 1, .Job = Job::General, .fight = 1, .tactics = 5});
    derive(turn);
    rng.face(2, 3)
        .face(2, 3)  // general 2: 4 + 6 = 10
        .face(1, 3)
        .face(1, 3);  // general 5: 5 + 4 = 9
    EXPECT_EQ(battle.Shougun_rtn(ko()), 2);
    EXPECT_EQ(battle.pickScore, 10);
    // Champions: ruler 6 + 1, general 5 + 2, military officer 6 + 2, general 1 + 2; never the strategist.
    rng.face(0, 2).face(1, 2).face(1, 2).face(1, 2);
    EXPECT_EQ(battle.Ikki_rtn(ko()), 4);
    EXPECT_EQ(battle.pickScore, 8);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(PickersTest, TotalsCountTheirJobsOnlyAndNeverLeaveZero) {
    put(turn, OfficerSpec{
                  .id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler, .policy = 100, .fight = 100, .tactics = 100});
    put(turn,
        OfficerSpec{.id = 2, .name = "甲文", .kunID = 1, .Job = Job::Civil, .policy = 3, .fight = 50, .tactics = 50});
    put(turn, OfficerSpec{
                  .id = 3, .name = "甲武", .kunID = 1, .Job = Job::Military, .policy = 50, .fight = 50, .tactics = 50});
    put(turn,
        OfficerSpec{.id = 4, .name = "甲参", .kunID = 1, .Job = Job::Staff, .policy = 4, .fight = 50, .tactics = 2});
    put(turn,
        OfficerSpec{.id = 5, .name = "甲将", .kunID = 1, .Job = Job::General, .policy = 5, .fight = 7, .tactics = 6});
    put(turn,
        OfficerSpec{.id = 6, .name = "甲二将", .kunID = 1, .Job = Job::General, .policy = 1, .fight = 8, .tactics = 3});
    put(turn, OfficerSpec{
                  .id = 7, .name = "甲師", .kunID = 1, .Job = Job::Strategist, .policy = 2, .fight = 50, .tactics = 9});
    put(turn,
        OfficerSpec{.id = 8, .name = "甲無", .kunID = 1, .Job = Job::None, .policy = 50, .fight = 50, .tactics = 50});
    derive(turn);
    battle.Ttl_Shou_rtn(ko());
    EXPECT_EQ(battle.pickScore, 9);  // generals' Leadership 6 + 3
    battle.Ttl_Fgt_rtn(ko());
    EXPECT_EQ(battle.pickScore, 15);  // generals' Valor 7 + 8
    battle.Ttl_Plc_rtn(ko());
    EXPECT_EQ(battle.pickScore, 15);  // Politics 3 + 4 + 5 + 1 + 2
    battle.Ttl_Wis_rtn(ko());
    EXPECT_EQ(battle.pickScore, 20);  // Leadership 2 + 6 + 3 + 9
    // Faction 2 has only its ruler: every total is the floor of 1.
    for (auto total : {&Battle::Ttl_Shou_rtn, &Battle::Ttl_Fgt_rtn, &Battle::Ttl_Plc_rtn, &Battle::Ttl_Wis_rtn}) {
        (battle.*total)(turn.faction(2));
        EXPECT_EQ(battle.pickScore, 1);
    }
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(PickersTest, ATotalBeyondSixteenBitsSaturates) {
    put(turn, OfficerSpec{.id = 1, .name = "甲将", .kunID = 1, .Job = Job::General, .fight = 30000});
    put(turn, OfficerSpec{.id = 2, .name = "甲二将", .kunID = 1, .Job = Job::General, .fight = 30000});
    derive(turn);
    battle.Ttl_Fgt_rtn(ko());
    EXPECT_EQ(battle.pickScore, 32767);
}

}  // namespace
}  // namespace tei
