#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <tuple>

#include "ScreenFixture.h"
#include "core/HistoryFile.h"
#include "game/forms/GameProgram.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/HistoryChart.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

// The program from its title screen to the game and back, and the title screen itself.
class GameFlowTest : public GameScreenTest {
protected:
    // The third click hides the opening and stops its timer.
    static void showPastOpening(Form2& title) {
        title.show();
        auto* picture = child<QWidget>(&title, "Picture1");
        for (int i = 0; i < 3; ++i) QTest::mouseClick(picture, Qt::LeftButton);
        ASSERT_TRUE(title.opening().hidden());
        EXPECT_FALSE(picture->isVisible());
        EXPECT_FALSE(child<QTimer>(&title, "Timer1")->isActive());
    }
    static QListWidget* scenarios(Form2& title) { return child<QListWidget>(&title, "List1_0"); }
    static QListWidget* rulers(Form2& title) { return child<QListWidget>(&title, "List1_1"); }
    // Clicks a ruler row; the faction screen it opens is checked and closed.
    static void clickRuler(Form2& title, int row, const QString& caption, const QString& note) {
        ModalSequence s;
        s.then<Gdata>([&](Gdata* faction) {
            EXPECT_EQ(faction->windowTitle(), caption);
            EXPECT_EQ(text(faction, "noteLabel"), note);
            press(faction, "backButton");
        });
        clickItem(rulers(title), row);
    }
    static std::vector<int> selectedRows(QListWidget* list) {
        std::vector<int> rows;
        for (int r = 0; r < list->count(); ++r)
            if (list->item(r)->isSelected()) rows.push_back(r);
        return rows;
    }
};

TEST_F(GameFlowTest, TheProgramRefusesAFolderWithoutItsDataFiles) {
    std::filesystem::remove(tmp.root() / "ini" / "sei.ini");
    GameProgram program(tmp.root());
    ModalSequence s;
    s.box("次のデータファイルが見つかりません：\n　ini/sei.ini", "OK");
    EXPECT_EQ(program.run(), 1);
    EXPECT_TRUE(s.done());
}

