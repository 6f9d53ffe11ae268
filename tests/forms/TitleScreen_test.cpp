#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "GameScreens.h"
#include "ModalSequence.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/SVLD.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

class TitleScreenTest : public GameScreenTest {
protected:
    void skipOpening(Form2& title) {
        auto* picture = child<QWidget>(&title, "Picture1");
        for (int i = 0; i < 3; ++i) QTest::mouseClick(picture, Qt::LeftButton);
        ASSERT_TRUE(title.opening().hidden());
    }
    // Clicks a ruler row; the faction screen it opens is checked and closed.
    void clickRuler(Form2& title, int row, const QString& caption, const QString& note) {
        ModalSequence s;
        s.then<Gdata>([&](Gdata* faction) {
            EXPECT_EQ(faction->windowTitle(), caption);
            EXPECT_EQ(text(faction, "noteLabel"), note);
            press(faction, "backButton");
        });
        clickItem(child<QListWidget>(&title, "List1_1"), row);
        EXPECT_TRUE(s.done());
    }
    static std::vector<int> selectedRows(QListWidget* list) {
        std::vector<int> rows;
        for (int r = 0; r < list->count(); ++r)
            if (list->item(r)->isSelected()) rows.push_back(r);
        return rows;
    }
};

TEST_F(TitleScreenTest, OpensOnScenarioOneWithNoScenarioRowHighlighted) {
    Form2 title(tmp.folder(), g, rng);
    title.show();
    EXPECT_EQ(title.windowTitle(), "鼎峙録・覇業編");
    auto* scenarios = child<QListWidget>(&title, "List1_0");
    EXPECT_EQ(scenarios->count(), 6);
    EXPECT_EQ(scenarios->item(3)->text(), "シナリオ４・暴君打倒（仮想）");
    EXPECT_TRUE(scenarios->selectedItems().isEmpty());
    EXPECT_EQ(items(child<QListWidget>(&title, "List1_1")).mid(0, 3), (QStringList{"董卓", "袁紹", "曹操"}));
    EXPECT_EQ(text(&title, "Label2_0"), "君主名");
    EXPECT_EQ(text(&title, "Label2_1"), "シナリオ");
    EXPECT_TRUE(text(&title, "Lab_txt").startsWith("中平六年（189年）\n"));
    EXPECT_EQ(g.scenarioNo, 1);
    EXPECT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu1.ini"));
    title.close();
}

TEST_F(TitleScreenTest, OpeningShowsTheTitleAfterTwoStepsAndTheThirdClickHidesIt) {
    Form2 title(tmp.folder(), g, rng);
    title.show();
    auto* picture = child<QWidget>(&title, "Picture1");
    auto* timer = child<QTimer>(&title, "Timer1");
    EXPECT_TRUE(picture->isVisible());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1200);
    EXPECT_EQ(text(&title, "Label1"), "鼎峙録製作委員会");

    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_EQ(text(&title, "Label1"), "鼎峙録製作委員会");
    // A click on the caption counts as a click on the picture.
    QTest::mouseClick(child<QLabel>(&title, "Label1"), Qt::LeftButton);
    EXPECT_EQ(text(&title, "Label1"), "鼎峙録　－　覇業編");
    EXPECT_TRUE(picture->isVisible());
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_FALSE(picture->isVisible());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(title.opening().counter(), 3);
    title.close();
}

TEST_F(TitleScreenTest, HelpFollowsThePointer) {
    Form2 title(tmp.folder(), g, rng);
    title.show();
    skipOpening(title);
    auto* scenarios = child<QListWidget>(&title, "List1_0");
    auto* rulers = child<QListWidget>(&title, "List1_1");
    QTest::mouseMove(scenarios->viewport(), QPoint(5, 5));
    EXPECT_EQ(text(&title, "Hlp"), "シナリオを選んでください");
    QTest::mouseMove(rulers->viewport(), QPoint(5, 5));
    EXPECT_EQ(text(&title, "Hlp"), "軍閥の君主を選んでから、「新規ゲーム」を押してください（複数プレイ可能）");
    QTest::mouseMove(child<QWidget>(&title, "Back"), QPoint(3, 3));
    EXPECT_EQ(text(&title, "Hlp"), "");
    title.close();
}

TEST_F(TitleScreenTest, NewGameForTwoSelectedRowsFillsTheirSlotsAndNamesTheLowerRow) {
    Form2 title(tmp.folder(), g, rng);
    title.show();
    skipOpening(title);

    // Nothing selected: refused.
    {
        ModalSequence s;
        s.box("武将が選択されていません", "OK");
        press(&title, "Command2");
        EXPECT_TRUE(s.done());
    }
    clickRuler(title, 4, "軍の内情孫堅", "");
    clickRuler(title, 2, "軍の内情曹操", "");
    EXPECT_EQ(selectedRows(child<QListWidget>(&title, "List1_1")), (std::vector<int>{2, 4}));

    // Cancel leaves everything as it was.
    {
        ModalSequence s;
        s.box("孫堅でゲームを開始しますか？", "キャンセル");
        press(&title, "Command2");
        EXPECT_TRUE(s.done());
    }
    EXPECT_TRUE(title.isVisible());
    EXPECT_EQ(g.slotFaction[2], 0);

    ModalSequence s;
    s.box("孫堅でゲームを開始しますか？", "OK");
    press(&title, "Command2");
    EXPECT_TRUE(s.done());
    EXPECT_FALSE(title.isVisible());
    EXPECT_EQ(title.result(), Form2::NewGame);
    EXPECT_EQ(g.gameMode, 0);
    EXPECT_EQ(g.officerCount, 170);
    for (int t = 0; t < 6; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(g.slotFaction[t], t == 2 ? 3 : t == 4 ? 5 : 0);
    }
    EXPECT_EQ(g.slotName[2], "曹操");
    EXPECT_EQ(g.slotName[4], "孫堅");
    // The officer file of the new game holds the fictional officers up to 170.
    EXPECT_TRUE(readOfficerRecord(tmp.folder(), tmp.folder().ini(kOfficerFile), 170).has_value());
}

