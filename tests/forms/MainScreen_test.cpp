#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include "GameScreens.h"
#include "ModalSequence.h"
#include "game/forms/Main.h"
#include "messages/forms/DLogReader.h"
#include "messages/forms/Msg.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/SVLD.h"
#include "screens/forms/Strate.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

const QColor kCyan(0xC0, 0xFF, 0xFF);

class MainScreenTest : public GameScreenTest {
protected:
    // Shows the main screen and starts the game, answering the call of the first player.
    void start(Main& main, const QString& firstPlayer) {
        main.show();
        ModalSequence s;
        if (!firstPlayer.isEmpty()) s.box(firstPlayer + "の番です。", "OK");
        main.start();
        EXPECT_TRUE(s.done());
        main.activateWindow();  // for the menu's shortcuts
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    static QListWidget* offers(Main& main, int k) {
        return child<QListWidget>(&main, QStringLiteral("Com_Lst_%1").arg(k));
    }
    static QListWidget* members(Main& main, int k) {
        return child<QListWidget>(&main, QStringLiteral("Gun_lst_%1").arg(k));
    }
    static bool cyan(Main& main, int k) { return offers(main, k)->palette().color(QPalette::Base) == kCyan; }
    // The frame listing a faction.
    static int frameOf(Main& main, const QString& faction) {
        for (int k = 0; k < kFrameCount; ++k)
            if (items(members(main, k)).contains(faction)) return k;
        return -1;
    }
    // The message window of the year's story, closed from its last page.
    static void closeStory(ModalSequence& s, int year) {
        s.then<Msg>([year](Msg* story) {
            EXPECT_EQ(story->window().pages.at(0).find("＝＝ 　" + std::to_string(year) + "年　＝＝"), 29u);
            if (enabled(story, "Command1_3")) press(story, "Command1_3");
            press(story, "Command1_0");
        });
    }
    // The year-end window, a single page.
    static void closeYearEnd(ModalSequence& s) {
        s.then<Msg>([](Msg* yearEnd) {
            EXPECT_EQ(yearEnd->window().pages.at(1), "EOT");
            press(yearEnd, "Command1_0");
        });
    }
    static void triggerMenu(Main& main, const QString& action) {
        auto* a = main.findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action.toStdString();
        a->trigger();
    }
};

TEST_F(MainScreenTest, ShowsTheYearTheFramesAndThePlayers) {
    newGame({2, 4});
    Main main(tmp.folder(), g, rng);
    main.show();
    {
        // The first player is called over the year just dealt.
        ModalSequence s;
        s.then<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->text(), "曹操の番です。");
            EXPECT_EQ(text(&main, "yearHeading"), " 189年の戦況（水色のリストの戦略が選択可能です）");
            EXPECT_GT(members(main, 0)->count(), 0);
            box->accept();
        });
        main.start();
        EXPECT_TRUE(s.done());
    }
    EXPECT_EQ(main.windowTitle(), "鼎峙録・覇業編");
    EXPECT_EQ(text(&main, "yearHeading"), " 189年の戦況（水色のリストの戦略が選択可能です）");
    EXPECT_EQ(text(&main, "playerLabel"), "プレイヤー\n（曹操）");
    EXPECT_EQ(items(child<QListWidget>(&main, "dsp_PC")), (QStringList{"曹操", "孫堅"}));
    EXPECT_EQ(child<QGroupBox>(&main, "Frame1_0")->title(), "独立軍閥");
    int listed = 0;
    for (int k = 0; k < kFrameCount; ++k) {
        listed += members(main, k)->count();
        EXPECT_LE(offers(main, k)->count(), 4);
    }
    EXPECT_EQ(listed, 13);
    for (int k = 1; k < kFrameCount; ++k) {
        if (members(main, k)->count() == 0) continue;
        SCOPED_TRACE(k);
        EXPECT_EQ(text(&main, QStringLiteral("summaryHeading_%1").arg(k)), "同盟総兵力\n同盟の結束力");
        EXPECT_TRUE(text(&main, QStringLiteral("summaryValue_%1").arg(k)).contains("000\n"));
    }
    EXPECT_EQ(child<QPushButton>(&main, "Command1_3")->text(), "Auto");
    main.hide();
}