// What a killed run left half done is settled when the program starts, before the title reads anything.
TEST_F(GameFlowTest, TheProgramSettlesWhatAKilledRunLeftFirst) {
    tmp.writeIni(".tmp-999999999-0-busv.ini", "half an officer file");  // a temporary of a run now gone
    GameProgram program(tmp.root());
    ModalSequence s;
    s.then<Form2>([&](Form2* title) {
        EXPECT_FALSE(tmp.hasIni(".tmp-999999999-0-busv.ini"));
        press(title, "Command1_0");
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_TRUE(s.done());
}

TEST_F(GameFlowTest, TheProgramGoesFromTheTitleToTheGameAndBackUntilQuit) {
    GameProgram program(tmp.root());
    ModalSequence s;
    s.then<Form2>([](Form2* title) {
        EXPECT_TRUE(child<QWidget>(title, "Picture1")->isVisible());  // the first start plays the opening
        for (int i = 0; i < 3; ++i) QTest::mouseClick(child<QWidget>(title, "Picture1"), Qt::LeftButton);
        clickItem(child<QListWidget>(title, "List1_1"), 2);
        press(title, "Command2");
    });
    s.then<Gdata>([](Gdata* faction) { press(faction, "backButton"); });
    s.box("曹操でゲームを開始しますか？", "OK");
    s.box("曹操の番です。", "OK");
    s.then<Main>([](Main* main) {
        EXPECT_EQ(text(main, "playerLabel"), "プレイヤー\n（曹操）");
        main->findChild<QAction*>("newGame")->trigger();
    });
    s.box("セーブをしてませんがよろしいですか？", "はい");
    // A fresh title screen without the opening (played once, when the program started), nothing selected.
    s.then<Form2>([](Form2* title) {
        EXPECT_FALSE(child<QWidget>(title, "Picture1")->isVisible());
        EXPECT_FALSE(child<QTimer>(title, "Timer1")->isActive());
        EXPECT_TRUE(child<QListWidget>(title, "List1_1")->selectedItems().isEmpty());
        press(title, "Command1_0");
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(program.globals().slotFaction[2], 0);
    EXPECT_EQ(program.globals().slotName[2], "");
}

TEST_F(GameFlowTest, TheLastYearEndsWithTheFinalReportTheFactionListAndTheCredits) {
    newGame({2});
    // As a load of a game saved in 215 leaves things.
    tmp.writeIni("teiji.log", "鼎峙録の記録\r\n");
    g.gameMode = GameMode::Continue;
    g.saveHeader = {215, 0, 0, 0, 1, 0};
    std::unique_ptr<Main> main = openMain("曹操");
    ASSERT_EQ(text(main.get(), "yearHeading"), " 215年の戦況（水色のリストの戦略が選択可能です）");

    ModalSequence s;
    s.box("曹操の行動をコンピュータに任せますか？", "はい");
    closeStory(s, 215);
    closeYearEnd(s, 215);
    s.then<Msg>([](Msg* report) {
        EXPECT_EQ(report->window().pages.at(0).rfind("ゲーム最終結果\r\n", 0), 0u);
        press(report, "Command1_0");
    });
    // The final faction list opens the chart of the game on the scores, beside the last year's ranking.
    s.then<ALL_Gdata>([](ALL_Gdata* list) {
        press(list, "historyButton");
        press(list, "Command1_0");
    });
    s.then<HistoryChart>([&](HistoryChart* chart) {
        EXPECT_EQ(chart->measure(), HistoryMeasure::Score);
        auto* ranking = child<QTableWidget>(chart, "rankingTable");
        EXPECT_EQ(ranking->rowCount(), 13);
        // The year is still held back from the disk as the list shows: the game's folder sees it.
        auto last = parseHistory(tmp.folder().readText(tmp.folder().ini("history.csv"))).rows;
        ASSERT_EQ(last.size(), 13u);  // the loaded game's history begins with 215
        EXPECT_EQ(last[0].year, 215);
        press(chart, "backButton");
    });
    s.then<Msg>([](Msg* credits) {
        EXPECT_NE(credits->window().shownText().find("Produced by"), std::string::npos);
        press(credits, "Command1_0");
    });
    press(main.get(), "Command1_3");
    EXPECT_TRUE(s.done());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(main->result(), Main::Quit);
    EXPECT_TRUE(main->cycle().ended());
}

TEST_F(GameFlowTest, NewGameForTwoSelectedRowsFillsTheirSlotsAndNamesTheLowerRow) {
    Form2 title(tmp.folder(), g, rng);
    showPastOpening(title);
    ModalSequence s;
    s.box("武将が選択されていません", "OK");
    press(&title, "Command2");
    clickRuler(title, 4, "軍の内情孫堅", "");
    clickRuler(title, 2, "軍の内情曹操", "");
    EXPECT_EQ(selectedRows(rulers(title)), (std::vector<int>{2, 4}));
    s.box("孫堅でゲームを開始しますか？", "キャンセル");
    press(&title, "Command2");
    EXPECT_TRUE(title.isVisible());
    s.box("孫堅でゲームを開始しますか？", "OK");
    press(&title, "Command2");
    EXPECT_TRUE(s.done());
    EXPECT_FALSE(title.isVisible());
    EXPECT_EQ(title.result(), Form2::NewGame);
    // The selected rows reach the game's slots.
    EXPECT_EQ(g.slotFaction[2], 3);
    EXPECT_EQ(g.slotFaction[4], 5);
}

TEST_F(GameFlowTest, AnotherScenarioClearsTheRulersAndStaysMarkedAndOneWithMissingFilesIsNotChosen) {
    std::filesystem::remove(tmp.root() / "ini" / "Gunbatu.ini");
    Form2 title(tmp.folder(), g, rng);
    showPastOpening(title);
    auto bold = [&](int row) { return scenarios(title)->item(row)->font().bold(); };
    // Scenario 1 is in effect at first, in bold, although no row is highlighted yet.
    EXPECT_TRUE(bold(0));
    {
        ModalSequence s;
        s.box("ファイル「ini/Gunbatu.ini」が見つかりません。", "OK");
        clickItem(scenarios(title), 2);
    }
    QApplication::processEvents();  // the row is put back after the press
    EXPECT_EQ(rulers(title)->count(), 13);
    EXPECT_TRUE(scenarios(title)->selectedItems().isEmpty());

    clickRuler(title, 0, "軍の内情董卓", "");
    clickItem(scenarios(title), 1);
    EXPECT_EQ(rulers(title)->count(), 12);
    EXPECT_TRUE(selectedRows(rulers(title)).empty());
    EXPECT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu2.ini"));
    clickRuler(title, 2, "軍の内情" + rulers(title)->item(2)->text(), "");
    EXPECT_EQ(scenarios(title)->selectedItems(), QList<QListWidgetItem*>{scenarios(title)->item(1)});
    EXPECT_EQ(std::make_tuple(bold(0), bold(1)), std::make_tuple(false, true));
    // The row looks the same while the ruler list has the keyboard.
    const QPalette& p = scenarios(title)->palette();
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight), p.color(QPalette::Active, QPalette::Highlight));

    // Clicking the picked ruler again unpicks him and opens nothing.
    bool opened = false;
    QTimer::singleShot(300, &title, [&] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w != &title) {
            opened = true;
            w->close();
        }
    });
    clickItem(rulers(title), 2);
    QTest::qWait(400);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(selectedRows(rulers(title)).empty());

    // In the what-if scenarios the faction screen warns that the retainers will change.
    clickItem(scenarios(title), 4);
    clickRuler(title, 0, "軍の内情" + rulers(title)->item(0)->text(), "配下の構成は変わります");
}

TEST_F(GameFlowTest, ResetOfficersAsksThenCopiesTheBackupOverTheMaster) {
    tmp.writeIni("bushou1.ini", tmp.readIni("bushou1.ini") + "\r\n");  // an edited master
    Form2 title(tmp.folder(), g, rng);
    showPastOpening(title);
    const QString question =
        "シナリオ 1においてエディットした武将データを全て初期化しますか？\n"
        "（シナリオ 1とシナリオ 4は同じ武将データを使うため、どちらのシナリオの武将も初期化されます）";
    {
        ModalSequence s;
        s.box(question, "キャンセル");
        press(&title, "cmdInit");
    }
    EXPECT_NE(tmp.readIni("bushou1.ini"), tmp.readIni("BUSHOU1_BK.ini"));
    {
        ModalSequence s;
        s.box(question, "OK").box("初期化しました", "OK");
        press(&title, "cmdInit");
    }
    EXPECT_EQ(tmp.readIni("bushou1.ini"), tmp.readIni("BUSHOU1_BK.ini"));

    // Escape does not leave the title screen.
    QTest::keyClick(&title, Qt::Key_Escape);
    EXPECT_TRUE(title.isVisible());
}

}  // namespace
}  // namespace tei
