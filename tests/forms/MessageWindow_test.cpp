#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <optional>

#include "ScreenFixture.h"
#include "game/FakeHost.h"
#include "game/TurnCycle.h"
#include "messages/forms/Msg.h"
#include "screens/forms/GameLook.h"

namespace tei {
namespace {

using test::GameScreenTest;

class MessageWindowTest : public GameScreenTest {
protected:
    static QString page(Msg& w) { return child<QPlainTextEdit>(&w, "Label1")->toPlainText(); }
    static bool warned(Msg& w) { return child<QLabel>(&w, "Lbl_Caution")->isVisible(); }

    // The offers of 189 dealt to a game the computer plays, and the window set to resolve the year.
    void dealFirstYear() {
        newGame({});
        cycle.emplace(tmp.folder(), g, rng, host);
        ASSERT_TRUE(cycle->Form_Load());
        g.msgMode = 1;
        g.detailId = 189;
    }

    test::FakeHost host{g};
    std::optional<TurnCycle> cycle;
};

// The credits are one page: only close can be pressed, and they turn on their timer until closed.
TEST_F(MessageWindowTest, TheCreditsOfferOnlyCloseAndRunTheirTimerUntilClosed) {
    g.msgMode = 0;
    Msg credits(tmp.folder(), g, rng);
    credits.Form_Load();
    credits.show();
    auto* timer = child<QTimer>(&credits, "Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(page(credits).contains("Produced by"));
    EXPECT_EQ(pagingButtons(&credits), (std::vector<bool>{true, false, false, false}));
    press(&credits, "Command1_0");
    EXPECT_FALSE(credits.isVisible());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(MessageWindowTest, AResolvedYearIsPagedWithButtonsAndKeys) {
    dealFirstYear();
    Msg w(tmp.folder(), g, rng);
    w.Form_Load();
    w.show();
    const MessagePages& pages = w.window().pages;
    int last = 0;
    while (!pages.isEnd(last + 1)) ++last;
    ASSERT_GE(last, 2) << "the year should fill several pages";

    EXPECT_EQ(page(w), qsText(pages.at(0)));
    // Only the credits hold close back; a year's story may be closed on any page.
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, false, true, true}));
    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(page(w), qsText(pages.at(1)));
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, true, true, true}));
    press(&w, "Command1_3");
    EXPECT_EQ(page(w), qsText(pages.at(last)));
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, true, false, false}));
    press(&w, "Command1_1");
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.window().page(), last - 2);
    EXPECT_FALSE(warned(w));  // nobody plays, nobody is warned
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MessageWindowTest, AWarOnAPlayersFactionRaisesTheWarning) {
    dealFirstYear();
    // One faction alone takes a war offer of its frame; its target is made a player's faction.
    int frame = -1, position = -1;
    for (int k = 0; k < kFrameCount && frame < 0; ++k)
        for (size_t p = 0; p < g.offerCommands[k].size(); ++p)
            if (g.offerCommands[k][p] == 11 && !cycle->frames().members(k).empty()) {
                frame = k;
                position = static_cast<int>(p);
                break;
            }
    ASSERT_GE(frame, 0) << "no war was dealt this year";
    const int16_t target = g.offerTarget[frame][position];
    const auto other = static_cast<int16_t>(position == 0 ? 1 : 0);
    int16_t attacker = 0;
    for (const FrameMember& m : cycle->frames().members(frame)) {
        if (m.faction == target) continue;
        if (attacker == 0) {
            attacker = m.faction;
            g.factionChoice[m.faction] = static_cast<int16_t>(position);
        } else if (g.factionChoice[m.faction] == position) {
            g.factionChoice[m.faction] = other;
        }
    }
    if (g.factionAlliance[target] == frame && g.factionChoice[target] == position) g.factionChoice[target] = other;
    ASSERT_NE(attacker, 0);
    g.slotFaction[0] = target;
    g.slotName[0] = "守り手";

    Msg w(tmp.folder(), g, rng);
    w.Form_Load();
    w.show();
    EXPECT_TRUE(warned(w));
    EXPECT_EQ(text(&w, "Lbl_Caution"), "プレイヤーが攻撃を受けています");
    w.close();
}

}  // namespace
}  // namespace tei
