#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>

#include "ScreenFixture.h"
#include "core/OfficerRecordFile.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Editor.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/Status.h"

namespace tei {
namespace {

using test::ModalSequence;
using test::ScreenTest;

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

TEST_F(ScreenTest, DetailThroughStatusToEditorAndTheStatusRedrawsAfterTheEdit) {
    g.detailId = 1;
    Gdata detail(tmp.folder(), g);
    detail.show();

    ModalSequence s;
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
}

TEST_F(ScreenTest, RulerJobCannotChangeAndCancelWritesNothing) {
    Editor editor(tmp.folder(), g, *parseOfficerRecord(test::kWorldOfficers, 1));
    editor.show();
    EXPECT_FALSE(child<QComboBox>(&editor, "cmbJob")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(&editor, "Skl_Lab_5")->isVisible());

    std::string before = tmp.readIni("busv.ini");
    type(child<QLineEdit>(&editor, "Skl_Lab_1"), "4");
    {
        ModalSequence s;
        s.box("編集した内容を登録しますか？", "キャンセル");
        press(&editor, "cmdEdit");
    }
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(tmp.readIni("busv.ini"), before);
    press(&editor, "Command1");
    EXPECT_FALSE(editor.isVisible());
}

// The job list offers 君主 to a faction's ruler (and locks it for him) and to one who holds job 5
// already; nobody else can choose it.
TEST_F(ScreenTest, JobListOffersTheRulerJobOnlyToARuler) {
    auto rulerRow = [&](Editor& e) {
        auto* jobs = qobject_cast<QStandardItemModel*>(child<QComboBox>(&e, "cmbJob")->model());
        return jobs->item(4)->isEnabled();
    };
    Editor strategist(tmp.folder(), g, *parseOfficerRecord(test::kWorldOfficers, 2));  // 李儒, job 6
    EXPECT_TRUE(child<QComboBox>(&strategist, "cmbJob")->isEnabled());
    EXPECT_FALSE(rulerRow(strategist));

    Bushou made = *parseOfficerRecord(test::kWorldOfficers, 3);  // 呂布 made 君主 by mistake
    made.Job = numberOf(Job::Ruler);
    Editor mistaken(tmp.folder(), g, made);
    EXPECT_TRUE(child<QComboBox>(&mistaken, "cmbJob")->isEnabled());
    EXPECT_EQ(child<QComboBox>(&mistaken, "cmbJob")->currentText(), "君主");
    EXPECT_TRUE(rulerRow(mistaken));

    Editor fallenRuler(tmp.folder(), g, *parseOfficerRecord(test::kWorldOfficers, 8));  // 袁紹, faction 3 fell
    EXPECT_FALSE(child<QComboBox>(&fallenRuler, "cmbJob")->isEnabled());
    EXPECT_TRUE(rulerRow(fallenRuler));
}

TEST_F(ScreenTest, EditorButtonsHoldStillWhileTheHelpChanges) {
    Editor editor(tmp.folder(), g, *parseOfficerRecord(test::kWorldOfficers, 3));
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
    press(&editor, "Command1");
}

TEST_F(ScreenTest, CommentEditorConfirmGivesAnOfficerWithoutCommentANewRecord) {
    g.detailId = 4;  // 賈詡, commentID 0
    Status status(tmp.folder(), g);
    status.show();
    EXPECT_EQ(text(&status, "Lab_cmt"), "");
    {
        ModalSequence s;
        s.then<Cmt_Edit>([&](Cmt_Edit* editor) {
            EXPECT_EQ(text(editor, "Name_lab"), "賈詡");
            child<QPlainTextEdit>(editor, "Txt_cmt")->setPlainText(".5 は記録ではない\n\"兵\"は1,000人");
            press(editor, "Command1_1");
        });
        QTest::mouseClick(child<QLabel>(&status, "Lab_cmt"), Qt::LeftButton);
    }
    EXPECT_EQ(text(&status, "Lab_cmt"), "  .5 は記録ではない\r\n  \"兵\"は1,000人\r\n");
    EXPECT_EQ(parseOfficerRecord(tmp.readIni("busv.ini"), 4)->commentID, 5);

    // Back writes nothing.
    std::string before = tmp.readIni("Cmtsv.ini");
    ModalSequence s;
    s.then<Cmt_Edit>([&](Cmt_Edit* editor) {
        EXPECT_EQ(child<QPlainTextEdit>(editor, "Txt_cmt")->toPlainText(), "  .5 は記録ではない\n  \"兵\"は1,000人\n");
        child<QPlainTextEdit>(editor, "Txt_cmt")->setPlainText("捨てる");
        press(editor, "Command1_0");
    });
    QTest::mouseClick(child<QLabel>(&status, "Lab_cmt"), Qt::LeftButton);
    EXPECT_EQ(tmp.readIni("Cmtsv.ini"), before);
}

}  // namespace
}  // namespace tei
