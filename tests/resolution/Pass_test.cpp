// A whole pass: faction dice, the offers of every frame in order, player headers, the fall check and
// the end mark.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

using Call = RecordingBattles::Call;

class Pass : public ResolutionWorld {};

TEST_F(Pass, ResolvesEveryFrameInOrderAndEndsAfterTheLastPage) {
    // Frame 0: 戦争 on 呉 (picked by 魏) and 待機 (picked by 蜀); frame 1: 調停 (picked by 呉).
    g.offerCommands[0] = {Command::War, Command::Wait};
    g.offerTarget[0][0] = 2;
    g.offerCommands[1] = {Command::Mediation};
    g.offerDifficulty[1][0] = 4;
    g.factionAlliance[2] = 1;
    g.factionChoice[3] = 1;
    g.allianceCohesion[1] = 50;
    g.slotFaction[0] = 2;
    g.slotFaction[1] = 3;
    officer(1).wisdom = 1;
    officer(2).wisdom = 5;
    officer(3).wisdom = 2;
    officer(4).charm = 3;
    officer(5).charm = 6;
    battles.during = [this] { turn.append("（戦）\r\n"); };

    scriptFactionDice({{1, 2}});              // d(魏) = 3
    rng.dice(1, 1);                           // war: 荀彧 wins with 5 + 3; the roll
    rng.dice(1, 1);                           // wait: the roll all the same
    rng.dice(1, 1).dice(1, 1);                // mediation: 孫堅 3 + 2 < 4 + 2
    rng.dice(3, 3).dice(1, 1).dice(2, 2);     // 周瑜 6 + 6 >= 4 + 2, then 6 + 4
    rng.dice(1, 1);                           // the roll
    rng.face(0, 50).face(0, 50).face(0, 50);  // the fall check: everyone has officers
    res.Strate_rtn();

    EXPECT_EQ(turn.pages.at(0), "[12:荀彧|魏を中心とした連合軍は、呉]\r\n*** プレイヤーの国が攻撃を受けました ***\r\n");
    EXPECT_EQ(turn.pages.at(1),
              "（戦）\r\n"
              "***蜀（プレイヤー）が関わった作戦***\r\n"
              "***呉（プレイヤー）が関わった作戦***\r\n"
              "[6:周瑜|呉の名声が 4]\r\n");  // the Fame gained: the difficulty 4
    EXPECT_EQ(turn.pages.page, 1);
    EXPECT_EQ(battles.calls, (std::vector<Call>{{false, 1, 2, 1}}));
    EXPECT_TRUE(res.cautionShown());
    EXPECT_EQ(faction(2).meisei, 4);
    EXPECT_EQ(g.allianceCohesion[1], 51);
    EXPECT_EQ(rng.left(), 0u);
}

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
