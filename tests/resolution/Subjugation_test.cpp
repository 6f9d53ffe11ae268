// 黄巾賊退治 and 異民族討伐.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Subdue : public ResolutionWorld {
protected:
    void SetUp() override {
        officer(8).charm = 5;  // 徐庶 leads the rebels
        g.textArg1 = "前1";
        g.textArg2 = "前2";
    }
};

TEST_F(Subdue, YellowTurbansLostBattleChangesNothingAtAll) {
    officer(3).tactics = 11;
    faction(1).meisei = 50;
    // best 10 < 6 + 5 and Leadership 11 is not above 11
    res.subdueYellowTurbans(won(4, 3, 5, 8, 30, 6, 10));
    EXPECT_EQ(story(), "[43:夏侯惇|前2]\r\n");
    EXPECT_EQ(faction(1).meisei, 50);
    EXPECT_EQ(officer(8).gunID, 0);
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(Subdue, YellowTurbansRoutedByLeadershipWithGainsMadeOnlyBelowTheBound) {
    officer(3).tactics = 12;  // 12 > 6 + 5
    officer(1).charm = 8;     // the lord's Capacity decides the capture
    faction(1).meisei = 199;
    faction(1).ifu = 99;
    faction(1).tian = 10;
    faction(1).army = 5;
    rng.face(4, 10)
        .face(5, 10)  // s = 11: 10 + 11 >= 30 / 3
        .dice(3, 3);  // 8 + 6 >= 5 + 5: he joins
    res.subdueYellowTurbans(won(4, 3, 5, 8, 30, 6, 10));
    EXPECT_EQ(story(), "[4:夏侯惇|前2]\r\n[14:魏| 30000が魏]\r\n[1:夏侯惇|徐庶が魏]\r\n");
    EXPECT_EQ(faction(1).meisei, 202);  // 199 + 3, then no more once at 200
    EXPECT_EQ(faction(1).ifu, 100);
    EXPECT_EQ(faction(1).army, 35);
    EXPECT_EQ(officer(8).kunID, 1);
    EXPECT_EQ(officer(8).gunID, 1);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Subdue, YellowTurbansNotRoutedAndTheLeaderHides) {
    faction(1).tian = 8;
    faction(1).army = 5;
    rng.face(0, 10)
        .face(0, 10)                                      // s = 2: 8 + 2 falls short of 31 / 3
        .dice(1, 1);                                      // 0 + 2 < 5 + 5
    res.subdueYellowTurbans(won(4, 3, 5, 8, 31, 6, 11));  // best 11 >= 11
    EXPECT_EQ(story(), "[4:夏侯惇|前2]\r\n[24:魏| 31000]\r\n徐庶は身を隠したようだった。\r\n\r\n");
    EXPECT_EQ(faction(1).army, 5);
    EXPECT_EQ(faction(1).meisei, 3);
    EXPECT_EQ(faction(1).ifu, 1);
    EXPECT_EQ(officer(8).gunID, 0);
}

TEST_F(Subdue, BarbariansWonGiveEliteFameAndAweAndTheWinnersOwnCapacityCaptures) {
    officer(1).charm = 4;
    officer(1).fight = 7;
    faction(1).tian = 3;
    faction(1).meisei = 100;
    faction(1).ifu = 99;
    rng.dice(6, 6);                                // 4 + 12 >= 5 + 6
    res.subdueBarbarians(won(5, 1, 6, 8, 10, 5));  // 7 + 4 >= 5 + 6
    EXPECT_EQ(story(), "[5:曹操|前2]\r\n[46:曹操|魏]\r\n[15:曹操| 10000が魏]\r\n[1:曹操|徐庶が魏]\r\n");
    EXPECT_EQ(faction(1).seihei, 5);  // Int(10 * 5 / 10)
    EXPECT_EQ(faction(1).tian, 0);    // 3 - 5, not below 0
    EXPECT_EQ(faction(1).meisei, 104);
    EXPECT_EQ(faction(1).ifu, 102);  // 99 + 3, then no more
    EXPECT_EQ(officer(8).gunID, 1);
}

TEST_F(Subdue, BarbariansLostBattleKeepsTheEliteAndTheUnrest) {
    officer(1).charm = 4;
    officer(1).fight = 7;
    faction(1).tian = 50;
    faction(1).ifu = 99;
    rng.dice(1, 1);                               // 4 + 2 < 5 + 7
    res.subdueBarbarians(won(5, 1, 7, 8, 7, 5));  // 11 < 12
    EXPECT_EQ(story(), "[5:曹操|前2]\r\n[15:曹操| 7000が魏]\r\n徐庶は身を隠したようだった。\r\n\r\n");
    EXPECT_EQ(faction(1).seihei, 3);  // Int(7 * 5 / 10)
    EXPECT_EQ(faction(1).tian, 45);
    EXPECT_EQ(faction(1).meisei, 1);
    EXPECT_EQ(faction(1).ifu, 102);
}

TEST_F(Subdue, BarbariansWithoutAWinnerTellOnlyAFailedOfficer) {
    OfferContest c = won(5, 0, 7, 8, 10, 5);
    res.subdueBarbarians(c);
    EXPECT_EQ(story(), "");
    c.lastFailing = 4;
    res.subdueBarbarians(c);
    EXPECT_EQ(story(), "[43:孫堅|前2]\r\n");
}

TEST_F(Subdue, ALeaderWithoutARecordIsCapturedIntoNoEntry) {
    rng.dice(6, 6);
    res.subdueBarbarians(won(5, 1, 2, 0, 10, 0));
    EXPECT_EQ(officer(0).kunID, 0);
    EXPECT_EQ(officer(0).gunID, 0);
    EXPECT_NE(story().find("[1:曹操|何某が魏]"), std::string::npos);
}

}  // namespace
}  // namespace tei
