#include <QListWidget>

#include "ScreenFixture.h"
#include "screens/forms/SVLD.h"
#include "setup/forms/Form2.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

class SaveLoadTest : public GameScreenTest {};

TEST_F(SaveLoadTest, SavedThenLoadedFromTheTitleScreenTheGameResumesTheSavedYear) {
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
            EXPECT_EQ(save->windowTitle(), "セーブ画面");
            press(save, "Command1_4");
            press(save, "Command1_2");
            press(save, "Command2_1");
        });
        s.box("save42でセーブしますか？", "OK");
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

    // The title screen makes scenario 1's working files afresh; going back from the load screen
    // keeps it open, and continuing loads the slot over the working files.
    g = GameGlobals{};
    Form2 title(tmp.folder(), g, rng);
    title.show();
    ASSERT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu1.ini"));
    {
        ModalSequence s;
        s.then<SVLD>([](SVLD* load) {
            EXPECT_EQ(load->windowTitle(), "ロード画面");
            press(load, "Command3");
        });
        press(&title, "Command1_1");
    }
    EXPECT_TRUE(title.isVisible());
    {
        ModalSequence s;
        s.then<SVLD>([](SVLD* load) {
            press(load, "Command1_4");
            press(load, "Command1_2");
            press(load, "Command2_1");
        });
        s.box("シナリオ 1曹操 190年\nこれをロードしますか？", "OK");
        press(&title, "Command1_1");
    }
    EXPECT_FALSE(title.isVisible());
    EXPECT_EQ(title.result(), Form2::Continue);
    EXPECT_EQ(tmp.readIni("gunsv.ini"), savedFactions);

    std::unique_ptr<Main> main = openMain("曹操");
    EXPECT_EQ(text(main.get(), "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");
    EXPECT_EQ(items(child<QListWidget>(main.get(), "dsp_PC")), QStringList{"曹操"});
    // Continuing from the title screen is no save of this session: quitting asks.
    ModalSequence s;
    s.box("セーブをしてませんがよろしいですか？", "はい");
    main->close();
    EXPECT_FALSE(main->isVisible());
}

TEST_F(SaveLoadTest, TheLoadScreenTypesByKeysAndRefusesANinthDigitAndAMissingSlot) {
    g.gameMode = GameMode::Continue;
    SVLD load(tmp.folder(), g);
    load.show();
    press(&load, "Command1_1");
    QTest::keyClick(&load, Qt::Key_7);
    EXPECT_EQ(text(&load, "Lab_num"), "save17");
    for (int i = 0; i < 6; ++i) press(&load, "Command1_9");
    {
        ModalSequence s;
        s.box("セーブ番号は8桁までです。", "OK");
        press(&load, "Command1_9");
    }
    EXPECT_EQ(text(&load, "Lab_num"), "save17999999");
    {
        ModalSequence s;
        s.box("ファイルが見つかりません", "OK");
        press(&load, "Command2_1");
    }
    EXPECT_TRUE(load.isVisible());
    QTest::keyClick(&load, Qt::Key_Escape);
    EXPECT_FALSE(load.isVisible());
}

}  // namespace
}  // namespace tei
