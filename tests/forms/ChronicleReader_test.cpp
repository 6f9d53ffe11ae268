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
    tmp.writeIni("teiji.log",
                 crlf({"鼎峙録の記録", "＝＝＝＝＝＝＝＝＝", "＝＝ 　189年　＝＝", "＝＝＝＝＝＝＝＝＝",
                       "董卓が洛陽に入った。", "＝＝＝＝＝＝＝＝＝", "＝＝ 　190年　＝＝", "＝＝＝＝＝＝＝＝＝",
                       "反董卓連合が結ばれた。", "＝＝＝＝＝＝＝＝＝", "＝＝ 　191年　＝＝", "＝＝＝＝＝＝＝＝＝",
                       "孫堅が玉璽を得た。", "EOT=======", "この行は読まれない"}));
    DLogReader r(tmp.folder());
    r.logPath = tmp.folder().ini("teiji.log");
    ASSERT_EQ(r.Form_Load(), "");
    r.show();
    EXPECT_EQ(page(r),
              "鼎峙録の記録\n＝＝＝＝＝＝＝＝＝\n＝＝ 　189年　＝＝\n＝＝＝＝＝＝＝＝＝\n董卓が洛陽に入った。\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, false, true, true}));

    QTest::keyClick(&r, Qt::Key_PageDown);
    EXPECT_EQ(page(r), "＝＝＝＝＝＝＝＝＝\n＝＝ 　190年　＝＝\n＝＝＝＝＝＝＝＝＝\n反董卓連合が結ばれた。\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, true, true, true}));
    press(&r, "Command1_3");
    EXPECT_EQ(page(r), "＝＝＝＝＝＝＝＝＝\n＝＝ 　191年　＝＝\n＝＝＝＝＝＝＝＝＝\n孫堅が玉璽を得た。\n");
    EXPECT_EQ(pagingButtons(&r), (std::vector<bool>{true, true, false, false}));
    QTest::keyClick(&r, Qt::Key_PageUp);
    press(&r, "Command1_1");
    EXPECT_EQ(r.reader().page(), 0);
    QTest::keyClick(&r, Qt::Key_Escape);
    EXPECT_FALSE(r.isVisible());
}

TEST_F(ChronicleReaderTest, AMissingChronicleIsReportedInsteadOfShown) {
    DLogReader r(tmp.folder());
    r.logPath = tmp.folder().ini("teiji.log");
    ModalSequence s;
    s.box("ファイル「ini/teiji.log」が見つかりません。", "OK");
    EXPECT_EQ(r.exec(), QDialog::Rejected);
    EXPECT_FALSE(r.isVisible());
}

}  // namespace
}  // namespace tei
