#pragma once
// A game folder with the small world of the screen tests and its scenario 1 masters, and the check
// that a test leaves no window open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "core/GameGlobals.h"
#include "screens/ScreensWorld.h"
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

    TempGameFolder tmp;
    GameGlobals g = worldGlobals();
};

}  // namespace tei::test
