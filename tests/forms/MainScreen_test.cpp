#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTableWidget>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "ScreenFixture.h"
#include "game/forms/Forecast.h"
#include "messages/forms/DLogReader.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/HistoryChart.h"
#include "screens/forms/Status.h"
#include "screens/forms/Strate.h"

namespace tei {
namespace {

using test::GameScreenTest;
using test::ModalSequence;

const QColor kCyan(0xC0, 0xFF, 0xFF);
const QString k189 = " 189年の戦況（水色のリストの戦略が選択可能です）";

class MainScreenTest : public GameScreenTest {
protected:
    void TearDown() override {
        main.reset();
        GameScreenTest::TearDown();
    }

    QString heading() const { return text(main.get(), "yearHeading"); }
    QString player() const { return text(main.get(), "playerLabel"); }
    QListWidget* offers(int k) const { return child<QListWidget>(main.get(), QStringLiteral("Com_Lst_%1").arg(k)); }
    QListWidget* members(int k) const { return child<QListWidget>(main.get(), QStringLiteral("Gun_lst_%1").arg(k)); }
    bool cyan(int k) const { return offers(k)->palette().color(QPalette::Base) == kCyan; }
    // The frame listing a faction.
    int frameOf(const QString& faction) const {
        for (int k = 0; k < kFrameCount; ++k)
            if (items(members(k)).contains(faction)) return k;
        return -1;
    }
    void triggerMenu(const QString& action) {
        auto* a = main->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action.toStdString();
        a->trigger();
    }
    // Every file of the game folder with its bytes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(tmp.root()))
            if (e.is_regular_file()) {
                std::ifstream in(e.path(), std::ios::binary);
                out[e.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
            }
        return out;
    }
    std::unique_ptr<Main> main;
};

TEST_F(MainScreenTest, TwoPlayersTakeTheirTurnsInTheirLightCyanFrames) {
    newGame({2, 4});
    main = std::make_unique<Main>(tmp.folder(), g, rng);
    main->show();
    ModalSequence s;
    s.then<QMessageBox>([&](QMessageBox* box) {  // the first player is called over the year just dealt
        EXPECT_EQ(box->text(), "曹操の番です。");
        EXPECT_EQ(heading(), k189);
        box->accept();
    });
    main->start();
    EXPECT_EQ(player(), "プレイヤー\n（曹操）");
    const int own = frameOf("曹操");
    ASSERT_GE(own, 0);
    int other = -1;
    for (int k = 0; k < kFrameCount; ++k) {
        EXPECT_EQ(cyan(k), k == own) << k;
        if (k != own && offers(k)->count() > 0) other = k;
    }
    ASSERT_GE(other, 0);

    // Another frame's offer is described without the decide button, the own frame's with it; going
    // back stores nothing and keeps the turn.
    for (int k : {other, own}) {
        s.then<Strate>([&](Strate* strategy) {
            EXPECT_EQ(child<QPushButton>(strategy, "Command1_1")->isVisible(), k == own);
            press(strategy, "Command1_0");
        });
        clickItem(offers(k), 0);
    }
    EXPECT_EQ(main->cycle().turnSlot, 2);
    // Auto asks first: No keeps the turn, Yes passes it to the next player.
    s.box("曹操の行動をコンピュータに任せますか？", "いいえ");
    press(main.get(), "Command1_3");
    EXPECT_EQ(player(), "プレイヤー\n（曹操）");
    s.box("曹操の行動をコンピュータに任せますか？", "はい").box("孫堅の番です。", "OK");
    press(main.get(), "Command1_3");
    EXPECT_EQ(player(), "プレイヤー\n（孫堅）");
    const int sun = frameOf("孫堅");
    ASSERT_GE(sun, 0);
    EXPECT_TRUE(cyan(sun));

    // The last player's confirmed pick resolves the year; the question repeats the offer's caption.
    QString caption;
    s.then<Strate>([&](Strate* strategy) {
        caption = text(strategy, "Label1");
        press(strategy, "Command1_1");
    });
    s.then<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->text(), caption + "を行いますか？");
        box->button(QMessageBox::Yes)->click();
    });
    closeStory(s, 189);
    closeYearEnd(s, 189);
    s.box("曹操の番です。", "OK");
    clickItem(offers(sun), 0);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(heading(), " 190年の戦況（水色のリストの戦略が選択可能です）");
    EXPECT_EQ(player(), "プレイヤー\n（曹操）");
}

