#include <QPlainTextEdit>

#include "ScreenFixture.h"
#include "messages/forms/DLogReader.h"

namespace tei {
namespace {

using test::crlf;
using test::GameScreenTest;
using test::ModalSequence;

class ChronicleReaderTest : public GameScreenTest {
protected:
    static QString page(DLogReader& r) { return child<QPlainTextEdit>(&r, "dspMsg")->toPlainText(); }
};

TEST_F(ChronicleReaderTest, ShowsOneYearAPageAndPagesWithButtonsAndKeys) {
    // Three banner lines open each year's page.
    tmp.writeIni("teiji.log", crlf({"記録", "＝", "＝189", "＝", "洛陽", "＝", "＝190", "＝", "連合", "＝", "＝191",
                                    "＝", "玉璽", "EOT======="}));
    DLogReader r(tmp.folder());
    r.logPath = tmp.folder().ini("teiji.log");
    ASSERT_EQ(r.Form_Load(), "");
    r.show();
    // It opens on the latest year.
    EXPECT_EQ(page(r), "＝\n＝191\n＝\n玉璽\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, true, false, false}));

    QTest::keyClick(&r, Qt::Key_PageUp);
    EXPECT_EQ(page(r), "＝\n＝190\n＝\n連合\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, true, true, true}));
    press(&r, "Command1_1");
    EXPECT_EQ(r.reader().page(), 0);
    EXPECT_EQ(page(r), "記録\n＝\n＝189\n＝\n洛陽\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, false, true, true}));
    QTest::keyClick(&r, Qt::Key_PageDown);
    press(&r, "Command1_3");
    EXPECT_EQ(r.reader().page(), 2);
    QTest::keyClick(&r, Qt::Key_Escape);
    EXPECT_FALSE(r.isVisible());
}

TEST_F(ChronicleReaderTest, AMissingChronicleIsReportedInsteadOfShown) {
    DLogReader r(tmp.folder());
    r.logPath = tmp.folder().ini("teiji.log");
    ModalSequence s;
    s.box("ファイル「ini/teiji.log」が見つかりません。", "OK");
    EXPECT_EQ(r.exec(), QDialog::Rejected);
}

}  // namespace
}  // namespace tei