TEST_F(MainScreenTest, OnlyTheCurrentPlayersFrameIsLightCyanAndOffersTheDecideButton) {
    newGame({2, 4});
    Main main(tmp.folder(), g, rng);
    start(main, "曹操");
    const int own = frameOf(main, "曹操");
    ASSERT_GE(own, 0);
    for (int k = 0; k < kFrameCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(cyan(main, k), k == own);
    }

    // Another frame's offer: described, but without the decide button.
    int other = -1;
    for (int k = 0; k < kFrameCount; ++k)
        if (k != own && offers(main, k)->count() > 0) other = k;
    ASSERT_GE(other, 0);
    {
        ModalSequence s;
        s.then<Strate>([](Strate* strategy) {
            EXPECT_EQ(strategy->windowTitle(), "戦略");
            EXPECT_FALSE(child<QPushButton>(strategy, "Command1_1")->isVisible());
            EXPECT_TRUE(child<QPushButton>(strategy, "Command1_0")->isVisible());
            QTest::keyClick(strategy, Qt::Key_Escape);
        });
        clickItem(offers(main, other), 0);
        EXPECT_TRUE(s.done());
    }

    // The own frame's offer: decide is there; going back stores nothing and keeps the turn.
    ModalSequence s;
    s.then<Strate>([](Strate* strategy) {
        EXPECT_TRUE(child<QPushButton>(strategy, "Command1_1")->isVisible());
        EXPECT_EQ(child<QPushButton>(strategy, "Command1_1")->text(), "決定");
        EXPECT_FALSE(text(strategy, "Label1").isEmpty());
        press(strategy, "Command1_0");
    });
    clickItem(offers(main, own), 0);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(main.cycle().turnSlot, 2);
    EXPECT_EQ(text(&main, "playerLabel"), "プレイヤー\n（曹操）");
    main.hide();
}

TEST_F(MainScreenTest, AConfirmedPickByTheLastPlayerResolvesTheYearInTheMessageWindow) {
    newGame({2, 4});
    Main main(tmp.folder(), g, rng);
    start(main, "曹操");
    {
        ModalSequence s;
        s.box("曹操の行動をコンピュータに任せますか？", "はい").box("孫堅の番です。", "OK");
        press(&main, "Command1_3");
        EXPECT_TRUE(s.done());
    }
    EXPECT_EQ(text(&main, "playerLabel"), "プレイヤー\n（孫堅）");
    const int own = frameOf(main, "孫堅");
    ASSERT_GE(own, 0);
    EXPECT_TRUE(cyan(main, own));
    ASSERT_GT(offers(main, own)->count(), 0);

    QString caption;
    ModalSequence s;
    s.then<Strate>([&](Strate* strategy) {
        caption = text(strategy, "Label1");
        press(strategy, "Command1_1");
    });
    // The question repeats the offer's caption.
    s.then<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->text(), caption + "を行いますか？");
        box->button(QMessageBox::Yes)->click();
    });
    closeStory(s, 189);
    closeYearEnd(s);
    s.box("曹操の番です。", "OK");
    clickItem(offers(main, own), 0);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(text(&main, "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");
    EXPECT_EQ(text(&main, "playerLabel"), "プレイヤー\n（曹操）");
    EXPECT_EQ(g.savedFlag, 0);
    EXPECT_NE(tmp.readIni("teiji.log").find("＝＝ 　189年　＝＝"), std::string::npos);
    main.hide();
}

TEST_F(MainScreenTest, TheAutoButtonAsksForThePlayerOrToAdvanceTime) {
    newGame({2});
    {
        Main main(tmp.folder(), g, rng);
        start(main, "曹操");
        ModalSequence s;
        s.box("曹操の行動をコンピュータに任せますか？", "いいえ");
        press(&main, "Command1_3");
        EXPECT_TRUE(s.done());
        EXPECT_EQ(text(&main, "yearHeading"), " 189年の戦況（水色のリストの戦略が選択可能です）");
        main.hide();
    }
    // Nobody plays: every press plays a whole year, and no list is light cyan.
    newGame({});
    Main main(tmp.folder(), g, rng);
    start(main, "");
    for (int k = 0; k < kFrameCount; ++k) EXPECT_FALSE(cyan(main, k));
    ModalSequence s;
    s.box("時間を進めますか？", "はい");
    closeStory(s, 189);
    // With no player at all, the question after the fall of every player comes at once (and once).
    s.box("プレイヤーの軍団が全て滅亡しました。\nこのまま続けますか？", "はい");
    closeYearEnd(s);
    press(&main, "Command1_3");
    EXPECT_TRUE(s.done());
    EXPECT_EQ(text(&main, "yearHeading"), " 190年の戦況（水色のリストの戦略が選択可能です）");
    ModalSequence next;
    next.box("時間を進めますか？", "はい");
    closeStory(next, 190);
    closeYearEnd(next);
    press(&main, "Command1_3");
    EXPECT_TRUE(next.done());
    EXPECT_EQ(text(&main, "yearHeading"), " 191年の戦況（水色のリストの戦略が選択可能です）");
    main.hide();
}

