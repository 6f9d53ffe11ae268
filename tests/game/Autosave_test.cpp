// The autosave: written in the step that writes a year (and a new game), it holds the working files
// and the save information of the year about to be played, as a save made then would.

#include <gtest/gtest.h>

#include "FakeHost.h"
#include "core/Random.h"
#include "game/TurnCycle.h"
#include "screens/SaveSlots.h"
#include "setup/ScenarioSetup.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

// The slot's copies hold the working files, byte for byte.
void expectSlotIsTheWorkingFiles(const TempGameFolder& tmp, const std::string& slot) {
    const std::pair<const char*, std::string> copies[] = {{"busv.ini", "busv" + slot + ".ini"},
                                                          {"gunsv.ini", "gunsv" + slot + ".ini"},
                                                          {"Cmtsv.ini", "Cmtsv" + slot + ".ini"},
                                                          {"teiji.log", "teilog" + slot + ".log"},
                                                          {"history.csv", "hist" + slot + ".csv"}};
    for (const auto& [working, copy] : copies) EXPECT_EQ(tmp.readSave(copy), tmp.readIni(working)) << copy;
}

// In the window: the autosave equals a save made as the year's turns begin, and a load of it starts
// that year as a load of that save does.
TEST(Autosave, EqualsASaveMadeAsTheTurnsBeginAndLoadsAsOne) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    GameGlobals g;
    SeededRandom rng{3};
    ScenarioSetup title(tmp.folder(), g, rng);
    ASSERT_TRUE(title.Form_Load().ok);
    ASSERT_TRUE(title.chooseScenario(0).ok);
    ASSERT_TRUE(title.startNewGame({0, 2}).ok);
    test::FakeHost host(g);
    host.onSaveLoad = [&] {
        SaveSlots slots(tmp.folder(), g);
        ASSERT_TRUE((g.gameMode == GameMode::Save ? slots.save_rtn("1") : slots.load_rtn(kAutoSlot)).ok);
    };
    TurnCycle cycle(tmp.folder(), g, rng, host);
    ASSERT_TRUE(cycle.Form_Load());
    for (int year = 0; year < 2; ++year) {
        SCOPED_TRACE(year);
        cycle.cmdSave_Click();
        expectSlotIsTheWorkingFiles(tmp, "1");
        expectSlotIsTheWorkingFiles(tmp, "auto");
        EXPECT_EQ(tmp.readSave("save1.ini"), tmp.readSave("saveauto.ini"));
        const int16_t playing = cycle.yearCounter;
        while (cycle.yearCounter == playing) ASSERT_TRUE(cycle.Command1_Click(3));
    }
    const std::string info = tmp.readSave("saveauto.ini");
    const auto slotNames = g.slotName;
    g.slotName.fill("");
    ASSERT_TRUE(cycle.cmdLoad_Click());
    EXPECT_EQ(cycle.yearCounter, 191);
    EXPECT_EQ(g.slotName, slotNames);
    EXPECT_EQ(tmp.readSave("saveauto.ini"), info);  // the loaded game is the autosave again
}

}  // namespace
}  // namespace tei
