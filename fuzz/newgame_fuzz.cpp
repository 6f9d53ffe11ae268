// The whole new-game path on a fuzzed faction master: the shipped data with any bytes as
// ini/Gunbatu1.ini, then the data check, the title screen's opening and new game (with or without a
// player), and the main screen's first years with the computer playing. Nothing may crash; a file
// the game cannot use must end in a message, not in a half-written game.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzInput.h"
#include "core/GameFolder.h"
#include "core/Random.h"
#include "core/RecordFiles.h"
#include "game/TurnCycle.h"
#include "setup/DataCheck.h"
#include "setup/ScenarioSetup.h"

using namespace tei;
using tei::fuzz::require;
namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path root;
    Folder() {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        root = base / ("teijiroku-fuzz-newgame-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "save");
        fs::copy(fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini", root / "ini");
    }
    ~Folder() { fs::remove_all(root); }
};

// Answers Yes to everything; the turn cycle resolves every year as the game does.
class QuietHost final : public Host {
public:
    void notify(const std::string&) override {}
    bool askYesNo(const std::string&) override { return true; }
    bool askOkCancel(const std::string&) override { return true; }
    void showMessageWindow(const WindowPages& window) override {
        if (window.mode == MsgMode::Resolution)
            require(window.pages.page >= 0 && window.pages.page <= 39, "a year composes on pages 0..39");
    }
    void showStrategy() override {}
    void showFactionDetail() override {}
    void showFactionList() override {}
    void showSaveLoad() override {}
    void endProgram() override { ended = true; }
    void reportFileError(const FileError&) override { failed = true; }
    bool ended = false;
    bool failed = false;
};

// The records a writer handed on with its text are those a reader finds in the bytes on the disk.
void checkHandedOn(const GameFolder& folder) {
    auto gunsv = folder.ini(kFactionFile), busv = folder.ini(kOfficerFile);
    if (!folder.exists(gunsv) || !folder.exists(busv)) return;
    const FactionFile& f = *readFactionFile(folder, gunsv);
    FactionFile fd = parseFactionFile(folder.readBytes(gunsv));
    require(f.size() == fd.size(), "handed-on factions: count");
    for (size_t i = 0; i < f.size(); ++i) {
        const auto &a = f[i], &b = fd[i];
        bool same = a.number == b.number && a.marker == b.marker && a.fallen == b.fallen && a.fields == b.fields &&
                    a.faction.name == b.faction.name && a.faction.id == b.faction.id;
        for (int k = 1; k <= 8; ++k)
            same = same && factionNumberField(a.faction, k) == factionNumberField(b.faction, k);
        require(same, "handed-on factions: a record");
    }
    const OfficerFile& o = *readOfficerFile(folder, busv);
    OfficerFile od = parseOfficerFile(folder.readBytes(busv));
    require(o.size() == od.size(), "handed-on officers: count");
    for (size_t i = 0; i < o.size(); ++i) {
        const auto &a = o[i], &b = od[i];
        bool same = a.number == b.number && a.fields == b.fields && a.officer.name == b.officer.name &&
                    a.officer.jpg == b.officer.jpg && a.officer.commentID == b.officer.commentID &&
                    a.officer.id == b.officer.id && a.officer.gunID == b.officer.gunID;
        for (int k = 1; k <= 8; ++k)
            same = same && officerNumberField(a.officer, k) == officerNumberField(b.officer, k);
        require(same, "handed-on officers: a record");
    }
}

}  // namespace

// Input: one byte choosing the player row (bit 7 clear: nobody plays) and the seed, then the master.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folder dir;
    if (size < 1) return 0;
    uint8_t choice = data[0];
    GameFolder folder(dir.root);
    folder.writeText(folder.ini("Gunbatu1.ini"), fuzz::bytes(data + 1, size - 1));
    (void)checkDataFolder(dir.root / "ini").problems;

    GameGlobals g;
    SeededRandom rng(choice);
    ScenarioSetup title(folder, g, rng);
    if (!title.Form_Load().ok) return 0;
    (void)title.askNewGame({0});
    if (choice & 0x80) {
        if (!title.startNewGame({choice & 0x0F}).ok) return 0;
    } else {
        // A master the new game refuses (a bare name starting with ".") is refused here too.
        try {
            title.ori_Chr_rtn();
        } catch (const FileError&) {
            return 0;
        }
        g.gameMode = GameMode::New;
        for (int t = 0; t < kSlotCount; ++t) g.slotFaction[t] = g.slotRuler[t] = 0;
    }
    QuietHost host;
    TurnCycle cycle(folder, g, rng, host);
    if (!cycle.Form_Load()) return 0;
    for (int press = 0; press < 2 * kSlotCount && !host.ended && !host.failed && !cycle.ended(); ++press) {
        if (!cycle.Command1_Click(3)) break;
        if (cycle.yearCounter >= 191) break;  // two years resolved
        (void)cycle.playerList();
        for (int k = 0; k < kFrameCount; ++k) (void)cycle.offerNames(k);
    }
    checkHandedOn(folder);
    return 0;
}
