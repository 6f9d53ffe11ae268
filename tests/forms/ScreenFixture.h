#pragma once
// The screen tests' game folders: the small world of the information screens with its scenario 1
// masters, or the shipped data with a game started as the title screen starts it. Finding and
// pressing widgets by name, and the check that a test leaves no window open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <vector>

#include "ModalSequence.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/forms/RememberedGeometry.h"
#include "game/forms/Main.h"
#include "messages/forms/Msg.h"
#include "screens/ScreensWorld.h"
#include "setup/ScenarioSetup.h"
#include "support/TempGameFolder.h"

// Failing checks print Qt texts readably.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{";
    for (const auto& s : list) *os << '"' << s.toStdString() << "\" ";
    *os << "}";
}

namespace tei::test {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        forgetWindowPlaces();
        writeWorld(tmp);
        tmp.writeIni("bushou1.ini", kWorldOfficers);
        tmp.writeIni("BUSHOU1_BK.ini", kWorldOfficers);
    }
    void TearDown() override {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible()) continue;
            ADD_FAILURE() << "left open: " << w->metaObject()->className() << " " << w->objectName().toStdString();
            w->close();
        }
    }

    // Every window opens as the game first opens it, not where an earlier test left it.
    static void forgetWindowPlaces() { gameSettings()->clear(); }

    template <class T>
    static T* child(QWidget* w, const QString& name) {
        auto* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static QString text(QWidget* w, const QString& labelName) { return child<QLabel>(w, labelName)->text(); }
    static QStringList items(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static void clickItem(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    static void press(QWidget* w, const QString& name) {
        auto* b = child<QPushButton>(w, name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << name.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static bool enabled(QWidget* w, const QString& name) { return child<QPushButton>(w, name)->isEnabled(); }
    // Which of the paging windows' buttons close, previous, next and last can be pressed.
    static std::vector<bool> pagingButtons(QWidget* w) {
        return {enabled(w, "Command1_0"), enabled(w, "Command1_1"), enabled(w, "Command1_2"), enabled(w, "Command1_3")};
    }

    TempGameFolder tmp;
    GameGlobals g = worldGlobals();
};

class GameScreenTest : public ScreenTest {
protected:
    void SetUp() override {
        forgetWindowPlaces();
        tmp.copyShippedData();
        g = GameGlobals{};
    }

    // A new game of scenario 1 with players on the given ruler rows, made as the title screen makes it.
    void newGame(const std::vector<int>& rows) {
        ScenarioSetup title(tmp.folder(), g, rng);
        ASSERT_TRUE(title.Form_Load().ok);
        ASSERT_TRUE(title.startNewGame(rows).ok);
    }

    // The main screen on the game made, started with the first player's call answered.
    std::unique_ptr<Main> openMain(const QString& firstPlayer) {
        auto main = std::make_unique<Main>(tmp.folder(), g, rng);
        main->show();
        ModalSequence s;
        s.box(firstPlayer + "の番です。", "OK");
        main->start();
        EXPECT_TRUE(s.done());
        return main;
    }
    // The message window of the year's story, closed from its last page, and the year-end window, a
    // single page under the heading of its year.
    static void closeStory(ModalSequence& s, int year) {
        s.then<Msg>([year](Msg* story) {
            EXPECT_NE(story->window().pages.at(0).find("＝＝ 　" + std::to_string(year) + "年　＝＝"),
                      std::string::npos);
            EXPECT_FALSE(child<QLabel>(story, "headingLabel")->isVisible());
            if (enabled(story, "Command1_3")) press(story, "Command1_3");
            EXPECT_FALSE(enabled(story, "Command1_2"));  // the last page
            press(story, "Command1_0");
        });
    }
    static void closeYearEnd(ModalSequence& s, int year) {
        s.then<Msg>([year](Msg* yearEnd) {
            EXPECT_EQ(text(yearEnd, "headingLabel"), QString::number(year) + "年 年末");
            EXPECT_TRUE(child<QLabel>(yearEnd, "headingLabel")->isVisible());
            EXPECT_EQ(text(yearEnd, "pageCounter"), "1 / 1");
            press(yearEnd, "Command1_0");
        });
    }

    SeededRandom rng{20240601};
};

}  // namespace tei::test
