#pragma once
// The game's screens on the shipped data: a game folder holding data/ini, fresh game values, a seeded
// random source, and the helpers to start a game as the title screen does and to press buttons.

#include <QPushButton>
#include <vector>

#include "ScreenFixture.h"
#include "core/Random.h"
#include "setup/ScenarioSetup.h"

namespace tei::test {

class GameScreenTest : public ScreenTest {
protected:
    // The shipped data instead of the small world of the information screens.
    void SetUp() override {
        tmp.copyShippedData();
        g = GameGlobals{};
    }

    // A new game of scenario 1 with players on the given ruler rows, made as the title screen makes it.
    void newGame(const std::vector<int>& rows) {
        ScenarioSetup title(tmp.folder(), g, rng);
        ASSERT_TRUE(title.Form_Load().ok);
        if (rows.empty()) {
            // Nobody plays: the computer plays every faction.
            title.ori_Chr_rtn();
            g.gameMode = 0;
            for (int t = 0; t < kSlotCount; ++t) {
                g.slotFaction[t] = g.slotRuler[t] = 0;
                g.slotName[t].clear();
            }
        } else {
            ASSERT_TRUE(title.startNewGame(rows).ok);
        }
    }

    static void press(QWidget* w, const QString& name) {
        auto* b = child<QPushButton>(w, name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << name.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static bool enabled(QWidget* w, const QString& name) { return child<QPushButton>(w, name)->isEnabled(); }

    SeededRandom rng{20240601};
};

}  // namespace tei::test