TEST_F(MainScreenTest, FactionsAndPlayersOpenTheFactionScreenWithTheirPlot) {
    newGame({2});
    Main main(tmp.folder(), g, rng);
    start(main, "曹操");
    const int own = frameOf(main, "曹操");
    const int row = static_cast<int>(items(members(main, own)).indexOf("曹操"));
    const QString plot = offers(main, own)->item(g.factionChoice[3])->text() + "を画策中";
    for (int click = 0; click < 2; ++click) {
        ModalSequence s;
        s.then<Gdata>([&](Gdata* faction) {
            EXPECT_EQ(faction->windowTitle(), "軍の内情曹操");
            EXPECT_EQ(text(faction, "noteLabel"), plot);
            QTest::keyClick(faction, Qt::Key_Escape);
        });
        if (click == 0)
            clickItem(members(main, own), row);
        else
            clickItem(child<QListWidget>(&main, "dsp_PC"), 0);
        EXPECT_TRUE(s.done());
    }
    main.hide();
}

TEST_F(MainScreenTest, MenusOpenTheFactionListTheChronicleAndTheVersion) {
    newGame({2});
    Main main(tmp.folder(), g, rng);
    start(main, "曹操");
    auto* bar = child<QMenuBar>(&main, "menuBar");
    QStringList titles;
    for (QAction* a : bar->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"ファイル", "情報", "ツール", "バージョン情報"}));
    QStringList file;
    for (QAction* a : child<QMenu>(&main, "mnFile")->actions())
        if (!a->isSeparator()) file << a->text();
    EXPECT_EQ(file, (QStringList{"セーブ", "ロード", "最初から", "終了"}));

    ModalSequence s;
    s.then<ALL_Gdata>([](ALL_Gdata* list) { QTest::keyClick(list, Qt::Key_Escape); });
    triggerMenu(main, "mnAllGdata");
    s.then<DLogReader>([](DLogReader* reader) {
        EXPECT_EQ(reader->reader().shownText(), "鼎峙録の記録\r\n");
        QTest::keyClick(reader, Qt::Key_Escape);
    });
    triggerMenu(main, "mnLog");
    s.box("鼎峙録Revised\n (ver.1.1)\nsince2004/1/23", "OK");
    triggerMenu(main, "mnVersion");
    EXPECT_TRUE(s.done());
    main.hide();
}

TEST_F(MainScreenTest, CtrlSSavesAndThenQuittingAsksNothing) {
    newGame({2});
    Main main(tmp.folder(), g, rng);
    start(main, "曹操");
    ModalSequence s;
    s.then<SVLD>([](SVLD* save) {
        EXPECT_EQ(save->windowTitle(), "セーブ画面");
        press(save, "Command1_4");
        press(save, "Command1_2");
        EXPECT_EQ(text(save, "Lab_num"), "save42");
        press(save, "Command2_1");
    });
    s.box("save42でセーブしますか？", "OK");
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(g.savedFlag, 1);
    EXPECT_EQ(tmp.readSave("gunsv42.ini"), tmp.readIni("gunsv.ini"));
    EXPECT_EQ(tmp.readSave("save42.ini").substr(0, 21), "同盟結束力\r\n189,");

    main.close();  // saved: no question
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.result(), Main::Quit);
}

TEST_F(MainScreenTest, ClosingTheWindowAsksLikeQuitAndNewGameGoesBackToTheTitle) {
    newGame({2});
    Main main(tmp.folder(), g, rng);
    start(main, "曹操");
    {
        ModalSequence s;
        s.box("セーブをしてませんがよろしいですか？", "いいえ");
        main.close();
        EXPECT_TRUE(s.done());
        EXPECT_TRUE(main.isVisible());
    }
    QTest::keyClick(&main, Qt::Key_Escape);  // no back button here
    EXPECT_TRUE(main.isVisible());
    ModalSequence s;
    s.box("セーブをしてませんがよろしいですか？", "はい");
    triggerMenu(main, "newGame");
    EXPECT_TRUE(s.done());
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.result(), Main::BackToTitle);
    EXPECT_EQ(g.slotFaction[2], 0);
    EXPECT_EQ(g.slotName[2], "");
}

}  // namespace
}  // namespace tei
