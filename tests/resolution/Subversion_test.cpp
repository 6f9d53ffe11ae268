// 調略: the target's Cohesion is broken and its officers may go over.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Subvert : public ResolutionWorld {
protected:
    void SetUp() override {
        faction(2).kessoku = 50;
        g.textArg1 = "前1";
        g.textArg2 = "前2";
    }
    // The four defection draws of one officer: a = a1 + a2 (each 0..7), b = b1 + b2 + 2 (each 0..49).
    void defection(int a1, int a2, int b1, int b2) { rng.face(a1, 8).face(a2, 8).face(b1, 50).face(b2, 50); }
};

TEST_F(Subvert, Intellect20LeavesAFifthAndAWillingOfficerComesOver) {
    officer(2).wisdom = 20;
    defection(7, 7, 49, 49);  // 孫堅 is willing, but a ruler stays
    defection(1, 1, 30, 20);  // 周瑜: a = 2 >= 0 + 2, b = 52 > 10 * 3 / 5 + 40 = 46
    res.subvert(won(3, 2, 7, 2));
    EXPECT_EQ(story(), "[3:荀彧|呉陣営の結束が 10]\r\n[13:周瑜、|魏]\r\n");
    EXPECT_EQ(faction(2).kessoku, 10);
    EXPECT_EQ(officer(5).gunID, 1);
    EXPECT_EQ(officer(5).kunID, 1);
    EXPECT_EQ(rng.reseeds(), 1);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Subvert, AFullyCohesiveFactionLosesNobody) {
    faction(2).kessoku = 100;
    officer(2).wisdom = 0;  // keeps all 100
    defection(7, 7, 49, 49);
    defection(7, 7, 49, 49);  // b = 100 is not above 100
    res.subvert(won(3, 2, 7, 2));
    EXPECT_EQ(story(), "[3:荀彧|呉陣営の結束が 100]\r\n[13:|魏]\r\n");
    EXPECT_EQ(officer(5).gunID, 2);
}

TEST_F(Subvert, IntellectAbove25NeverPushesCohesionBelowZero) {
    officer(2).wisdom = 30;
    defection(0, 0, 0, 0);
    defection(0, 0, 0, 0);
    res.subvert(won(3, 2, 7, 2));
    EXPECT_EQ(faction(2).kessoku, 0);
    EXPECT_EQ(story(), "[3:荀彧|呉陣営の結束が 0]\r\n[13:|魏]\r\n");
}

TEST_F(Subvert, TheTargetWinningItsOwnOfferChangesNothing) {
    res.subvert(won(3, 5, 7, 2));
    EXPECT_EQ(story(), "[33:周瑜|前2]\r\n");
    EXPECT_EQ(faction(2).kessoku, 50);
    EXPECT_EQ(rng.draws(), 0);
}

TEST_F(Subvert, WithoutAWinnerOnlyAFailedOutsiderIsTold) {
    OfferContest c = won(3, 0, 7, 2);
    c.lastFailing = 5;  // 周瑜 serves the target itself
    res.subvert(c);
    EXPECT_EQ(story(), "");
    c.lastFailing = 3;
    res.subvert(c);
    EXPECT_EQ(story(), "[23:夏侯惇|呉]\r\n");
}

TEST_F(Subvert, ATargetWithoutARecordDrawsNoLordlessOfficerOver) {
    officer(2).wisdom = 20;
    res.subvert(won(3, 2, 7, 0));
    EXPECT_EQ(story(), "[3:荀彧|某国陣営の結束が 0]\r\n[13:|魏]\r\n");
    EXPECT_EQ(officer(8).gunID, 0);  // 徐庶, of "faction 0", stays free
    EXPECT_EQ(officer(8).kunID, 0);
    EXPECT_EQ(rng.draws(), 0);
}

}  // namespace
}  // namespace tei
