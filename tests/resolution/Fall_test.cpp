// The fall check at the end of the pass and the hand-over of a fallen leader's alliance.

#include <ostream>

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

// The alliance of 呉 (ruler 孫堅, 4) when 呉 falls, case by case.
struct HandOver {
    const char* name;
    int16_t wei, wu, shu;  // the meishuID of 魏, 呉 and 蜀 before the fall
    bool shuFallen;        // 蜀 fell in an earlier year and still holds its number
    bool wuRulerless;      // 呉 has no ruler: ruler 0 and alliance 0 are equal, yet it leads nothing
    const char* story;
    int16_t weiAfter, shuAfter;
};

void PrintTo(const HandOver& h, std::ostream* os) { *os << h.name; }

const HandOver kHandOvers[] = {
    {"ToTheHighestNumberedLiveMember", 4, 4, 4, false, false, "[60:呉|]\r\n[59:劉備|]\r\n", 6, 6},
    {"WithoutMembersTheFirstIndependentIsRaised", 0, 4, 0, false, false, "[60:呉|]\r\n[59:魏|]\r\n", 1, 0},
    {"WithoutIndependentsAFollowerOfAnotherAllianceIsRaised", 6, 4, 6, true, false, "[60:呉|]\r\n[59:魏|]\r\n", 1, 6},
    {"AFallenMemberHandsOverNothing", 0, 6, 6, false, false, "[60:呉|]\r\n", 0, 6},
    // Handing over "alliance 0" would take in every independent.
    {"AFactionWithoutARulerLeadsNoAlliance", 0, 0, 0, false, true, "[60:呉|]\r\n", 0, 0},
};

class FallenLeader : public Fall, public ::testing::WithParamInterface<HandOver> {};

TEST_P(FallenLeader, HandsOverItsAlliance) {
    const HandOver& h = GetParam();
    faction(1).meishuID = h.wei;
    faction(2).meishuID = h.wu;
    faction(3).meishuID = h.shu;
    faction(3).del = h.shuFallen;
    if (h.wuRulerless) {
        faction(2).kunshuID = 0;
        officer(4).gunID = 0;
    }
    luck(h.shuFallen ? std::initializer_list<int>{1, 1} : std::initializer_list<int>{1, 1, 1});
    res.checkMetubou();
    EXPECT_EQ(story(), h.story);
    EXPECT_EQ(faction(1).meishuID, h.weiAfter);
    EXPECT_EQ(faction(2).meishuID, 0);
    EXPECT_EQ(faction(3).meishuID, h.shuAfter);
    EXPECT_EQ(rng.left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Fall, FallenLeader, ::testing::ValuesIn(kHandOvers),
                         [](const ::testing::TestParamInfo<HandOver>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tei
