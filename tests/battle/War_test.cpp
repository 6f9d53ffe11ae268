#include <gtest/gtest.h>

#include "battle/BattleWorld.h"

namespace tei {
namespace {

using namespace test;

using War_rtn = BattleWorld;

TEST_F(War_rtn, AWholeWarFoughtToVictory) {
    picks();
    morale(5, 10);   // 甲王's Capacity 7 reaches 5: 5*7 + 5*14 + 9 + 100 = 214; 乙将's 6 misses 10: 177
    contest(4, 2);   // 8 + 6 + 4 = 18 against 7 + 5 + 2 = 14: 甲参 plans
    duelScore(7);    // 奇襲 (gL 7 - gl 5) * 5 * 8 = 80 beats 正攻法 24.47, 大戦略 9.23, 謀略 14.24,
                     // 一騎打ち (8 - 9) * 7 * 10 = -70, 長期戦 7.76
    clash(5, 1);     // 5 + 1 <= 7 + 5: the surprise succeeds, 乙 loses 3 * 5 + 8 + 5 = 28: 149
    clash(5, 0);     // r_A = 5 + 21.4, r_B = 0 + 14.9; (5 + 14 + 14.9) - (14 + 6 + 26.4) <= 0: 甲 first
                     // 乙 loses 214 / 3 * 79 / 180 + 26.4 + 5 = 62.71: 86
                     // 甲 loses 86 / 3 * 101 / 180 + 14.9 + 4 = 34.99: 179; 179 > 1.5 * 86: 甲 wins
    // 乙 is down to cohesion 26 (2.6) when its officers are tempted, each with Restraint 3.
    rng.face(0, 10).face(0, 10)   // 乙王 never leaves
        .face(2, 10).face(1, 10)  // 乙参 rolls 5, short of 5.6
        .face(3, 10).face(2, 10)  // 乙将 rolls 7: goes over to 甲
        .face(0, 10).face(0, 10)  // 乙王
        .face(4, 10).face(2, 10); // 乙参 rolls 8: leaves service

    battle.War_rtn(ko(), otsu());

    EXPECT_EQ(page(0),
              "[16:甲王の率いる甲軍 71|乙将の率いる乙軍 94]\r\n"
              "[34:甲の総兵力は 71|乙軍のそれは 94]\r\n"
              "[50:甲王|乙軍のそれは 94]\r\n"
              "[51:乙将|乙軍のそれは 94]\r\n"
              "[49:甲|乙軍のそれは 94]\r\n"
              "甲の士気 214 乙の士気 177\r\n\r\n"
              "[17:甲の軍師甲参|奇襲]\r\n"
              "[20:甲将|甲将以下、獅子奮迅の働きを見せ、乙軍の士気が 28]\r\n"
              "甲の士気 214 乙の士気 149\r\n\r\n"
              "その流れのまま中盤戦に入り、[19:乙| 62]\r\n"
              "[19:甲| 34]\r\n"
              "甲の士気 179 乙の士気 86\r\n\r\n"
              "[35:甲| 34]\r\n");
    EXPECT_EQ(page(1), "[42:甲参| 2.7]\r\n[13:乙将|甲]\r\n[37:乙参|甲]\r\n");
    EXPECT_EQ(turn.pages.page, 1);
    EXPECT_EQ(rng.left(), 0u);

    // 甲 gains 22 percent (2 * 6 + 10) of 乙's 90: 19; public order 50 * (1 - 19 / 119) = 42.02.
    EXPECT_EQ(ko().army, 119);
    EXPECT_EQ(ko().seihei, 5);
    EXPECT_EQ(ko().tian, 42);
    EXPECT_EQ(ko().meisei, 130);
    EXPECT_EQ(ko().kessoku, 70);
    EXPECT_EQ(ko().ifu, 35);
    // 乙 loses 28 percent (Nearest(12 * 1.5 + 10)): Int(0.72 * 90) = 64.
    EXPECT_EQ(otsu().army, 64);
    EXPECT_EQ(otsu().seihei, 2);
    EXPECT_EQ(otsu().meisei, 72);
    EXPECT_EQ(otsu().tian, 50);
    EXPECT_EQ(otsu().kessoku, 26);
    EXPECT_EQ(otsu().ifu, 20);
    EXPECT_EQ(officer(6).gunID, 1);
    EXPECT_EQ(officer(6).kunID, 1);
    EXPECT_EQ(officer(5).gunID, 0);
    EXPECT_EQ(officer(5).kunID, 0);
    EXPECT_EQ(officer(4).gunID, 2);
}

}  // namespace
}  // namespace tei
