#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <optional>

#include "ScreenFixture.h"
#include "core/forms/GameLook.h"
#include "game/FakeHost.h"
#include "game/TurnCycle.h"
#include "game/YearResolution.h"
#include "messages/forms/Msg.h"

namespace tei {
namespace {

using test::GameScreenTest;

class MessageWindowTest : public GameScreenTest {
protected:
    static QString page(Msg& w) { return child<QPlainTextEdit>(&w, "Label1")->toPlainText(); }
    static bool warned(Msg& w) { return child<QLabel>(&w, "Lbl_Caution")->isVisible(); }

    // The story of 189 in a game the computer plays, resolved as the turn cycle resolves it.
    WindowPages firstYear() {
        newGame({});
        cycle.emplace(tmp.folder(), g, rng, host);
        EXPECT_TRUE(cycle->Form_Load());
        g.detailId = 189;
        ResolvedYear year = resolveYear(tmp.folder(), g, rng);
        return {MsgMode::Resolution, year.pages, year.caution};
    }

    test::FakeHost host{g};
    std::optional<TurnCycle> cycle;
};

// The credits are one page: only close can be pressed, and they turn on their timer until closed.
TEST_F(MessageWindowTest, TheCreditsOfferOnlyCloseAndRunTheirTimerUntilClosed) {
    Msg credits(g, creditsWindow());
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
    WindowPages year = firstYear();
    Msg w(g, year);
    w.Form_Load();
    w.show();
    const MessagePages& pages = w.window().pages;
    int last = 0;
    while (!pages.isEnd(last + 1)) ++last;
    ASSERT_GE(last, 2) << "the year should fill several pages";

    EXPECT_EQ(page(w), qsText(pages.at(0)));
    const QString of = QStringLiteral(" / %1").arg(last + 1);
    EXPECT_EQ(text(&w, "pageCounter"), "1" + of);
    // Only the credits hold close back; a year's story may be closed on any page.
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, false, true, true}));
    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(page(w), qsText(pages.at(1)));
    EXPECT_EQ(text(&w, "pageCounter"), "2" + of);
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, true, true, true}));
    press(&w, "Command1_3");
    EXPECT_EQ(page(w), qsText(pages.at(last)));
    EXPECT_EQ(text(&w, "pageCounter"), QString::number(last + 1) + of);
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, true, false, false}));
    press(&w, "Command1_1");
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.window().page(), last - 2);
    EXPECT_FALSE(warned(w));  // nobody plays, nobody is warned
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());

    year.caution = true;  // a player's faction was attacked
    Msg attacked(g, year);
    attacked.Form_Load();
    attacked.show();
    EXPECT_TRUE(warned(attacked));
    press(&attacked, "Command1_0");
}

}  // namespace
}  // namespace tei
