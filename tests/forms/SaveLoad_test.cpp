#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "ScreenFixture.h"
#include "core/forms/GameLook.h"
#include "screens/SaveSlots.h"
#include "screens/forms/SVLD.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

class SaveLoadTest : public GameScreenTest {
protected:
    // As the mouse does it: a click, then the second press that makes it a double click.
    static void doubleClick(QTreeWidget* list, QTreeWidgetItem* item) {
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

// A game saved by hand in its second year. The title screen offers the game just left first (its
// autosave, made as each year begins), and the load screen lists the autosave above the slots; each
// resumes the saved year. A game at its last year is not offered again.
TEST_F(SaveLoadTest, SavedAndAutosavedGamesResumeTheSavedYearFromTheTitleScreen) {
    newGame({2});
    {
        std::unique_ptr<Main> played = openMain("曹操");
        Main& main = *played;
        ModalSequence s;
        s.box("曹操の行動をコンピュータに任せますか？", "はい");
        closeStory(s, 189);
        closeYearEnd(s, 189);
        s.box("曹操の番です。", "OK");
        press(&main, "Command1_3");
        ASSERT_EQ(text(&main, "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");

        // Ctrl+S opens the save screen; the digits typed there name the slot.
        s.then<SVLD>([](SVLD* save) {
            press(save, "Command1_4");
            press(save, "Command1_2");
            press(save, "Command2_1");
        });
        s.box("save42でセーブしますか？", "OK").box("セーブしました。", "OK");  // a new slot: no second question
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(s.done());
        EXPECT_EQ(g.savedFlag, 1);
        EXPECT_EQ(tmp.readSave("gunsv42.ini"), tmp.readIni("gunsv.ini"));
        main.close();  // saved: no question
        EXPECT_FALSE(main.isVisible());
        EXPECT_EQ(main.result(), Main::Quit);
    }
    const std::string savedFactions = tmp.readSave("gunsv42.ini");

    // The title screen makes scenario 1's working files afresh; loading the slot puts them back.
    g = GameGlobals{};
    auto title = std::make_unique<Form2>(tmp.folder(), g, rng);
    title->skipOpening();
    title->show();
    ASSERT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu1.ini"));
    auto* resume = child<QPushButton>(title.get(), "cmdResume");
    ASSERT_NE(resume, nullptr);
    EXPECT_EQ(resume->text(), "前回の続きから（シナリオ 1曹操 190年）");
    EXPECT_LT(resume->x(), child<QPushButton>(title.get(), "Command2")->x());
    ModalSequence s;
    s.then<SVLD>([](SVLD* load) {
        auto* list = child<QTreeWidget>(load, "slotList");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        QTreeWidgetItem* first = list->topLevelItem(0);
        EXPECT_EQ((QStringList{first->text(0), first->text(1)}), (QStringList{"オートセーブ", "シナリオ 1曹操 190年"}));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(first).center());
        EXPECT_EQ(text(load, "Lab_num"), "オートセーブ");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
        EXPECT_EQ(text(load, "Lab_num"), "save42");
        press(load, "Command2_1");
    });
    s.box("シナリオ 1曹操 190年\nこれをロードしますか？", "OK");
    press(title.get(), "Command1_1");
    EXPECT_TRUE(s.done());
    EXPECT_EQ(title->result(), Form2::Continue);
    EXPECT_EQ(tmp.readIni("gunsv.ini"), savedFactions);
    std::unique_ptr<Main> main = openMain("曹操");
    EXPECT_EQ(text(main.get(), "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");
    // Continuing from the title screen is no save of this session: quitting asks.
    s.box("セーブをしてませんがよろしいですか？", "はい");
    main->close();
    EXPECT_FALSE(main->isVisible());

    // The offer on the title screen loads the autosave.
    g = GameGlobals{};
    title = std::make_unique<Form2>(tmp.folder(), g, rng);
    title->skipOpening();
    title->show();
    press(title.get(), "cmdResume");
    EXPECT_EQ(title->result(), Form2::Continue);
    EXPECT_EQ(g.slotName[2], "曹操");
    EXPECT_EQ(tmp.readIni("busv.ini"), tmp.readSave("busvauto.ini"));

    // At the scenario's last year the game has ended.
    std::string info = tmp.readSave("saveauto.ini");
    info.replace(info.find("\r\n190,") + 2, 3, "216");
    tmp.writeSave("saveauto.ini", info);
    title = std::make_unique<Form2>(tmp.folder(), g, rng);
    EXPECT_EQ(title->findChild<QPushButton*>("cmdResume"), nullptr);
}

TEST_F(SaveLoadTest, TheSlotListFillsTheNumberAndSavingOverAGameAsksOnceMore) {
    newGame({2});
    std::unique_ptr<Main> main = openMain("曹操");
    // A slot made by the engine, its officer copy marked to tell whether a save replaced it.
    g.saveHeader = {189, 0, 0, 0, 1, 0, 0, 0};
    ASSERT_TRUE(SaveSlots(tmp.folder(), g).save_rtn("5").ok);
    tmp.writeSave("busv5.ini", "old");
    const QString listedTime = qs(slotTime(*tmp.folder().modifiedAt(tmp.folder().save("save5.ini"))));

    ModalSequence s;
    s.then<SVLD>([&](SVLD* save) {
        auto* list = child<QTreeWidget>(save, "slotList");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        QTreeWidgetItem* five = list->topLevelItem(0);
        EXPECT_EQ((QStringList{five->text(0), five->text(1), five->text(2)}),
                  (QStringList{"save5", "シナリオ 1曹操 189年", listedTime}));
        press(save, "Command1_1");
        press(save, "Command1_2");
        QTest::keyClick(save, Qt::Key_Backspace);
        EXPECT_EQ(text(save, "Lab_num"), "save1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(five).center());
        EXPECT_EQ(text(save, "Lab_num"), "save5");

        press(save, "Command2_1");  // declined the second time
        EXPECT_TRUE(save->isVisible());
        EXPECT_EQ(tmp.readSave("busv5.ini"), "old");
        doubleClick(list, five);  // picks and confirms
    });
    s.box("save5でセーブしますか？", "OK");
    s.box("save5 には シナリオ 1曹操 189年 のデータがあります。上書きしますか？", "いいえ");
    s.box("save5でセーブしますか？", "OK");
    s.box("save5 には シナリオ 1曹操 189年 のデータがあります。上書きしますか？", "はい");
    s.box("セーブしました。", "OK");
    main->findChild<QAction*>("cmdSave")->trigger();
    EXPECT_TRUE(s.done());
    EXPECT_EQ(tmp.readSave("busv5.ini"), tmp.readIni("busv.ini"));
    EXPECT_EQ(g.savedFlag, 1);
    main->close();
}

TEST_F(SaveLoadTest, TheLoadScreenTypesNumbersOfAnyLengthByKeysAndRefusesAMissingSlot) {
    g.gameMode = GameMode::Continue;
    SVLD load(tmp.folder(), g);
    load.show();
    const QSize size = load.size();
    // No slot yet: the list says so, and its line picks nothing.
    auto* list = child<QTreeWidget>(&load, "slotList");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "セーブデータはありません");
    doubleClick(list, list->topLevelItem(0));
    EXPECT_EQ(text(&load, "Lab_num"), "save");

    // Backspace and the pad's arrow take back one digit, Delete the whole number.
    press(&load, "Command1_1");
    QTest::keyClick(&load, Qt::Key_7);
    QTest::keyClick(&load, Qt::Key_3);
    QTest::keyClick(&load, Qt::Key_Backspace);
    EXPECT_EQ(text(&load, "Lab_num"), "save17");
    press(&load, "backspaceButton");
    EXPECT_EQ(text(&load, "Lab_num"), "save1");
    QTest::keyClick(&load, Qt::Key_Delete);
    EXPECT_EQ(text(&load, "Lab_num"), "save");
    // A long number is typed on; the label shortens it in the middle and the dialog keeps its size.
    press(&load, "Command1_1");
    for (int i = 0; i < 45; ++i) press(&load, "Command1_8");
    EXPECT_EQ(load.slotNumber().digits(), "1" + std::string(45, '8'));
    EXPECT_TRUE(text(&load, "Lab_num").startsWith("save18"));
    EXPECT_TRUE(text(&load, "Lab_num").contains(QChar(0x2026)));
    EXPECT_EQ(child<QLabel>(&load, "Lab_num")->toolTip(), QString::fromStdString("save" + load.slotNumber().digits()));
    EXPECT_EQ(load.size(), size);
    ModalSequence s;
    s.box("ファイルが見つかりません", "OK");
    press(&load, "Command2_1");
    EXPECT_TRUE(load.isVisible());
    QTest::keyClick(&load, Qt::Key_Escape);
    EXPECT_FALSE(load.isVisible());
}

}  // namespace
}  // namespace tei