// Confirming a comment on the way (offer, officer data, comment, 決定, back, back) is no decision on
// the offer: going back from the description asks nothing and keeps the turn.
TEST_F(MainScreenTest, BackFromADescriptionAfterEditingACommentChoosesNothing) {
    newGame({2});
    main = openMain("曹操");
    const int own = frameOf("曹操");
    ASSERT_GE(own, 0);
    int withOfficer = -1;  // an offer that concerns an officer, so the description offers his data
    for (int p = 0; p < offers(own)->count(); ++p)
        if (QStringList{"人材募集", "黄巾賊退治", "異民族討伐"}.contains(offers(own)->item(p)->text())) withOfficer = p;
    ASSERT_GE(withOfficer, 0) << items(offers(own)).join(" ").toStdString();
    const int16_t choice = g.factionChoice[3];
    ModalSequence s;
    s.then<Strate>([&](Strate* strategy) {
        press(strategy, "Command1_2");  // the officer's status, until it closes
        press(strategy, "Command1_0");
        // A question after 戻る would be a decision the player never made.
        QTimer::singleShot(300, qApp, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "asked: " << box->text().toStdString();
                box->button(QMessageBox::No)->click();
            }
        });
    });
    s.then<Status>([&](Status* status) {
        QTest::mouseClick(child<QLabel>(status, "Lab_cmt"), Qt::LeftButton);  // the comment editor
        press(status, "backButton");
    });
    s.then<Cmt_Edit>([&](Cmt_Edit* editor) {
        child<QPlainTextEdit>(editor, "Txt_cmt")->setPlainText("書き足した");
        press(editor, "Command1_1");
    });
    clickItem(offers(own), withOfficer);
    EXPECT_TRUE(s.done());
    QTest::qWait(400);
    EXPECT_EQ(main->cycle().turnSlot, 2);
    EXPECT_EQ(g.factionChoice[3], choice);
    EXPECT_EQ(heading(), k189);
}

// Whatever the offer (a caption of one line or two, an officer to look up or none, a decide button or
// none), the description screen keeps one size and 決定 and 戻る their places.
TEST_F(MainScreenTest, OffersAreToldApartByPointingAndDescribedInAScreenThatHoldsStill) {
    newGame({2});
    main = openMain("曹操");
    std::optional<QSize> size;
    std::optional<QRect> decideAt, backAt;
    std::set<std::pair<bool, bool>> kinds;  // (two-line caption, officer button) seen
    for (int k = 0; k < kFrameCount; ++k) {
        for (int row = 0; row < offers(k)->count(); ++row) {
            SCOPED_TRACE(QStringLiteral("frame %1 offer %2").arg(k).arg(row).toStdString());
            QListWidgetItem* item = offers(k)->item(row);
            const QString hint = QString::fromStdString(main->cycle().offerHint(k, row));
            EXPECT_TRUE(hint.startsWith(item->text()));
            EXPECT_EQ(item->toolTip(), hint);
            QTest::mouseMove(offers(k)->viewport(), offers(k)->visualItemRect(item).center());
            EXPECT_EQ(text(main.get(), "Lab_hlp"), hint);

            ModalSequence s;
            s.then<Strate>([&](Strate* strategy) {
                QApplication::processEvents();
                auto place = [&](const char* name) {
                    auto* b = child<QPushButton>(strategy, name);
                    return QRect(b->mapTo(strategy, QPoint(0, 0)), b->size());
                };
                const bool decidable = child<QPushButton>(strategy, "Command1_1")->isVisible();
                kinds.insert(
                    {text(strategy, "Label1").contains('\n'), child<QPushButton>(strategy, "Command1_2")->isVisible()});
                EXPECT_EQ(strategy->size(), size.value_or(strategy->size()));
                EXPECT_EQ(place("Command1_0"), backAt.value_or(place("Command1_0")));
                size = strategy->size();
                backAt = place("Command1_0");
                if (decidable) {
                    EXPECT_EQ(place("Command1_1"), decideAt.value_or(place("Command1_1")));
                    decideAt = place("Command1_1");
                }
                press(strategy, "Command1_0");
            });
            clickItem(offers(k), row);
        }
    }
    EXPECT_TRUE(decideAt.has_value());
    EXPECT_GE(kinds.size(), 3u) << "the year should deal offers of several kinds";
}