TEST_F(TitleScreenTest, ChangingTheScenarioClearsTheRulerSelection) {
    Form2 title(tmp.folder(), g, rng);
    title.show();
    skipOpening(title);
    auto* rulers = child<QListWidget>(&title, "List1_1");
    clickRuler(title, 0, "軍の内情董卓", "");
    ASSERT_EQ(selectedRows(rulers), std::vector<int>{0});

    clickItem(child<QListWidget>(&title, "List1_0"), 1);
    EXPECT_EQ(g.scenarioNo, 2);
    EXPECT_EQ(g.factionCount, 12);
    EXPECT_EQ(rulers->count(), 12);
    EXPECT_TRUE(selectedRows(rulers).empty());
    EXPECT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu2.ini"));
    EXPECT_FALSE(text(&title, "Lab_txt").startsWith("中平六年"));

    // In the what-if scenarios the faction screen warns that the retainers will change.
    clickItem(child<QListWidget>(&title, "List1_0"), 4);
    EXPECT_EQ(g.scenarioNo, 5);
    clickRuler(title, 0, "軍の内情" + rulers->item(0)->text(), "配下の構成は変わります");
    title.close();
}

TEST_F(TitleScreenTest, AScenarioWhoseFilesAreMissingIsNotChosen) {
    std::filesystem::remove(tmp.root() / "ini" / "Gunbatu2.ini");
    Form2 title(tmp.folder(), g, rng);
    title.show();
    skipOpening(title);
    ModalSequence s;
    s.box("ファイル「ini/Gunbatu2.ini」が見つかりません。", "OK");
    clickItem(child<QListWidget>(&title, "List1_0"), 1);
    EXPECT_TRUE(s.done());
    QApplication::processEvents();  // the row is put back after the press
    EXPECT_EQ(g.scenarioNo, 1);
    EXPECT_EQ(child<QListWidget>(&title, "List1_1")->count(), 13);
    EXPECT_TRUE(child<QListWidget>(&title, "List1_0")->selectedItems().isEmpty());
    title.close();
}

TEST_F(TitleScreenTest, DecliningTheLoadScreenLeavesTheTitleScreenOpen) {
    Form2 title(tmp.folder(), g, rng);
    title.show();
    skipOpening(title);
    ModalSequence s;
    s.then<SVLD>([&](SVLD* load) {
        EXPECT_EQ(load->windowTitle(), "ロード画面");
        EXPECT_EQ(text(load, "Hlp"), "セーブ番号を打ち込んでください");
        press(load, "Command3");
    });
    press(&title, "Command1_1");
    EXPECT_TRUE(s.done());
    EXPECT_TRUE(title.isVisible());
    EXPECT_EQ(g.gameMode, 2);
    EXPECT_EQ(g.dialogResult, 0);
    title.close();
}

TEST_F(TitleScreenTest, ResetOfficersAsksThenCopiesTheBackupOverTheMaster) {
    tmp.writeIni("bushou1.ini", tmp.readIni("bushou1.ini") + "\r\n");  // an edited master
    Form2 title(tmp.folder(), g, rng);
    title.show();
    skipOpening(title);
    {
        ModalSequence s;
        s.box("シナリオ 1においてエディットした武将データを全て初期化しますか？", "キャンセル");
        press(&title, "cmdInit");
        EXPECT_TRUE(s.done());
    }
    EXPECT_NE(tmp.readIni("bushou1.ini"), tmp.readIni("BUSHOU1_BK.ini"));
    ModalSequence s;
    s.box("シナリオ 1においてエディットした武将データを全て初期化しますか？", "OK").box("初期化しました", "OK");
    press(&title, "cmdInit");
    EXPECT_TRUE(s.done());
    EXPECT_EQ(tmp.readIni("bushou1.ini"), tmp.readIni("BUSHOU1_BK.ini"));
    EXPECT_EQ(tmp.readIni("busv.ini"), tmp.readIni("BUSHOU1_BK.ini"));

    // Escape does not leave the title screen; its quit button does.
    QTest::keyClick(&title, Qt::Key_Escape);
    EXPECT_TRUE(title.isVisible());
    press(&title, "Command1_0");
    EXPECT_FALSE(title.isVisible());
    EXPECT_EQ(title.result(), Form2::Quit);
}

}  // namespace
}  // namespace tei
