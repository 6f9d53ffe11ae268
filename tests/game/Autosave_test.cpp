// The autosave: written in the step that writes a year (and a new game), it holds the working files
// and the save information of the year about to be played, as a save made then would.

#include <gtest/gtest.h>

#include <sstream>

#include "FakeHost.h"
#include "core/Random.h"
#include "game/Autoplay.h"
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

// The second line of the autosave's information: year, cohesion 1..3, scenario, 0.
std::string autosaveHeader(const TempGameFolder& tmp) {
    std::string info = tmp.readSave("saveauto.ini");
    size_t start = info.find("\r\n") + 2;
    return info.substr(start, info.find("\r\n", start) - start);
}

TEST(Autosave, TheCommandLineWritesItWithTheNewGameAndEveryYear) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    struct Watch final : AutoplayWatch {
        const TempGameFolder* tmp;
        int years = 0;
        void windowShown(MsgMode, const MessagePages&) override {}
        void turnDone() override {
            ++years;
            expectSlotIsTheWorkingFiles(*tmp, "auto");
            EXPECT_TRUE(autosaveHeader(*tmp).starts_with(std::to_string(195 + years) + ",")) << autosaveHeader(*tmp);
        }
    } watch;
    watch.tmp = &tmp;
    AutoplayOptions o;
    o.scenario = 2;
    o.seed = 11;
    o.players = {3};
    o.quiet = true;
    o.years = 0;  // the new game alone: its first year is saved
    std::ostringstream out, err;
    ASSERT_EQ(runAutoplay(o, tmp.folder(), out, err), 0) << err.str();
    expectSlotIsTheWorkingFiles(tmp, "auto");
    EXPECT_TRUE(autosaveHeader(tmp).starts_with("195,"));

    o.years = 5;
    ASSERT_EQ(runAutoplay(o, tmp.folder(), out, err, &watch), 0) << err.str();
    EXPECT_EQ(watch.years, 5);
    std::string header = autosaveHeader(tmp);
    EXPECT_TRUE(header.starts_with("200,") && header.ends_with(",2,0")) << header;
    GameGlobals g;
    std::optional<SlotEntry> entry = SaveSlots(tmp.folder(), g).autosave();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->label, "オートセーブ");
    EXPECT_TRUE(entry->summary.starts_with("シナリオ 2") && entry->summary.ends_with(" 200年")) << entry->summary;
    EXPECT_FALSE(entry->ended);
    // It is no slot of the list a number is typed for.
    for (const SlotEntry& e : SaveSlots(tmp.folder(), g).list()) EXPECT_NE(e.slot, kAutoSlot);
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
