// The pass around the offers: at most four offers a frame, and a fresh fall check and warning each pass.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Pass : public ResolutionWorld {};

TEST_F(Pass, AFrameListsAtMostFourOffers) {
    g.offerCommands[0] = {Command::Wait, Command::Wait, Command::Wait, Command::Wait, Command::Wait};
    g.factionChoice[1] = 4;  // the fifth row is never resolved
    g.slotFaction[0] = 1;
    scriptFactionDice({});
    for (int row = 0; row < 4; ++row) rng.dice(1, 1);  // four offer rolls, not five
    rng.face(0, 50).face(0, 50).face(0, 50);
    res.Strate_rtn();
    EXPECT_EQ(turn.pages.at(0), "");
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Pass, ReportsAFallenPlayerAndForgetsAnEarlierAttack) {
    g.slotFaction[0] = 2;
    res.declareWar(won(Command::War, 3, 7, 2));  // told in an earlier pass
    ASSERT_TRUE(res.cautionShown());
    turn.pages.clear_Text_rtn();
    turn.pages.page = 0;
    faction(2).army = 0;
    officer(5).kunID = 0;  // 周瑜 has left: 呉 is its ruler alone
    officer(5).gunID = 0;
    scriptFactionDice({});
    rng.face(0, 50).face(0, 50).face(0, 50);
    res.Strate_rtn();
    EXPECT_EQ(turn.pages.at(0), "[60:呉|]\r\n");
    EXPECT_FALSE(res.cautionShown());
}

}  // namespace
}  // namespace tei
