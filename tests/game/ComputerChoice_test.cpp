#include "game/ComputerChoice.h"

#include "MainFixture.h"

namespace tei {
namespace {

using namespace test;

class ComputerChoiceTest : public MainFixture {
protected:
    void world(int16_t ownArmy) {
        // 乙's staff officer scores 9 + 4 - 10 = 3 and its civil official does not count; 甲 and 丙 have
        // only rulers without Intellect or Leadership, so they keep the floor of 1.
        writeWorld({{.id = 1, .name = "甲王", .kunID = 1, .Job = Job::Ruler},
                    {.id = 2, .name = "乙王", .kunID = 2, .Job = Job::Ruler},
                    {.id = 3, .name = "丙王", .kunID = 3, .Job = Job::Ruler},
                    {.id = 4, .name = "乙参", .kunID = 2, .Job = Job::Staff, .wisdom = 9, .tactics = 4},
                    {.id = 5, .name = "乙文", .kunID = 2, .Job = Job::Civil, .wisdom = 10, .tactics = 10}},
                   {{.id = 1, .name = "甲", .kunshuID = 1, .army = ownArmy},
                    {.id = 2, .name = "乙", .kunshuID = 2, .army = 666},
                    {.id = 3, .name = "丙", .kunshuID = 3, .army = 3000}});
        frames.ini_Mei_rtn();
        frames.Dsp_Gun_rtn();
    }
    void ready(int16_t ownArmy) {
        world(ownArmy);
        choice.ld_Gun();
        choice.loadGunshi();
    }
    void offer(std::vector<Command> commands, std::vector<int16_t> targets) {
        g.offerCommands[0] = commands;
        for (size_t p = 0; p < targets.size(); ++p) g.offerTarget[0][p] = targets[p];
    }
    ComputerChoice choice{tmp.folder(), g, rng, frames};
};

TEST_F(ComputerChoiceTest, WarNeedsAStrongerSideOrMoreThan2000RighteousWarCountsDouble) {
    // 甲 (army x 1) against 乙 (666 x 3 = 1998) and 丙 (3000 x 1): the strategist scores weigh the
    // troops. The accepted offers are drawn from with I(candidates); none accepted gives -1.
    struct Case {
        int16_t army;
        std::vector<Command> commands;
        std::vector<int16_t> targets;
        int candidates, expected;
    } cases[] = {
        {2000, {Command::War, Command::War}, {2, 3}, 1, 0},  // 2000 > 1998 but not 3000
        {2000, {Command::War}, {3}, 0, -1},
        {2001, {Command::War}, {3}, 1, 0},           // above 2000 any war is accepted
        {999, {Command::RighteousWar}, {2}, 0, -1},  // 999 x 2 = 1998 is not above 1998
        {1000, {Command::RighteousWar}, {2}, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.army);
        ready(c.army);
        offer(c.commands, c.targets);
        if (c.candidates > 0) rng.face(0, c.candidates);
        EXPECT_EQ(choice.searchGunbi(1, 0), c.expected);
        EXPECT_EQ(rng.left(), 0u);
    }
}

TEST_F(ComputerChoiceTest, NoAcceptableOfferFallsBackToAnyOfferAtRandom) {
    ready(100);
    offer({Command::War, Command::RighteousWar, Command::War}, {3, 3, 2});
    rng.face(2, 3);
    EXPECT_EQ(choice.searchCommand(1, 0), 2);
    EXPECT_EQ(g.factionChoice[1], 2);
    g.offerCommands[0].clear();
    EXPECT_EQ(choice.searchCommand(1, 0), 0);  // an empty list gives position 0
}

TEST_F(ComputerChoiceTest, EveryListedFactionGetsAChoicePeaceAlwaysAcceptable) {
    world(100);
    offer({Command::Recruit, Command::War, Command::Wait}, {7, 3, 0});
    // 甲 (100 x 1) may not attack 丙: candidates 0 and 2; 乙 (666 x 3) neither; 丙 accepts all three.
    rng.face(1, 2).face(0, 2).face(1, 3);
    choice.Tagun_rtn();
    EXPECT_EQ(g.factionChoice[1], 2);
    EXPECT_EQ(g.factionChoice[2], 0);
    EXPECT_EQ(g.factionChoice[3], 1);
    EXPECT_EQ(rng.reseeds(), 1);
    EXPECT_EQ(rng.left(), 0u);
}

}  // namespace
}  // namespace tei
