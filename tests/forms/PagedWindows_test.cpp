#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "ScreenFixture.h"
#include "messages/forms/DLogReader.h"
#include "messages/forms/Msg.h"

namespace tei {
namespace {

using test::crlf;
using test::GameScreenTest;
using test::ModalSequence;

class PagedWindowTest : public GameScreenTest {
protected:
    static QString page(QWidget* w, const char* view) { return child<QPlainTextEdit>(w, view)->toPlainText(); }
};

// The credits are one page: only close can be pressed, and they turn on their timer until closed.
TEST_F(PagedWindowTest, TheCreditsOfferOnlyCloseAndRunTheirTimerUntilClosed) {
    Msg credits(g, creditsWindow());
    credits.Form_Load();
    credits.show();
    auto* timer = child<QTimer>(&credits, "Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(page(&credits, "Label1").contains("Produced by"));
    EXPECT_EQ(pagingButtons(&credits), (std::vector<bool>{true, false, false, false}));
    press(&credits, "Command1_0");
    EXPECT_FALSE(timer->isActive());
}

TEST_F(PagedWindowTest, AYearsStoryIsPagedWithButtonsAndKeysAndWarnsAnAttackedPlayer) {
    WindowPages year{MsgMode::Resolution, {}};
    for (const char* text : {"一\r\n", "二\r\n", "三\r\n"}) {
        year.pages.append(text);
        year.pages.nextPage();
    }
    year.pages.append("四\r\n");
    year.pages.markEnd();
    Msg w(g, year);
    w.Form_Load();
    w.show();
    EXPECT_EQ(page(&w, "Label1"), "一\n");
    EXPECT_EQ(text(&w, "pageCounter"), "1 / 4");
    // Only the credits hold close back; a year's story may be closed on any page.
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, false, true, true}));
    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(text(&w, "pageCounter"), "2 / 4");
    press(&w, "Command1_3");
    EXPECT_EQ(page(&w, "Label1"), "四\n");
    EXPECT_EQ(pagingButtons(&w), (std::vector<bool>{true, true, false, false}));
    press(&w, "Command1_1");
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.window().page(), 1);
    EXPECT_FALSE(child<QLabel>(&w, "Lbl_Caution")->isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());

    year.caution = true;  // a player's faction was attacked
    Msg attacked(g, year);
    attacked.Form_Load();
    attacked.show();
    EXPECT_TRUE(child<QLabel>(&attacked, "Lbl_Caution")->isVisible());
    press(&attacked, "Command1_0");
}

TEST_F(PagedWindowTest, TheChronicleShowsOneYearAPageFromTheLatestAndAMissingOneIsReported) {
    // Three banner lines open each year's page.
    tmp.writeIni("teiji.log", crlf({"記録", "＝", "＝189", "＝", "洛陽", "＝", "＝190", "＝", "連合", "＝", "＝191",
                                    "＝", "玉璽", "EOT======="}));
    DLogReader r(tmp.folder());
    r.logPath = tmp.folder().ini("teiji.log");
    ASSERT_EQ(r.Form_Load(), "");
    r.show();
    EXPECT_EQ(page(&r, "dspMsg"), "＝\n＝191\n＝\n玉璽\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, true, false, false}));
    QTest::keyClick(&r, Qt::Key_PageUp);
    EXPECT_EQ(page(&r, "dspMsg"), "＝\n＝190\n＝\n連合\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, true, true, true}));
    press(&r, "Command1_1");
    EXPECT_EQ(page(&r, "dspMsg"), "記録\n＝\n＝189\n＝\n洛陽\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, false, true, true}));
    QTest::keyClick(&r, Qt::Key_PageDown);
    press(&r, "Command1_3");
    EXPECT_EQ(r.reader().page(), 2);
    QTest::keyClick(&r, Qt::Key_Escape);
    EXPECT_FALSE(r.isVisible());

    std::filesystem::remove(tmp.root() / "ini" / "teiji.log");
    DLogReader missing(tmp.folder());
    missing.logPath = tmp.folder().ini("teiji.log");
    ModalSequence s;
    s.box("ファイル「ini/teiji.log」が見つかりません。", "OK");
    EXPECT_EQ(missing.exec(), QDialog::Rejected);
}

}  // namespace
}  // namespace tei
