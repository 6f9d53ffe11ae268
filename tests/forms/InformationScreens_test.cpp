#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <filesystem>

#include "ScreenFixture.h"
#include "core/OfficerRecordFile.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/All_Bdata.h"
#include "screens/forms/B_data.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Editor.h"
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

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

TEST_F(ScreenTest, FactionListShowsLiveFactionsAndOpensTheirScreensAndTheOfficerLists) {
    ALL_Gdata screen(tmp.folder(), g);
    screen.show();
    auto* table = child<QTableWidget>(&screen, "factionTable");
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(rowTexts(table, 1), (QStringList{"曹操", "40", "15", "65", "85", "40", "20", "2", "曹操"}));

    // A double click on a row opens that faction's screen, and leaves the shared values as they were.
    g.detailId = 189;
    g.msgText = "前";
    ModalSequence s;
    s.then<Gdata>([&](Gdata* faction) {
        EXPECT_EQ(faction->windowTitle(), "軍の内情劉表");
        EXPECT_EQ(text(faction, "noteLabel"), "");
        press(faction, "backButton");
    });
    const QPoint at = table->visualItemRect(table->item(2, 3)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(g.detailId, 189);
    EXPECT_EQ(g.msgText, "前");

    // The officer lists, and the status of an officer clicked in them.
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

TEST_F(ScreenTest, StatusShowsTheJobsRowsAndTheComment) {
    g.detailId = 2;
    Status screen(tmp.folder(), g);
    screen.show();
    EXPECT_EQ(text(&screen, "jobLabel"), "軍師");
    EXPECT_EQ(text(&screen, "Skl_Lab_1"), "8");
    EXPECT_FALSE(child<QLabel>(&screen, "Skl_Kind_3")->isVisible());
    EXPECT_EQ(text(&screen, "Lab_cmt"), "  董卓の腹心\r\n  謀臣。\r\n");
}

TEST_F(ScreenTest, ScreenWhoseFileIsMissingShowsTheMessageInstead) {
    std::filesystem::remove(tmp.root() / "ini" / "gunsv.ini");
    ALL_Gdata screen(tmp.folder(), g);
    ModalSequence s;
    s.box("ファイル「ini/gunsv.ini」が見つかりません。", "OK");
    EXPECT_EQ(screen.exec(), QDialog::Rejected);
}

// The officer editor and the comment editor.

// The faction screen lists the strategist with the staff, opens the officer table, and an officer's
// status, whose editor changes what both screens show.
TEST_F(ScreenTest, FactionDetailOpensTheOfficerTableAndThroughTheStatusTheEditor) {
    g.detailId = 1;
    g.msgText = "戦争を画策中";
    Gdata detail(tmp.folder(), g);
    detail.show();
    EXPECT_EQ(detail.windowTitle(), "軍の内情董卓");
    EXPECT_EQ(text(&detail, "value_0"), " 180000");
    EXPECT_EQ(text(&detail, "noteLabel"), "戦争を画策中");
    EXPECT_EQ(items(child<QListWidget>(&detail, "jobList_2")), (QStringList{"李儒", "賈詡"}));
    ModalSequence s;
    s.then<B_data>([&](B_data* officers) {
        auto* table = child<QTableWidget>(officers, "officerTable");
        ASSERT_EQ(table->rowCount(), 6);
        EXPECT_EQ(rowTexts(table, 4), (QStringList{"王允", "8", "-", "-", "-", "6", "8", "文官"}));
        press(officers, "backButton");
    });
    press(&detail, "Command1");

    s.then<Status>([&](Status* status) {
        EXPECT_FALSE(child<QLabel>(status, "Skl_Kind_1")->isVisible());
        press(status, "cmdEdit");
        EXPECT_EQ(text(status, "jobLabel"), "将軍");
        EXPECT_EQ(text(status, "Skl_Lab_2"), "7");
        press(status, "backButton");
    });
    s.then<Editor>([&](Editor* editor) {
        auto* job = child<QComboBox>(editor, "cmbJob");
        EXPECT_EQ(job->currentText(), "文官");
        job->setCurrentIndex(3);  // 将軍: the rows become Valor, Intellect, Leadership
        EXPECT_EQ(text(editor, "Skl_Kind_2"), "采配");
        type(child<QLineEdit>(editor, "Skl_Lab_0"), "9");
        type(child<QLineEdit>(editor, "Skl_Lab_1"), "8");
        type(child<QLineEdit>(editor, "Skl_Lab_2"), "7");
        press(editor, "cmdEdit");
    });
    s.box("編集した内容を登録しますか？", "OK").box("登録しました。", "OK");
    clickItem(child<QListWidget>(&detail, "jobList_0"), 0);
    EXPECT_TRUE(s.done());

    EXPECT_EQ(items(child<QListWidget>(&detail, "jobList_3")), (QStringList{"呂布", "王允"}));
    EXPECT_EQ(parseOfficerRecord(tmp.readIni("busv.ini"), 5)->wisdom, 8);
    QTest::keyClick(&detail, Qt::Key_Escape);
    EXPECT_FALSE(detail.isVisible());
}

// The job list offers 君主 to a faction's ruler, and locks it for him, fallen faction or not, and to
// one who holds job 5 already; nobody else can choose it.
TEST_F(ScreenTest, TheJobListLocksARulersJobAndOffersTheRulerJobOnlyToRulers) {
    Bushou mistaken = *parseOfficerRecord(test::kWorldOfficers, 3);  // 呂布 made 君主 by mistake
    mistaken.Job = numberOf(Job::Ruler);
    struct Row {
        const char* name;
        Bushou officer;
        bool locked, rulerOffered;
    } rows[] = {{"董卓, a ruler", *parseOfficerRecord(test::kWorldOfficers, 1), true, true},
                {"袁紹, whose faction fell", *parseOfficerRecord(test::kWorldOfficers, 8), true, true},
                {"李儒, a strategist", *parseOfficerRecord(test::kWorldOfficers, 2), false, false},
                {"呂布, job 5 by mistake", mistaken, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Editor editor(tmp.folder(), g, row.officer);
        auto* jobs = child<QComboBox>(&editor, "cmbJob");
        EXPECT_EQ(jobs->isEnabled(), !row.locked);
        EXPECT_EQ(qobject_cast<QStandardItemModel*>(jobs->model())->item(4)->isEnabled(), row.rulerOffered);
    }
}

// Cancel writes nothing, and the buttons hold still while the help beside them changes.
TEST_F(ScreenTest, EditorCancelWritesNothingAndTheButtonsHoldStill) {
    Editor editor(tmp.folder(), g, *parseOfficerRecord(test::kWorldOfficers, 1));
    editor.show();
    QApplication::processEvents();
    auto place = [&](const char* name) {
        auto* b = child<QPushButton>(&editor, name);
        return QRect(b->mapTo(&editor, QPoint(0, 0)), b->size());
    };
    const QSize size = editor.size();
    const std::vector<QRect> buttons = {place("cmdEdit"), place("cmdInit"), place("Command1")};
    for (const char* name : {"cmdInit", "cmdEdit", "Command1", "cmdInit"}) {
        SCOPED_TRACE(name);
        QTest::mouseMove(child<QPushButton>(&editor, name));
        QApplication::processEvents();  // a layout that wanted to grow would do so now
        EXPECT_FALSE(text(&editor, "Lab_hlp").isEmpty());
        EXPECT_EQ(editor.size(), size);
        EXPECT_EQ((std::vector<QRect>{place("cmdEdit"), place("cmdInit"), place("Command1")}), buttons);
    }

    const std::string before = tmp.readIni("busv.ini");
    type(child<QLineEdit>(&editor, "Skl_Lab_1"), "4");
    ModalSequence s;
    s.box("編集した内容を登録しますか？", "キャンセル");
    press(&editor, "cmdEdit");
    EXPECT_TRUE(s.done());
    EXPECT_EQ(tmp.readIni("busv.ini"), before);
    press(&editor, "Command1");
    EXPECT_FALSE(editor.isVisible());
}

// Confirming redraws the status with the comment as stored; going back writes nothing.
TEST_F(ScreenTest, CommentEditorConfirmRedrawsTheStatusAndBackWritesNothing) {
    g.detailId = 4;  // 賈詡, without a comment
    Status status(tmp.folder(), g);
    status.show();
    EXPECT_EQ(text(&status, "Lab_cmt"), "");
    ModalSequence s;
    s.then<Cmt_Edit>([&](Cmt_Edit* editor) {
        EXPECT_EQ(text(editor, "Name_lab"), "賈詡");
        child<QPlainTextEdit>(editor, "Txt_cmt")->setPlainText("一行目\n二行目");
        press(editor, "Command1_1");
    });
    QTest::mouseClick(child<QLabel>(&status, "Lab_cmt"), Qt::LeftButton);
    EXPECT_EQ(text(&status, "Lab_cmt"), "  一行目\r\n  二行目\r\n");

    const std::string before = tmp.readIni("Cmtsv.ini");
    s.then<Cmt_Edit>([&](Cmt_Edit* editor) {
        EXPECT_EQ(child<QPlainTextEdit>(editor, "Txt_cmt")->toPlainText(), "  一行目\n  二行目\n");
        child<QPlainTextEdit>(editor, "Txt_cmt")->setPlainText("捨てる");
        press(editor, "Command1_0");
    });
    QTest::mouseClick(child<QLabel>(&status, "Lab_cmt"), Qt::LeftButton);
    EXPECT_EQ(tmp.readIni("Cmtsv.ini"), before);
    EXPECT_EQ(text(&status, "Lab_cmt"), "  一行目\r\n  二行目\r\n");
}

}  // namespace
}  // namespace tei
