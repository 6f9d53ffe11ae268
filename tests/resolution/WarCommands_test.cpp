// 戦争 and 義戦: the declaration, the warning for a player, and the battle on a new page.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

using Call = RecordingBattles::Call;

using War = CommandWorld;

TEST_F(War, APlayerUnderAttackIsWarned) {
    g.slotFaction[16] = 3;  // slots above 15 are not players
    res.declareWar(won(Command::War, 3, 7, 3));
    EXPECT_FALSE(res.cautionShown());
    g.slotFaction[4] = 2;
    res.declareWar(won(Command::War, 3, 7, 2));
    EXPECT_TRUE(res.cautionShown());
    EXPECT_EQ(story(),
              "[12:夏侯惇|魏を中心とした連合軍は、蜀]\r\n/"
              "[12:夏侯惇|魏を中心とした連合軍は、呉]\r\n*** プレイヤーの国が攻撃を受けました ***\r\n");
    EXPECT_EQ(battles.calls, (std::vector<Call>{{false, 1, 3, 1}, {false, 1, 2, 2}}));
}

TEST_F(War, TheTargetWinningItsOwnWarOfferCallsItOffButARighteousOneStillGainsFame) {
    g.slotFaction[0] = 2;
    faction(2).meisei = 10;
    res.declareWar(won(Command::War, 5, 7, 2));
    res.declareWar(won(Command::War, 0, 7, 2));  // nobody won
    res.righteousWar(won(Command::RighteousWar, 5, 7, 2));
    EXPECT_EQ(story(), "[32:周瑜|]\r\n[32:周瑜|]\r\n");
    EXPECT_EQ(faction(2).meisei, 15);
    EXPECT_EQ(turn.pages.page, 0);
    EXPECT_TRUE(battles.calls.empty());
    EXPECT_FALSE(res.cautionShown());
}

TEST_F(War, RighteousWarGainsFameCappedAndCallsTheRighteousBattle) {
    faction(1).meisei = 197;
    res.righteousWar(won(Command::RighteousWar, 3, 7, 2));
    EXPECT_EQ(turn.pages.at(0), "[12:夏侯惇|魏は呉]\r\n");
    EXPECT_EQ(faction(1).meisei, 200);
    EXPECT_EQ(battles.calls, (std::vector<Call>{{true, 1, 2, 1}}));
    faction(1).meisei = 203;  // above the cap already: kept, not lowered
    res.righteousWar(won(Command::RighteousWar, 3, 7, 2));
    EXPECT_EQ(faction(1).meisei, 203);
}

TEST_F(War, ATargetWithoutARecordIsToldButNotFought) {
    res.declareWar(won(Command::War, 3, 7, 0));
    res.righteousWar(won(Command::RighteousWar, 3, 7, 21));
    EXPECT_EQ(story(), "[12:夏侯惇|魏を中心とした連合軍は、某国]\r\n/[12:夏侯惇|魏は某国]\r\n");
    EXPECT_EQ(turn.pages.page, 2);
    EXPECT_TRUE(battles.calls.empty());
}

}  // namespace
}  // namespace tei
