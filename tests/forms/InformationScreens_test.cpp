#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "ScreenFixture.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/All_Bdata.h"
#include "screens/forms/B_data.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/Status.h"

namespace tei {
namespace {

using test::ModalSequence;
using test::ScreenTest;

QStringList rowTexts(QTableWidget* t, int row) {
    QStringList out;
    for (int c = 0; c < t->columnCount(); ++c) out << (t->item(row, c) ? t->item(row, c)->text() : QString());
    return out;
}

TEST_F(ScreenTest, FactionListShowsLiveFactionsInTheirColumnsAndOpensTheOfficerLists) {
    ALL_Gdata screen(tmp.folder(), g);
    screen.show();
    auto* table = child<QTableWidget>(&screen, "factionTable");
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(rowTexts(table, 1), (QStringList{"曹操", "40", "15", "65", "85", "40", "20", "2", "曹操"}));

    // The officer lists, and the status of an officer clicked in them.
    ModalSequence s;
    s.then<All_Bdata>([&](All_Bdata* lists) {
        EXPECT_EQ(text(lists, "Lab_name_2"), "劉表");
        EXPECT_FALSE(child<QLabel>(lists, "Lab_name_3")->isVisible());
        clickItem(child<QListWidget>(lists, "Chr_lst_0"), 1);
        QTest::keyClick(lists, Qt::Key_Escape);  // Escape goes back like "戻る"
    });
    s.then<Status>([&](Status* status) {
        EXPECT_EQ(text(status, "Name_lab"), "李儒");
        press(status, "backButton");
    });
    press(&screen, "Command1_1");
    press(&screen, "Command1_0");
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(ScreenTest, FactionDetailListsTheStrategistWithTheStaffAndOpensTheOfficerTable) {
    g.detailId = 1;
    g.msgText = "戦争を画策中";
    Gdata screen(tmp.folder(), g);
    screen.show();
    EXPECT_EQ(screen.windowTitle(), "軍の内情董卓");
    EXPECT_EQ(text(&screen, "value_0"), " 180000");
    EXPECT_EQ(text(&screen, "noteLabel"), "戦争を画策中");
    EXPECT_EQ(items(child<QListWidget>(&screen, "jobList_2")), (QStringList{"李儒", "賈詡"}));

    ModalSequence s;
    s.then<B_data>([&](B_data* officers) {
        auto* table = child<QTableWidget>(officers, "officerTable");
        ASSERT_EQ(table->rowCount(), 6);
        EXPECT_EQ(rowTexts(table, 4), (QStringList{"王允", "8", "-", "-", "-", "6", "8", "文官"}));
        press(officers, "backButton");
    });
    press(&screen, "Command1");
    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(ScreenTest, StatusShowsTheJobsRowsAndHelpsOverTheComment) {
    g.detailId = 2;
    Status screen(tmp.folder(), g);
    screen.show();
    EXPECT_EQ(text(&screen, "jobLabel"), "軍師");
    EXPECT_EQ(text(&screen, "Skl_Lab_1"), "8");
    EXPECT_FALSE(child<QLabel>(&screen, "Skl_Kind_3")->isVisible());
    EXPECT_EQ(text(&screen, "Lab_cmt"), "  董卓の腹心\r\n  謀臣。\r\n");

    auto* comment = child<QLabel>(&screen, "Lab_cmt");
    QTest::mouseMove(comment, comment->rect().center());
    EXPECT_EQ(text(&screen, "Lab_hlp"), "クリックしてコメントを書き換えられます");
    QTest::mouseMove(child<QWidget>(&screen, "Back"), QPoint(2, 2));
    EXPECT_EQ(text(&screen, "Lab_hlp"), "");
}

TEST_F(ScreenTest, ScreenWhoseFileIsMissingShowsTheMessageInstead) {
    std::filesystem::remove(tmp.root() / "ini" / "gunsv.ini");
    ALL_Gdata screen(tmp.folder(), g);
    ModalSequence s;
    s.box("ファイル「ini/gunsv.ini」が見つかりません。", "OK");
    EXPECT_EQ(screen.exec(), QDialog::Rejected);
}

}  // namespace
}  // namespace tei
