#include <gtest/gtest.h>

#include "battle/BattleWorld.h"
#include "core/RecordFiles.h"

namespace tei {
namespace {

using namespace test;

using Gisen_rtn = BattleWorld;

// 甲参 at Politics 16 and 乙参 at 28 make the Politics totals 19 and 30. 乙 enters at 200, is cut to
// 180, and is judged against 200 at the end: at 93 it is below two thirds of 200, but 甲's 137 falls
// short of three quarters of 200 (150). Judged against 180 (135) it would have lost.
TEST_F(Gisen_rtn, TheDefenderIsJudgedAgainstItsMoraleBeforeTheCut) {
    officer(2).policy = 16;
    officer(5).policy = 28;
    picks();
    morale(5, 10);  // 35 + 70 + 19 + 100 = 224; 70 + 30 + 100 = 200, cut to 180
    contest(4, 2);  // 甲 plans, from 正攻法 (20 - 19) * 79 / 2 = 39.5, 大戦略 0, 謀略 26.35 and
    duelScore(7);   // 一騎打ち -70; 奇襲 (80) and 長期戦 (30.3) are not the attacker's to choose
    clash(0, 0);    // 20 - 19 >= 0: 乙 loses 224 / 3 * 79 / 180 + 10 = 42.77, 甲 137 / 3 * 101 / 180 + 10 = 35.62
    clash(0, 8);    // r_A = 18.8, r_B = 8 + 13.7: 40.7 - 38.8 > 0, 乙 first:
                    // 甲 loses 137 / 3 * 101 / 180 + 21.7 + 4 = 51.32, 乙 loses 137 / 3 * 79 / 180 + 18.8 + 5 = 43.84
    std::string officersBefore = formatOfficers(turn.records.officers, 10);

    battle.Gisen_rtn(ko(), otsu());

    EXPECT_NE(page(0).find("[49:乙|乙軍のそれは 94]\r\n甲の士気 224 乙の士気 180\r\n\r\n"), std::string::npos);
    EXPECT_EQ(announcement(), "[17:甲の軍師甲参|正攻法]");
    std::string end = "甲の士気 137 乙の士気 93\r\n\r\n[36:乙| 43]\r\n";
    EXPECT_EQ(endOf(0, end), end);
    EXPECT_EQ(page(1), "");
    EXPECT_EQ(rng.left(), 0u);
    EXPECT_EQ(ko().army, 75);  // a draw: both lose a quarter, and no officer is lost
    EXPECT_EQ(otsu().army, 67);
    EXPECT_EQ(formatOfficers(turn.records.officers, 10), officersBefore);
}

TEST_F(Gisen_rtn, TheDefendersMoraleIsCutByATenthThenCappedWhileTheAttackersIsNeverCapped) {
    officer(2).policy = 112;  // Politics 115: 35 + 70 + 115 + 100 = 320
    officer(5).policy = 98;   // Politics 100: 30 + 70 + 100 + 100 = 300, cut to 270, capped to 250
    picks();
    morale(5, 5);
    contest(4, 2);
    duelScore(7);
    rest();
    battle.Gisen_rtn(ko(), otsu());
    EXPECT_NE(page(0).find("[49:甲|乙軍のそれは 94]\r\n甲の士気 320 乙の士気 250\r\n\r\n"), std::string::npos);
}

// With 甲参 at Leadership 2 and 甲王 at Capacity 10, 乙 wins the contest and scores all six tactics:
// 正攻法 (19 - 19) * 101 / 2 = 0, 奇襲 (6 - 2) * 4 * 8 = 128, 大戦略 25.4, 謀略 -32.7, 一騎打ち 70,
// 長期戦 44.8.
TEST_F(Gisen_rtn, TheDefenderMayStillPlanASurprise) {
    officer(2).tactics = 2;
    officer(1).charm = 10;
    picks();
    morale(5, 10);  // 50 + 85 + 9 + 100 = 244; 177 cut to 159
    contest(2, 2);
    duelScore(7);
    rest();
    battle.Gisen_rtn(ko(), otsu());
    EXPECT_EQ(announcement(), "[17:乙の軍師乙参|奇襲]");
}

// Neither side has a strategist; 甲 (troops 10, strength 6, fielding 7) is a poor match for 乙
// (commander score 15, a court official of Politics 100). 甲 still wins the tied contest and scores
// 正攻法 ((14 + 1) - (15 + 1)) * 7 / 2 = -3.5 above 大戦略 -6.93, 謀略 -280 and 一騎打ち -70; the 0 of
// 奇襲 is not the attacker's to choose.
TEST_F(Gisen_rtn, TheAttackerMayChooseANegativeFrontalScore) {
    officer(2).Job = numberOf(Job::None);
    officer(3).Job = numberOf(Job::Military);
    officer(5).Job = numberOf(Job::None);
    officer(6).Job = numberOf(Job::Military);
    officer(4).charm = 9;
    put(turn, OfficerSpec{.id = 7, .name = "乙文", .kunID = 4, .Job = Job::Civil, .policy = 100});
    derive(turn);
    ko().army = 10;
    ko().seihei = 0;
    zeros(8);
    morale(5, 10);  // 206; 75 + 100 + 100 = 275, cut to Nearest(247.5) = 248
    contest(2, 2);
    duelScore(7);
    rest();
    battle.Gisen_rtn(ko(), otsu());
    EXPECT_NE(page(0).find("甲の士気 206 乙の士気 248\r\n\r\n"), std::string::npos);
    EXPECT_EQ(announcement(), "[17:甲の軍師|正攻法]");
}

// The alliance that makes 乙 yield in a war (甲 with 丙 fielding 1280, here 1536) fights a
// righteous war out.
TEST_F(Gisen_rtn, AnOverwhelmingAttackerStillFights) {
    addFaction(3, "丙", 9, "丙王", 1, 1500);
    ko().meishuID = 1;
    frame(1, 80, {1, 3});
    usualStart();
    rest();
    battle.Gisen_rtn(ko(), otsu());
    EXPECT_NE(page(0).find("[34:甲の総兵力は 1536|乙軍のそれは 94]\r\n"), std::string::npos);
    EXPECT_EQ(announcement(), "[17:甲の軍師甲参|謀略]");
    EXPECT_EQ(page(0).find("[40:"), std::string::npos);  // no yielding
    EXPECT_EQ(otsu().meishuID, 0);
}

TEST_F(Gisen_rtn, TheFrontalScoreBeyondSixteenBitsKeepsItsSize) {
    // Strength 32767 (saturated) + Valor 8 = 32775 times a margin of 1, halved: 16387.5, above
    // 謀略's 13836.8. In 16 bits the product would turn negative.
    ko().army = 32767;
    ko().tian = 100;
    usualStart();
    rest();
    battle.Gisen_rtn(ko(), otsu());
    std::string start =
        "[16:甲王の率いる甲軍 32767|乙将の率いる乙軍 94]\r\n[34:甲の総兵力は 39320|乙軍のそれは 94]\r\n";
    EXPECT_EQ(startOf(0, start), start);
    EXPECT_EQ(announcement(), "[17:甲の軍師甲参|正攻法]");
}

}  // namespace
}  // namespace tei
