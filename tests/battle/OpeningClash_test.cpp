// The choice of tactic and the opening clash of a war, one row per case, each worked out by hand
// from the armies of BattleWorld (甲: S 71, cs 14, gi 8, gl 6, gL 7, dv 8, pl 9, ws 13, elite 5;
// 乙: S 94, cs 14, gi 7, gl 5, gL 6, dv 9, pl 7, ws 11, elite 4, cohesion 40) and the changes a row
// makes. Unless a row says otherwise 甲 opens at morale 214 and 乙 at 177.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "battle/BattleWorld.h"

namespace tei {
namespace {

using namespace test;

struct Opening {
    const char* name;
    void (*arrange)(BattleWorld&);  // changes to the armies; null for none
    int picks;                      // draws of the officer picks
    int moraleA, moraleB, contestA, contestB, duelScore, clashA, clashB;
    int duelA, duelB;          // the duel's own draws; 0 when no duel is fought
    const char* announcement;  // template 17
    const char* opening;       // what follows it up to the middle phase; null: not looked at
};

void PrintTo(const Opening& o, std::ostream* os) { *os << o.name; }

void noElite(BattleWorld& w) { w.ko().seihei = 0; }
// 甲参 at Leadership 2: 乙 wins the contest (12 + r against 12 + r) and plans 奇襲,
// (6 - 2) * 4 * 8 = 128 above 正攻法 41.35, 長期戦 49.96 and 一騎打ち 20.
void weakLeadership(BattleWorld& w) { w.officer(2).tactics = 2; }
// 甲参 at Intellect 5: 乙 wins the contest when its draw is at least 甲's and plans 謀略,
// (94 / 71 + 7 - 5 - 71 / 94) * (60 / 2 + 11) = 105.3, or 一騎打ち when its duel score is higher.
void weakIntellect(BattleWorld& w) { w.officer(2).wisdom = 5; }
// 甲 with 丙 (troops 1000, frame 1 at 80) fields 80 + 800 = 880, 乙 with 丁 (1700, frame 2 at 50)
// 45 + 850 = 895: 大戦略 (1.6 + 6 - 1.3 - 5) * 88 = 114.4 is the plan.
void twoAlliances(BattleWorld& w) {
    w.addFaction(3, "丙", 9, "丙王", 1, 1000);
    w.addFaction(4, "丁", 10, "丁王", 4, 1700);
    w.ko().meishuID = 1;
    w.otsu().meishuID = 4;
    w.frame(1, 80, {1, 3});
    w.frame(2, 50, {2, 4});
}
// 甲 at strength 94 like 乙 (troops 142, no elite): the troop ratios are exactly 1 and 謀略
// scores (1 + 8 - 7 - 1) * 33 = 33 above 正攻法 31.3.
void equalStrength(BattleWorld& w) {
    w.ko().army = 142;
    w.ko().seihei = 0;
}
// 乙 reduced to a powerless ruler and a civil official of Politics -100: morale 5 * 2 - 100 + 100
// = 10, and 甲 plans the duel, (8 - 0) * 12 * 10 = 960. 15 pick draws.
void feebleDefender(BattleWorld& w) {
    w.officer(4).fight = 0;
    w.officer(4).tactics = 0;
    w.officer(4).charm = 0;
    w.officer(5).Job = numberOf(Job::Civil);
    w.officer(5).policy = -100;
    w.officer(6).Job = numberOf(Job::None);
}
// Politics 33 and 32, 甲参 at Leadership 10, no elite: 長期戦 (66 / 94 + 10 - 5 - 94 / 66) * 2 * 33
// = 282.3 is the plan; morale 238 and 202.
void attrition(BattleWorld& w) {
    w.ko().seihei = 0;
    w.officer(2).policy = 30;
    w.officer(2).tactics = 10;
    w.officer(5).policy = 30;
}
// Generals as the only strategists: 甲将 (Intellect 7) counts 4, 乙将 (Intellect 5) counts 2, so
// 4 + 7 + 2 ties 2 + 9 + 2 and 甲 plans; truncating 3.5 or rounding 2.5 up would give it to 乙.
// 20 pick draws; morale 208 and 187.
void generalsAsStrategists(BattleWorld& w) {
    w.officer(2).Job = numberOf(Job::None);
    w.officer(3).wisdom = 7;
    w.officer(5).Job = numberOf(Job::None);
    w.officer(6).tactics = 9;
}
// 甲 at strength 93 + Valor 8 against 94 + 7 with a strategist of Leadership 7: 正攻法 30 + 2 = 32
// ties 奇襲 (7 - 5) * 2 * 8 = 32.
void frontalTiesSurprise(BattleWorld& w) {
    w.ko().army = 137;
    w.ko().seihei = 2;
    w.officer(2).tactics = 7;
    w.officer(2).wisdom = 7;
    w.officer(2).policy = 3;
}
// 乙王 at Valor 7 stays 乙's champion (the tie with 乙将 keeps the lower number): 一騎打ち scores
// (8 - 7) * r * 10 against 奇襲's 80.
void evenerChampion(BattleWorld& w) { w.officer(4).fight = 7; }

const Opening kOpenings[] = {
    // 奇襲 by 甲: gl_B + r_B <= gL_A + r_A succeeds; 乙 loses 3 * 5 + 8 + r_A.
    {"AttackersSurpriseSucceedsOnATie", nullptr, 24, 5, 10, 4, 2, 7, 0, 2, 0, 0, "[17:甲の軍師甲参|奇襲]",
     "[20:甲将|甲将以下、獅子奮迅の働きを見せ、乙軍の士気が 23]\r\n甲の士気 214 乙の士気 154\r\n\r\n"},
    // 5 + 3 > 7 + 0: 甲 loses 94 / 165 * 80 = 45.58.
    {"AttackersSurpriseFails", nullptr, 24, 5, 10, 4, 2, 7, 0, 3, 0, 0, "[17:甲の軍師甲参|奇襲]",
     "[25:甲将|甲軍の士気が 45]\r\n甲の士気 168 乙の士気 177\r\n\r\n"},
    // 奇襲 by 乙: 6 + 1 >= 2 + 5; 甲 loses 3 * 4 + 9 + 5, counting 甲's draw 5, not 乙's 1.
    {"DefendersSurpriseSucceedsOnATieWithTheAttackersDraw", weakLeadership, 24, 5, 10, 2, 2, 2, 5, 1, 0, 0,
     "[17:乙の軍師乙参|奇襲]",
     "[20:乙将|乙王もここぞとばかりに暴れまわり、甲軍の士気が 26]\r\n甲の士気 188 乙の士気 177\r\n\r\n"},
    // 6 + 0 < 2 + 10: 乙 loses 71 / 165 * 80 = 34.42.
    {"DefendersSurpriseFails", weakLeadership, 24, 5, 10, 2, 2, 2, 10, 0, 0, 0, "[17:乙の軍師乙参|奇襲]",
     "[25:乙将|乙軍の士気が 34]\r\n甲の士気 214 乙の士気 143\r\n\r\n"},
    // Without elite troops (S 66) 甲 plans 正攻法, 74 / 101 * 30 + 1 = 22.98. (14 + 6 + 3) - (14 + 5 + 4)
    // = 0: 甲 strikes first, 214 / 3 * 74 / 175 + 3 + 10 = 43.16, then 134 / 3 * 101 / 175 + 4 + 10 = 39.78.
    {"FrontalMarginOfZeroLetsTheAttackerStrikeFirst", noElite, 24, 5, 10, 4, 2, 7, 3, 4, 0, 0,
     "[17:甲の軍師甲参|正攻法]", "[19:乙| 43]\r\n[19:甲| 39]\r\n甲の士気 174 乙の士気 134\r\n\r\n"},
    // 22 - 23 < 0: 甲 loses 177 / 3 * 101 / 175 + 4 + 10 = 48.05, then 乙 166 / 3 * 74 / 175 + 2 + 10 = 35.40.
    {"FrontalWithTheDefenderAheadLetsItStrikeFirst", noElite, 24, 5, 10, 4, 2, 7, 2, 4, 0, 0,
     "[17:甲の軍師甲参|正攻法]", "[19:甲| 48]\r\n[19:乙| 35]\r\n甲の士気 166 乙の士気 142\r\n\r\n"},
    // 5 + .6 + .7 + 4 <= 6 + .7 + .9 + 3: 乙 loses (880 + 7) / 10 + 3 = 91.7.
    {"GrandStrategyWonByTheAttacker", twoAlliances, 24, 5, 10, 4, 2, 7, 3, 4, 0, 0, "[17:甲の軍師甲参|大戦略]",
     "[26:甲参|乙軍の士気が 91]\r\n甲の士気 214 乙の士気 85\r\n\r\n"},
    // 8.3 > 7.6: 甲 loses (895 + 6) / 10 + 2 = 92.1.
    {"GrandStrategyWonByTheDefender", twoAlliances, 24, 5, 10, 4, 2, 7, 0, 2, 0, 0, "[17:甲の軍師甲参|大戦略]",
     "[26:乙参|甲軍の士気が 92]\r\n甲の士気 122 乙の士気 177\r\n\r\n"},
    // 1.32 + 7 + 4 > .76 + 5 + 2: 甲 loses 11 / 2 + 20 + 4 = 29.5; 184.5 goes to the even 184.
    {"IntrigueWonByItsPlanner", weakIntellect, 24, 5, 10, 2, 2, 3, 2, 4, 0, 0, "[17:乙の軍師乙参|謀略]",
     "[28:乙参|甲軍の士気が 29]\r\n甲の士気 184 乙の士気 177\r\n\r\n"},
    // 8.32 <= 15.76: 乙 loses 13 / 2 + 20 + 10 = 36.5; 140.5 goes to 140.
    {"IntrigueTurnedAgainstItsPlanner", weakIntellect, 24, 5, 10, 2, 2, 3, 10, 0, 0, 0, "[17:乙の軍師乙参|謀略]",
     "[28:甲参|乙軍の士気が 36]\r\n甲の士気 214 乙の士気 140\r\n\r\n"},
    // 1 + 7 + 4 = 1 + 8 + 3: 乙 loses 13 / 2 + 20 + 3 = 29.5; 147.5 goes to 148.
    {"IntrigueTieGoesToTheAttacker", equalStrength, 24, 5, 10, 4, 2, 7, 3, 4, 0, 0, "[17:甲の軍師甲参|謀略]",
     "[28:甲参|乙軍の士気が 29]\r\n甲の士気 214 乙の士気 148\r\n\r\n"},
    // 乙's duel (9 - 8) * 12 * 10 = 120 beats 謀略; 9 + 4 <= 8 + 5: 乙 keeps 177 * 3 / 4 - 5 = 127.75.
    {"DuelTieGoesToTheAttackersChampion", weakIntellect, 24, 5, 10, 2, 2, 12, 2, 4, 5, 4, "[17:乙の軍師乙参|一騎打ち]",
     "[29:甲将が乙王|乙]\r\n甲の士気 214 乙の士気 128\r\n\r\n"},
    // 13 > 12: 甲 keeps 214 * 3 / 4 - 4 = 156.5, which goes to 156.
    {"DuelWonByTheDefendersChampion", weakIntellect, 24, 5, 10, 2, 2, 12, 2, 4, 4, 4, "[17:乙の軍師乙参|一騎打ち]",
     "[29:乙王が甲将|甲]\r\n甲の士気 156 乙の士気 177\r\n\r\n"},
    // 10 * 3 / 4 - 8 = -0.5, which goes to the even 0.
    {"DuelLeavesALoserOfMorale10AtZero", feebleDefender, 15, 5, 10, 4, 2, 12, 2, 4, 8, 2, "[17:甲の軍師甲参|一騎打ち]",
     "[29:甲将が乙王|乙]\r\n甲の士気 214 乙の士気 0\r\n\r\n"},
    // 1.42 + 5 + 4 <= .70 + 10 + 2: 乙 loses 33 + 2 + 20.
    {"ProtractedWarWonByTheAttacker", attrition, 24, 5, 10, 4, 2, 7, 2, 4, 0, 0, "[17:甲の軍師甲参|長期戦]",
     "[30:乙| 55]\r\n甲の士気 238 乙の士気 147\r\n\r\n"},
    // 11.42 > 10.70: 甲 loses 32 + 5 + 20.
    {"ProtractedWarWonByTheDefender", attrition, 24, 5, 10, 4, 2, 7, 0, 5, 0, 0, "[17:甲の軍師甲参|長期戦]",
     "[30:甲| 57]\r\n甲の士気 181 乙の士気 202\r\n\r\n"},
    // 謀略 by 甲将: 1.32 + 2 <= .76 + 4, 乙 loses 7 / 2 + 20 = 23.5; 163.5 goes to 164.
    {"GeneralAsStrategistCountsHalfHisIntellectRoundedToEven", generalsAsStrategists, 20, 5, 10, 2, 2, 7, 0, 0, 0, 0,
     "[17:甲の軍師甲将|謀略]", "[28:甲将|乙軍の士気が 23]\r\n甲の士気 208 乙の士気 164\r\n\r\n"},
    {"FrontalTiedBySurpriseStaysFrontal", frontalTiesSurprise, 24, 5, 10, 4, 2, 7, 0, 0, 0, 0,
     "[17:甲の軍師甲参|正攻法]", nullptr},
    {"SurpriseTiedByDuelStaysSurprise", evenerChampion, 24, 5, 10, 4, 2, 8, 0, 0, 0, 0, "[17:甲の軍師甲参|奇襲]",
     nullptr},
    {"DuelAboveSurpriseIsChosen", evenerChampion, 24, 5, 10, 4, 2, 9, 0, 0, 0, 0, "[17:甲の軍師甲参|一騎打ち]",
     nullptr},
};

class OpeningClash : public BattleWorld, public ::testing::WithParamInterface<Opening> {};

TEST_P(OpeningClash, IsToldAsWorkedOut) {
    const Opening& o = GetParam();
    if (o.arrange) o.arrange(*this);
    zeros(o.picks);
    morale(o.moraleA, o.moraleB);
    contest(o.contestA, o.contestB);
    duelScore(o.duelScore);
    clash(o.clashA, o.clashB);
    if (o.duelA > 0) duel(o.duelA, o.duelB);
    rest();
    battle.War_rtn(ko(), otsu());
    EXPECT_EQ(announcement(), o.announcement);
    if (o.opening) {
        EXPECT_EQ(opening(), o.opening);
    }
}

INSTANTIATE_TEST_SUITE_P(War_rtn, OpeningClash, ::testing::ValuesIn(kOpenings),
                         [](const ::testing::TestParamInfo<Opening>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tei
