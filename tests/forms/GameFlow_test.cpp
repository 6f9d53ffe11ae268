#include <QListWidget>
#include <QTableWidget>
#include <QTimer>

#include "core/HistoryFile.h"

#include "ScreenFixture.h"
#include "core/DiskStorage.h"
#include "game/forms/GameProgram.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/HistoryChart.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

class GameFlowTest : public GameScreenTest {};

TEST_F(GameFlowTest, TheProgramRefusesAFolderWithoutItsDataFiles) {
    std::filesystem::remove(tmp.root() / "ini" / "sei.ini");
    GameProgram program(tmp.root());
    ModalSequence s;
    s.box("次のデータファイルが見つかりません：\n　ini/sei.ini", "OK");
    EXPECT_EQ(program.run(), 1);
    EXPECT_TRUE(s.done());
}

// A save that a killed run left half done is finished when the program starts, before anything is read.
TEST_F(GameFlowTest, TheProgramFinishesAStepAKilledRunLeftHalfDone) {
    {
        struct Killed {};
        auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
        disk->setInstantHook([](const char* done) {
            if (std::string(done) == "rename") throw Killed{};
        });
        GameFolder f(disk);
        EXPECT_THROW(f.writeTogether({{f.save("busv5.ini"), "officers"}, {f.save("save5.ini"), "information"}}),
                     Killed);
    }
    ASSERT_EQ(tmp.readSave("busv5.ini"), "officers");
    ASSERT_FALSE(std::filesystem::exists(tmp.root() / "save" / "save5.ini"));
    GameProgram program(tmp.root());
    ModalSequence s;
    s.then<Form2>([](Form2* title) { press(title, "Command1_0"); });
    EXPECT_EQ(program.run(), 0);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(tmp.readSave("save5.ini"), "information");
    for (const auto& e : std::filesystem::directory_iterator(tmp.root() / "save"))
        EXPECT_FALSE(e.path().filename().string().starts_with(".")) << e.path();
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

}  // namespace
}  // namespace tei
