// 調停 and 糾弾.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Diplomacy : public ResolutionWorld {
protected:
    void SetUp() override {
        g.factionAlliance[1] = 1;
        g.factionAlliance[2] = 2;
        g.allianceCohesion = {60, 80, 50, 40};
        g.textArg1 = "前1";
        g.textArg2 = "前2";
    }
};

TEST_F(Diplomacy, MediationRaisesFameAndTheFramesCohesionBothClamped) {
    officer(2).policy = 30;
    faction(1).meisei = 197;
    res.mediate(won(6, 2, 7, 0, 0, 6));
    EXPECT_EQ(story(), "[6:荀彧|魏の名声が 30]\r\n");
    EXPECT_EQ(faction(1).meisei, 200);
    EXPECT_EQ(g.allianceCohesion[1], 100);
    EXPECT_EQ(g.allianceCohesion[2], 50);
}

TEST_F(Diplomacy, FailedMediationAndDenunciationNameTheCommand) {
    OfferContest c = won(6, 0, 7);
    res.mediate(c);
    c.command = 7;
    res.denounce(c);
    EXPECT_EQ(story(), "");
    c.lastFailing = 4;
    res.denounce(c);
    c.command = 6;
    res.mediate(c);
    EXPECT_EQ(story(), "[58:糾弾|前2]\r\n[58:調停|前2]\r\n");
}

TEST_F(Diplomacy, DenunciationWithDifficulty4Takes20Percent) {
    faction(2).meisei = 100;
    faction(2).kessoku = 51;
    res.denounce(won(7, 2, 7, 2, 0, 4));
    EXPECT_EQ(story(), "[7:荀彧|呉の名声と、その幕僚の結束が 20]\r\n");
    EXPECT_EQ(faction(2).meisei, 80);
    EXPECT_EQ(faction(2).kessoku, 40);     // Int(40.8)
    EXPECT_EQ(g.allianceCohesion[2], 33);  // 33.3
    EXPECT_EQ(g.allianceCohesion[1], 80);
}

TEST_F(Diplomacy, DenouncingOnesOwnFactionChangesNothing) {
    faction(1).meisei = 100;
    res.denounce(won(7, 2, 7, 1, 0, 4));
    EXPECT_EQ(story(), "[27:荀彧|前2]\r\n");
    EXPECT_EQ(faction(1).meisei, 100);
    EXPECT_EQ(g.allianceCohesion[1], 80);
}

TEST_F(Diplomacy, DenouncingATargetWithoutARecordTouchesNoFrameAndNoEntry) {
    res.denounce(won(7, 2, 7, 0, 0, 4));
    res.denounce(won(7, 2, 7, -3, 0, 4));
    EXPECT_EQ(story(), "[7:荀彧|某国の名声と、その幕僚の結束が 20]\r\n[7:荀彧|某国の名声と、その幕僚の結束が 20]\r\n");
    EXPECT_EQ(g.allianceCohesion, (std::array<int16_t, 4>{60, 80, 50, 40}));
}

}  // namespace
}  // namespace tei
