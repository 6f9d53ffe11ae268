#include <QListWidget>

#include "GameScreens.h"
#include "ModalSequence.h"
#include "game/forms/Main.h"
#include "messages/forms/Msg.h"
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
        Main main(tmp.folder(), g, rng);
        main.show();
        ModalSequence s;
        s.box("曹操の番です。", "OK");
        main.start();
        s.box("曹操の行動をコンピュータに任せますか？", "はい");
        s.then<Msg>([](Msg* story) { press(story, "Command1_0"); });
        s.then<Msg>([](Msg* yearEnd) { press(yearEnd, "Command1_0"); });
        s.box("曹操の番です。", "OK");
        press(&main, "Command1_3");
        s.then<SVLD>([](SVLD* save) {
            press(save, "Command1_3");
            press(save, "Command2_1");
        });
        s.box("save3でセーブしますか？", "OK");
        main.findChild<QAction*>("cmdSave")->trigger();
        EXPECT_TRUE(s.done());
        ASSERT_EQ(text(&main, "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");
        main.close();
        EXPECT_FALSE(main.isVisible());
    }
    const std::string savedFactions = tmp.readSave("gunsv3.ini");
    const std::string savedChronicle = tmp.readSave("teilog3.log");

    // The title screen makes scenario 1's working files afresh; continuing loads the slot over them.
    g = GameGlobals{};
    Form2 title(tmp.folder(), g, rng);
    title.show();
    ASSERT_EQ(tmp.readIni("gunsv.ini"), tmp.readIni("Gunbatu1.ini"));
    ModalSequence s;
    s.then<SVLD>([](SVLD* load) {
        EXPECT_EQ(load->windowTitle(), "ロード画面");
        press(load, "Command1_3");
        press(load, "Command2_1");
    });
    s.box("シナリオ 1曹操 190年\nこれをロードしますか？", "OK");
    press(&title, "Command1_1");
    EXPECT_TRUE(s.done());
    EXPECT_FALSE(title.isVisible());
    EXPECT_EQ(title.result(), Form2::Continue);
    EXPECT_EQ(g.gameMode, 2);
    EXPECT_EQ(tmp.readIni("gunsv.ini"), savedFactions);
    EXPECT_EQ(tmp.readIni("teiji.log"), savedChronicle);

    Main main(tmp.folder(), g, rng);
    main.show();
    ModalSequence resume;
    resume.box("曹操の番です。", "OK");
    main.start();
    EXPECT_TRUE(resume.done());
    EXPECT_EQ(text(&main, "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");
    EXPECT_EQ(items(child<QListWidget>(&main, "dsp_PC")), QStringList{"曹操"});
    EXPECT_EQ(main.cycle().lastYear, 216);
    // Continuing from the title screen is no save of this session: quitting asks.
    resume.box("セーブをしてませんがよろしいですか？", "はい");
    main.close();
    EXPECT_TRUE(resume.done());
    EXPECT_FALSE(main.isVisible());
}

TEST_F(SaveLoadTest, TheLoadScreenTypesClearsAndRefusesAMissingSlot) {
    g.gameMode = 2;
    SVLD load(tmp.folder(), g);
    load.show();
    EXPECT_EQ(text(&load, "Lab_num"), "save");
    press(&load, "Command1_1");
    press(&load, "Command1_0");
    QTest::keyClick(&load, Qt::Key_7);
    EXPECT_EQ(text(&load, "Lab_num"), "save107");
    press(&load, "Command2_0");
    EXPECT_EQ(text(&load, "Lab_num"), "save");

    // A ninth digit is refused.
    for (int i = 0; i < 8; ++i) press(&load, "Command1_9");
    {
        ModalSequence s;
        s.box("セーブ番号は8桁までです。", "OK");
        press(&load, "Command1_9");
        EXPECT_TRUE(s.done());
    }
    EXPECT_EQ(text(&load, "Lab_num"), "save99999999");

    ModalSequence s;
    s.box("ファイルが見つかりません", "OK");
    press(&load, "Command2_1");
    EXPECT_TRUE(s.done());
    EXPECT_TRUE(load.isVisible());
    EXPECT_EQ(g.dialogResult, 0);
    QTest::keyClick(&load, Qt::Key_Escape);
    EXPECT_FALSE(load.isVisible());
}

}  // namespace
}  // namespace tei