TEST_F(MainScreenTest, FactionsPlayersAndMenusOpenTheirScreensAndClosingAsks) {
    newGame({2});
    main = openMain("曹操");
    // The faction screen from the players' list shows what the faction plots.
    const int own = frameOf("曹操");
    ModalSequence s;
    s.then<Gdata>([&](Gdata* faction) {
        EXPECT_EQ(faction->windowTitle(), "軍の内情曹操");
        EXPECT_EQ(text(faction, "noteLabel"), offers(own)->item(g.factionChoice[3])->text() + "を画策中");
        QTest::keyClick(faction, Qt::Key_Escape);
    });
    clickItem(child<QListWidget>(main.get(), "dsp_PC"), 0);
    s.then<ALL_Gdata>([](ALL_Gdata* list) {
        EXPECT_EQ(list->findChild<QPushButton*>("historyButton"), nullptr);  // only at the end of the game
        QTest::keyClick(list, Qt::Key_Escape);
    });
    triggerMenu("mnAllGdata");
    s.then<HistoryChart>([](HistoryChart* chart) {
        EXPECT_EQ(text(chart, "noteLabel"), "まだ記録がありません。一年が終わるごとに、各軍閥の値が記録されます。");
        QTest::keyClick(chart, Qt::Key_Escape);
    });
    triggerMenu("mnHistory");
    s.then<DLogReader>([](DLogReader* reader) { QTest::keyClick(reader, Qt::Key_Escape); });
    triggerMenu("mnLog");
    s.box("鼎峙録Revised\n (ver.1.1)\nsince2004/1/23", "OK");
    triggerMenu("mnVersion");
    EXPECT_TRUE(s.done());

    // Unsaved, the window's close box asks as quitting does; Escape does not close it. (Quitting and
    // a new game after Yes are played in the save/load and program tests.)
    s.box("セーブをしてませんがよろしいですか？", "いいえ");
    main->close();
    EXPECT_TRUE(main->isVisible());
    QTest::keyClick(main.get(), Qt::Key_Escape);
    EXPECT_TRUE(main->isVisible());
}

// The menu entry starts five hundred games, and 中止 stops them with no result; a forecast that runs
// to its end shows every faction's chances, the player marked. The game's files are only read.
TEST_F(MainScreenTest, CancelStopsTheGamesAndAFinishedForecastShowsEveryFactionsChances) {
    newGame({2});  // 曹操
    main = openMain("曹操");
    const auto before = files();
    // Should a result window open after the cancel, it fails the test and is closed, not waited on.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        if (auto* result = qobject_cast<Forecast*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "a forecast shown after the cancel";
            result->reject();
        }
    });
    watch.start(20);
    {
        ModalSequence s;
        s.then<QProgressDialog>([](QProgressDialog* progress) {
            EXPECT_EQ(progress->maximum(), 500);
            for (auto* b : progress->findChildren<QPushButton*>())
                if (b->text() == "中止") QTest::mouseClick(b, Qt::LeftButton);
        });
        auto* entry = main->findChild<QAction*>("mnForecast");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text(), "戦況予測");
        entry->trigger();
        EXPECT_TRUE(s.done());
    }
    QApplication::processEvents();
    watch.stop();

    ModalSequence s;
    s.then<QProgressDialog>([&](QProgressDialog* progress) {
        EXPECT_EQ(progress->windowTitle(), "戦況予測");
        EXPECT_TRUE(progress->labelText().startsWith("189年の状況から40回")) << progress->labelText().toStdString();
    });
    s.then<Forecast>([](Forecast* result) {
        auto* table = child<QTableWidget>(result, "oddsTable");
        ASSERT_EQ(table->rowCount(), 13);  // every faction of scenario 1
        double firsts = 0, previous = 101;
        QStringList players;
        for (int r = 0; r < table->rowCount(); ++r) {
            const double first = table->item(r, 1)->text().chopped(1).toDouble();
            EXPECT_LE(first, previous) << "sorted by the chance to finish first";
            previous = first;
            firsts += first;
            if (table->item(r, 0)->text().contains("（プレイヤー）")) {
                players << table->item(r, 0)->text();
                EXPECT_EQ(table->item(r, 0)->background().color(), kCyan);
            }
        }
        EXPECT_EQ(players, QStringList{"曹操（プレイヤー）"});
        EXPECT_GE(firsts, 99.9);  // someone finishes first in every game; ties add more
        press(result, "backButton");
    });
    runForecast(main.get(), tmp.folder(), g, main->cycle().yearCounter, 40);
    EXPECT_TRUE(s.done());
    EXPECT_EQ(files(), before);
    EXPECT_EQ(g.slotFaction[2], 3);  // and the game on the screen keeps its player
    EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace tei
