// The fall check at the end of the pass and the hand-over of a fallen leader's alliance.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Fall : public ResolutionWorld {
protected:
    void SetUp() override {
        // 呉 is left with its ruler alone: 周瑜 has gone to 魏.
        officer(5).kunID = 1;
        officer(5).gunID = 1;
        faction(2).army = 19;
        faction(2).meisei = 10;
        faction(2).ifu = 10;
        faction(3).army = 19;  // 蜀 keeps 関羽
    }
    // One draw of Int(Rnd * 50) + 1 = n for each live faction, in faction order.
    void luck(std::initializer_list<int> values) {
        for (int n : values) rng.face(n - 1, 50);
    }
};

TEST_F(Fall, ALoneRulerWithFewTroopsAndNoFameToSpareFalls) {
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n");
    EXPECT_TRUE(faction(2).del);
    EXPECT_FALSE(faction(1).del);
    EXPECT_FALSE(faction(3).del);  // 19 Troops, but 関羽 besides its ruler
    EXPECT_FALSE(res.Metubou_Flg);
    luck({1, 1});  // the fallen are not examined again
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Fall, TwentyTroopsOrFameAboveAweByMoreThanTheDrawSaveIt) {
    faction(2).army = 20;
    luck({1, 50, 1});  // every live faction draws, whatever saves it
    res.checkMetubou();
    EXPECT_FALSE(faction(2).del);

    faction(2).army = 19;
    faction(2).meisei = 12;  // 12 - 10 = 2 > 1
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_FALSE(faction(2).del);

    luck({1, 2, 1});  // 2 is not above 2
    res.checkMetubou();
    EXPECT_TRUE(faction(2).del);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Fall, APlayersFallClearsEverySlotHoldingItAndSetsTheFlags) {
    g.slotFaction[1] = 2;
    g.slotFaction[18] = 2;
    g.slotFaction[0] = 3;
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_TRUE(res.Metubou_Flg);
    EXPECT_FALSE(res.All_Metubou_Flg);  // 蜀 still stands
    EXPECT_EQ(g.slotFaction[1], 0);
    EXPECT_EQ(g.slotFaction[18], 0);
    EXPECT_EQ(g.slotFaction[0], 3);

    g.slotFaction[0] = 0;
    luck({1, 1});
    res.checkMetubou();
    EXPECT_FALSE(res.Metubou_Flg);  // nobody fell this time
    EXPECT_TRUE(res.All_Metubou_Flg);
}

TEST_F(Fall, AllPlayersAreGoneWhenEverySlotIsEmptyFallenOrNoFaction) {
    EXPECT_TRUE(res.checkAllMetubou());
    g.slotFaction[5] = 3;
    EXPECT_FALSE(res.checkAllMetubou());
    faction(3).del = true;
    g.slotFaction[6] = 25;
    EXPECT_TRUE(res.checkAllMetubou());
}

TEST_F(Fall, AFallenLeaderPassesTheAllianceToItsHighestNumberedLiveMember) {
    faction(2).meishuID = 4;  // 呉 leads 魏 and 蜀
    faction(1).meishuID = 4;
    faction(3).meishuID = 4;
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n[59:劉備|]\r\n");
    EXPECT_EQ(faction(1).meishuID, 6);
    EXPECT_EQ(faction(3).meishuID, 6);
    EXPECT_EQ(faction(2).meishuID, 0);
}

TEST_F(Fall, WithoutMembersTheFirstIndependentBecomesALeader) {
    faction(2).meishuID = 4;  // 呉 leads nobody; 魏 and 蜀 are independent
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n[59:魏|]\r\n");
    EXPECT_EQ(faction(1).meishuID, 1);
    EXPECT_EQ(faction(3).meishuID, 0);
}

TEST_F(Fall, WithoutMembersOrIndependentsAFollowerOfAnotherAllianceIsRaised) {
    faction(2).meishuID = 4;
    faction(1).meishuID = 6;  // 魏 follows 蜀
    faction(3).meishuID = 6;
    faction(3).del = true;  // ...which has fallen but still holds its number
    luck({1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n[59:魏|]\r\n");
    EXPECT_EQ(faction(1).meishuID, 1);
}

TEST_F(Fall, AFallenMemberHandsOverNothing) {
    faction(2).meishuID = 6;  // 呉 follows 蜀
    faction(3).meishuID = 6;
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n");
    EXPECT_EQ(faction(3).meishuID, 6);
}

TEST_F(Fall, AFactionWithoutARulerLeadsNoAlliance) {
    // Ruler 0 and alliance 0 are equal, but handing over "alliance 0" would take in every independent.
    faction(2).kunshuID = 0;
    officer(4).gunID = 0;
    luck({1, 1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), "[60:呉|]\r\n");
    EXPECT_EQ(faction(1).meishuID, 0);
    EXPECT_EQ(faction(3).meishuID, 0);
}

}  // namespace
}  // namespace tei
