#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "ScreenFixture.h"
#include "messages/forms/Msg.h"

namespace tei {
namespace {

using test::GameScreenTest;

class MessageWindowTest : public GameScreenTest {
protected:
    static QString page(Msg& w) { return child<QPlainTextEdit>(&w, "Label1")->toPlainText(); }
    static bool warned(Msg& w) { return child<QLabel>(&w, "Lbl_Caution")->isVisible(); }

    // A year's story of four pages.
    static WindowPages story() {
        WindowPages year{MsgMode::Resolution, {}};
        for (const char* text : {"一\r\n", "二\r\n", "三\r\n"}) {
            year.pages.append(text);
            year.pages.nextPage();
        }
        year.pages.append("四\r\n");
        year.pages.markEnd();
        return year;
    }
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

TEST_F(MessageWindowTest, AYearsStoryIsPagedWithButtonsAndKeysAndWarnsAnAttackedPlayer) {
    WindowPages year = story();
    Msg w(g, year);
    w.Form_Load();
    w.show();
    EXPECT_EQ(page(w), "一\n");
    EXPECT_EQ(text(&w, "pageCounter"), "1 / 4");
    // Only the credits hold close back; a year's story may be closed on any page.
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, false, true, true}));
    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(page(w), "二\n");
    EXPECT_EQ(text(&w, "pageCounter"), "2 / 4");
    press(&w, "Command1_3");
    EXPECT_EQ(page(w), "四\n");
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, true, false, false}));
    press(&w, "Command1_1");
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.window().page(), 1);
    EXPECT_FALSE(warned(w));
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
