// Who takes part in an offer and how the officers are scored in each group.

#include "ResolutionWorld.h"

namespace tei {
namespace {

using namespace test;

class Contest : public ResolutionWorld {};

TEST_F(Contest, GroupAAddsTheFactionDieAndATieKeepsTheEarlierOfficer) {
    g.offerCommands[0] = {Command::War};  // 戦争: Intellect, 文官 and 武官 stay out
    officer(1).wisdom = 5;                // 5 + 3 = 8
    officer(2).wisdom = 9;                // 9 + 3 = 12
    officer(3).wisdom = 6;                // 6 + 3 = 9
    officer(4).wisdom = 2;                // 2 + 4 = 6
    officer(5).wisdom = 8;                // 8 + 4 = 12, a tie: 荀彧 came first
    officer(6).wisdom = 1;                // 1 + 7 = 8
    officer(7).wisdom = 30;               // 武官: excluded
    officer(8).wisdom = 30;               // serves nobody
    scriptFactionDice({{1, 2}, {2, 2}, {3, 4}});
    res.rollFactionDice();
    rng.dice(2, 3);  // the offer roll
    OfferContest c = res.contest(0, 0);
    EXPECT_EQ(c.winner, 2);
    EXPECT_EQ(c.best, 12);
    EXPECT_EQ(c.roll, 5);
    EXPECT_EQ(c.lastFailing, 0);

    officer(5).wisdom = 9;  // now 13 beats 12
    rng.dice(1, 1);
    c = res.contest(0, 0);
    EXPECT_EQ(c.winner, 5);
    EXPECT_EQ(c.best, 13);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Contest, GroupBDrawsTwoDicePerOfficerInNumberOrder) {
    g.offerCommands[0] = {Command::RaiseTroops, Command::Wait};  // 兵力確保: Politics, 武官 and 将軍 stay out
    g.factionChoice[3] = 1;                                      // 蜀 picked the other offer
    officer(1).policy = 5;
    officer(2).policy = 7;
    officer(3).policy = 40;  // 将軍: excluded, draws nothing
    officer(4).policy = 6;
    officer(5).policy = 3;
    officer(6).policy = 40;  // other offer
    rng.dice(3, 3)           // 曹操 5 + 6 = 11
        .dice(1, 3)          // 荀彧 7 + 4 = 11, not above 11
        .dice(6, 1)          // 孫堅 6 + 7 = 13
        .dice(6, 6)          // 周瑜 3 + 12 = 15
        .dice(1, 1);         // the offer roll
    OfferContest c = res.contest(0, 0);
    EXPECT_EQ(c.winner, 5);
    EXPECT_EQ(c.best, 15);
    EXPECT_EQ(c.roll, 2);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Contest, GroupCPassesAnEntryTestAndKeepsTheLastOfficerWhoFailed) {
    g.offerCommands[0] = {Command::Subversion, Command::Wait};  // 調略: Intellect, 文官, 武官 and 将軍 stay out
    g.offerDifficulty[0][0] = 5;
    g.factionChoice[3] = 1;
    officer(1).wisdom = 2;
    officer(2).wisdom = 9;
    officer(4).wisdom = 4;
    officer(5).wisdom = 8;
    rng.dice(1, 1).dice(3, 3);             // 曹操: 2 + 2 < 5 + 6, fails
    rng.dice(4, 4).dice(1, 1).dice(3, 4);  // 荀彧: 9 + 8 >= 5 + 2, passes; 9 + 7 = 16
    rng.dice(6, 6).dice(1, 1).dice(6, 6);  // 孫堅: passes; 4 + 12 = 16 only ties
    rng.dice(1, 1).dice(6, 6);             // 周瑜: 8 + 2 < 5 + 12, fails
    rng.dice(2, 2);                        // the offer roll
    OfferContest c = res.contest(0, 0);
    EXPECT_EQ(c.winner, 2);
    EXPECT_EQ(c.best, 16);
    EXPECT_EQ(c.lastFailing, 5);
    EXPECT_EQ(c.roll, 4);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Contest, GroupCOfficerWhoPassesClearsTheFailureBeforeHim) {
    g.offerCommands[0] = {Command::Subversion};
    g.offerDifficulty[0][0] = 5;
    g.factionChoice[2] = 1;  // only 魏 and 蜀 take part: 曹操, 荀彧, 劉備
    g.factionChoice[3] = 0;
    officer(2).wisdom = 9;
    officer(6).wisdom = 3;
    rng.dice(1, 1).dice(6, 6);             // 曹操 fails
    rng.dice(1, 1).dice(6, 6);             // 荀彧 fails
    rng.dice(6, 6).dice(1, 1).dice(1, 1);  // 劉備 passes: 3 + 2 = 5
    rng.dice(1, 1);                        // the offer roll
    OfferContest c = res.contest(0, 0);
    EXPECT_EQ(c.winner, 6);
    EXPECT_EQ(c.best, 5);
    EXPECT_EQ(c.lastFailing, 0);
    EXPECT_EQ(rng.left(), 0u);
}

TEST_F(Contest, FallenFactionsOtherFramesAndLordlessOfficersNeverTakePart) {
    g.offerCommands[1] = {Command::LeaveAlliance};  // 脱退, group B: each participant draws two dice
    g.factionAlliance[1] = 1;
    g.factionAlliance[2] = 1;
    g.factionAlliance[3] = 1;
    faction(2).del = true;                 // 孫堅 and 周瑜 are out with their fallen faction
    g.factionChoice[1] = 1;                // 魏 picked another row of the frame
    officer(8).kunID = 0;                  // 徐庶 serves nobody
    officer(8).gunID = 3;                  // even with a stale faction number
    officer(6).wisdom = 2;                 // 劉備 (君主) is never excluded by job
    officer(7).Job = numberOf(Job::None);  // 関羽 with no job is never excluded either
    officer(7).wisdom = 1;
    rng.dice(1, 1).dice(1, 1).dice(3, 3);  // 劉備, 関羽, the roll
    OfferContest c = res.contest(1, 0);
    EXPECT_EQ(c.winner, 6);
    EXPECT_EQ(c.best, 4);
    EXPECT_EQ(rng.left(), 0u);
}

}  // namespace
}  // namespace tei
