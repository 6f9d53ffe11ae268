// A whole pass: faction dice, the offers of every frame in order, player headers, the fall check and
// the end mark.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Pass : public ResolutionWorld {};

// Passed over means nothing is carried out: no officer is scored, but the offer roll is drawn as for
// every offer, so the draws after it fall as they would after any other offer.
TEST_F(Pass, WaitAndAssassinationArePassedOverWithOnlyTheHeaderAndTheirRoll) {
    g.offerCommands[0] = {Command::Wait, Command::Assassination};
    g.factionChoice[2] = 1;
    g.slotFaction[0] = 1;
    g.slotFaction[1] = 2;
    scriptFactionDice({});
    rng.dice(1, 2).dice(3, 4);  // the two offer rolls
    rng.face(0, 50).face(0, 50).face(0, 50);
    res.Strate_rtn();
    EXPECT_EQ(turn.pages.at(0), "***魏（プレイヤー）が関わった作戦***\r\n***呉（プレイヤー）が関わった作戦***\r\n");
    EXPECT_FALSE(res.cautionShown());
    EXPECT_EQ(rng.left(), 0u);
}

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

TEST_F(Pass, ACommandChangesWhoTakesPartInLaterOffers) {
    // 関羽 is recruited into 魏 by the first offer and so no longer contests 蜀's offer; 蜀, left with
    // its ruler alone, falls at the end.
    g.offerCommands[0] = {Command::Recruit, Command::RaiseTroops};
    g.offerTarget[0][0] = 7;
    g.factionChoice[2] = 2;  // 呉 picks nothing that was dealt
    g.factionChoice[3] = 1;
    officer(1).charm = 10;
    officer(7).policy = 9;
    officer(7).Job = numberOf(Job::None);
    scriptFactionDice({});
    rng.dice(6, 6).dice(1, 1).dice(1, 1);  // 曹操: 10 + 12 >= 0 + 2, then 10 + 2
    rng.dice(1, 1).dice(6, 6);             // 荀彧 fails
    rng.dice(1, 1).dice(6, 6);             // 夏侯惇 fails
    rng.dice(1, 1).then(0.1f);             // the roll; no go-between: he comes
    rng.dice(1, 1);                        // 劉備 alone: 1 + 2
    rng.dice(1, 1);                        // the roll: 0 + 1 / 10 < 0 + 2
    rng.face(0, 50).face(0, 50).face(0, 50);
    res.Strate_rtn();
    EXPECT_EQ(turn.pages.at(0), "[48:関羽|]\r\n[1:曹操|関羽が魏]\r\n[22:劉備|関羽が魏]\r\n[60:蜀|]\r\n");
    EXPECT_EQ(officer(7).gunID, 1);
    EXPECT_TRUE(faction(3).del);
    EXPECT_EQ(rng.left(), 0u);
}

}  // namespace
}  // namespace tei
