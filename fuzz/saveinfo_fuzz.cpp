// The save-information reader on any save/saveN.ini: the parser, the slot summary and a whole load
// through a game folder. A slot whose information file cannot be read is refused with the game's
// message and leaves the working files and the game's values as they were; one that loads gives
// exactly the values the parser read, and writing them again reads back the same. Shift_JIS files
// (seeds slot-sjis*) go through the conversion.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "screens/SaveSlots.h"

using namespace tei;
using tei::fuzz::require;
namespace fs = std::filesystem;

namespace {

// A game folder in memory-backed storage where it exists, with a sound slot "1" apart from its
// information file.
struct Folder {
    fs::path root;
    Folder() {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        root = base / ("teijiroku-fuzz-saveinfo-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "ini");
        fs::create_directories(root / "save");
        GameFolder f(root);
        for (const char* name : {"busv.ini", "gunsv.ini", "Cmtsv.ini"}) f.writeText(f.ini(name), ".1\r\nA\r\n");
        f.writeText(f.ini("teiji.log"), "EOT=======\r\n");
        for (const char* name : {"busv1.ini", "gunsv1.ini", "Cmtsv1.ini"}) f.writeText(f.save(name), ".1\r\nB\r\n");
        f.writeText(f.save("teilog1.log"), "B\r\nEOT=======\r\n");
    }
    ~Folder() { fs::remove_all(root); }
};

bool sameSlots(const SaveInfo& a, const SaveInfo& b) {
    for (size_t k = 0; k < 5; ++k)
        if (a.header[k] != b.header[k]) return false;
    for (size_t t = 0; t < a.players.size(); ++t) {
        const auto &x = a.players[t], &y = b.players[t];
        if (x.name != y.name || x.ruler != y.ruler || x.faction != y.faction || x.leader != y.leader) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folder dir;
    std::string_view text = fuzz::bytes(data, size);
    auto parsed = parseSaveInfo(text);

    if (parsed) {
        // Written again from the game's values, it reads back the same (names that a line of their own
        // cannot hold, or that stand in quotes, aside).
        GameGlobals g;
        bool plain = true;
        for (size_t k = 0; k < 5; ++k) g.saveHeader[k] = parsed->header[k];
        for (size_t t = 0; t < kSavedSlotCount; ++t) {
            const auto& s = parsed->players[t];
            g.slotName[t] = s.name;
            g.slotRuler[t] = s.ruler;
            g.slotFaction[t] = s.faction;
            g.slotLeader[t] = s.leader;
            plain = plain && s.name.find_first_of("\r\n") == std::string::npos && !s.name.starts_with('"');
        }
        auto again = parseSaveInfo(formatSaveInfo(g));
        require(again.has_value(), "a written information file reads");
        if (plain) require(sameSlots(*parsed, *again), "an information file reads back as written");
    }

    GameFolder folder(dir.root);
    folder.writeText(folder.save("save1.ini"), text);
    std::string before = folder.readBytes(folder.ini("busv.ini"));
    GameGlobals g;
    g.slotName[16] = "kept";
    SaveSlots slots(folder, g);
    SlotResult summary = slots.Rinload_rtn("1");
    SlotResult loaded = slots.load_rtn("1");
    // A file that is no UTF-8 is read as Shift_JIS when it is that.
    std::string_view body = text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
    std::optional<std::string> decoded = isUtf8Text(body) ? std::optional<std::string>(body) : shiftJisToUtf8(text);
    bool readable = decoded && parseSaveInfo(*decoded).has_value();
    require(summary.ok == readable, "the summary is shown exactly for a readable file");
    require(loaded.ok == readable, "a slot loads exactly when its file reads");
    require(g.slotName[16] == "kept", "slots 16 and above keep their values");
    if (loaded.ok) {
        require(g.dialogResult == 1, "a load reports success");
        require(folder.readBytes(folder.ini("busv.ini")) == ".1\r\nB\r\n", "the slot's files were loaded");
        folder.writeText(folder.ini("busv.ini"), before);
    } else {
        require(g.dialogResult == 0 && g.saveHeader[0] == 0 && g.slotName[0].empty(), "a refused load changes nothing");
        require(folder.readBytes(folder.ini("busv.ini")) == before, "a refused load leaves the working files");
    }
    return 0;
}
