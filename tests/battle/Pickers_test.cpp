#include <gtest/gtest.h>

#include "battle/BattleWorld.h"

namespace tei {

void PrintTo(const Pick& p, std::ostream* os) { *os << "officer " << p.officer << ", score " << p.score; }

namespace {

using namespace test;

// Faction 1 (甲) and faction 2 (乙, its ruler alone); each test hires the officers of 甲 it needs.
class PickersTest : public BattleTurn {
protected:
    void SetUp() override {
        g.officerCount = 10;
        g.factionCount = 2;
        put(turn, FactionSpec{.id = 1, .name = "甲", .kunshuID = 1});
        put(turn, FactionSpec{.id = 2, .name = "乙", .kunshuID = 9});
        put(turn,
            OfficerSpec{.id = 9, .name = "乙王", .kunID = 9, .Job = Job::Ruler, .fight = 9, .tactics = 9, .charm = 9});
    }
    // An officer of 甲: number, name, job; Politics, Valor, Intellect, Leadership, Capacity.
    void hire(int16_t id, const char* name, Job job, int16_t policy, int16_t fight, int16_t wisdom, int16_t tactics,
              int16_t charm) {
        put(turn, OfficerSpec{id, name, 1, job, policy, fight, wisdom, tactics, charm, 0});
    }
    // The random term Int(Rnd * 3) + Int(Rnd * 3) + 2 of one candidate (2..6).
    void term(int r) { sumOf(rng, r - 2, 3, 3); }
    const gun& ko() { return turn.faction(1); }
};

TEST_F(PickersTest, CommanderIsTheBestOfGeneralsRulersAndChiefStrategistsWithTiesToTheLowerNumber) {
    hire(1, "甲王", Job::Ruler, 1, 1, 0, 5, 6);
    hire(2, "甲文", Job::Civil, 1, 1, 0, 20, 20);
    hire(3, "甲将", Job::General, 1, 1, 0, 7, 4);
    hire(4, "甲師", Job::Strategist, 1, 1, 0, 3, 3);
    hire(5, "甲参", Job::Staff, 1, 1, 0, 20, 20);
    derive(turn);
    term(3);  // ruler: 5 + 6 + 3 = 14
    term(3);  // general: 7 + 4 + 3 = 14, a tie keeps the ruler
    term(6);  // chief strategist: 3 + 3 + 6 = 12
    EXPECT_EQ(battle.Taishou_rtn(ko()), (Pick{1, 14}));
    EXPECT_EQ(rng.left(), 0u);  // the civil official and the staff officer drew nothing
}

TEST_F(PickersTest, APickerWithoutCandidatesReturnsNobodyAndScoreZeroWithoutDrawing) {
    hire(1, "甲王", Job::Civil, 1, 1, 0, 0, 0);
    hire(2, "甲武", Job::Military, 1, 8, 0, 0, 0);
    hire(3, "甲無", Job::None, 1, 9, 0, 0, 0);
    derive(turn);
    EXPECT_EQ(battle.Taishou_rtn(ko()), (Pick{0, 0}));
    EXPECT_EQ(battle.Gunsi_rtn(ko()), Pick{});
    EXPECT_EQ(battle.Shougun_rtn(ko()), Pick{});
    EXPECT_EQ(rng.draws(), 0);
    // The military officer is the only champion; the officer without a job takes part in nothing.
    rng.face(1, 2);
    EXPECT_EQ(battle.Ikki_rtn(ko()), (Pick{2, 10}));
}

TEST_F(PickersTest, AGeneralsHalfIntellectIsComparedUnroundedAndStoredRounded) {
    hire(1, "甲王", Job::Ruler, 1, 1, 30, 30, 0);
    hire(2, "甲参", Job::Staff, 1, 1, 5, 5, 0);
    hire(3, "甲将", Job::General, 1, 1, 7, 6, 0);
    hire(4, "甲師", Job::Strategist, 1, 1, 6, 4, 0);
    derive(turn);
    term(3);  // staff: 5 + 5 + 3 = 13
    term(4);  // general: 3.5 + 6 + 4 = 13.5 > 13, kept as 14
    term(4);  // chief strategist: 6 + 4 + 4 = 14, not above the stored 14
    EXPECT_EQ(battle.Gunsi_rtn(ko()), (Pick{3, 14}));
    EXPECT_EQ(rng.left(), 0u);  // the ruler is never a strategist and draws nothing

    // 2.5 + 8 + 2 = 12.5 beats a staff officer's 12 although it is kept as 12 (the even neighbour).
    turn.records.officers[3].wisdom = 5;
    turn.records.officers[3].tactics = 8;
    term(2);  // staff: 5 + 5 + 2 = 12
    term(2);  // general: 12.5
    term(2);  // chief strategist: 6 + 4 + 2 = 12
    EXPECT_EQ(battle.Gunsi_rtn(ko()), (Pick{3, 12}));
}

TEST_F(PickersTest, GeneralAndChampionPicks) {
    hire(1, "甲王", Job::Ruler, 1, 6, 0, 9, 0);
    hire(2, "甲将", Job::General, 1, 5, 0, 4, 0);
    hire(3, "甲師", Job::Strategist, 1, 20, 0, 0, 0);
    hire(4, "甲武", Job::Military, 1, 6, 0, 0, 0);
    hire(5, "甲二将", Job::General, 1, 1, 0, 5, 0);
    derive(turn);
    term(6);  // general 2: 4 + 6 = 10
    term(4);  // general 5: 5 + 4 = 9
    EXPECT_EQ(battle.Shougun_rtn(ko()), (Pick{2, 10}));
    // Champions: ruler 6 + 1, general 5 + 2, military officer 6 + 2, general 1 + 2; never the strategist.
    rng.face(0, 2).face(1, 2).face(1, 2).face(1, 2);
    EXPECT_EQ(battle.Ikki_rtn(ko()), (Pick{4, 8}));
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(PickersTest, TotalsCountTheirJobsOnlyNeverLeaveZeroAndSaturate) {
    hire(1, "甲王", Job::Ruler, 100, 100, 0, 100, 0);
    hire(2, "甲文", Job::Civil, 3, 50, 0, 50, 0);
    hire(3, "甲武", Job::Military, 50, 50, 0, 50, 0);
    hire(4, "甲参", Job::Staff, 4, 50, 0, 2, 0);
    hire(5, "甲将", Job::General, 5, 7, 0, 6, 0);
    hire(6, "甲二将", Job::General, 1, 8, 0, 3, 0);
    hire(7, "甲師", Job::Strategist, 2, 50, 0, 9, 0);
    hire(8, "甲無", Job::None, 50, 50, 0, 50, 0);
    derive(turn);
    EXPECT_EQ(battle.Ttl_Shou_rtn(ko()), 9);  // generals' Leadership 6 + 3
    EXPECT_EQ(battle.Ttl_Fgt_rtn(ko()), 15);  // generals' Valor 7 + 8
    EXPECT_EQ(battle.Ttl_Plc_rtn(ko()), 15);  // Politics 3 + 4 + 5 + 1 + 2
    EXPECT_EQ(battle.Ttl_Wis_rtn(ko()), 20);  // Leadership 2 + 6 + 3 + 9
    // Faction 2 has only its ruler: every total is the floor of 1.
    for (auto total : {&Battle::Ttl_Shou_rtn, &Battle::Ttl_Fgt_rtn, &Battle::Ttl_Plc_rtn, &Battle::Ttl_Wis_rtn})
        EXPECT_EQ((battle.*total)(turn.faction(2)), 1);
    EXPECT_EQ(rng.draws(), 0);
    // Two generals of Valor 30000 sum past 16 bits.
    turn.records.officers[5].fight = 30000;
    turn.records.officers[6].fight = 30000;
    EXPECT_EQ(battle.Ttl_Fgt_rtn(ko()), 32767);
}

}  // namespace
}  // namespace tei
