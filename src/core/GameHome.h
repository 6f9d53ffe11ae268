#pragma once
// Where a program plays: its game folder. A program started in a folder that holds ini/ plays there,
// as it is (a developer's folder, the tests). Otherwise it plays in the player's own folder,
// $XDG_DATA_HOME/teijiroku (~/.local/share/teijiroku by default), made on first use and filled with
// the game data installed beside the program. Every start tops the player's folder up with any
// shipped file it lacks; a file already there, whatever the case of its name (an edited officer
// master, a running game), is never replaced.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tei {

// What locating needs to know of a process; thisProcessSetting() reads it from the running one.
struct GameHomeSetting {
    std::filesystem::path currentDir;
    std::filesystem::path dataHome;     // the player's data folder ($XDG_DATA_HOME); empty when unknown
    std::filesystem::path shippedData;  // the installed ini/ folder to seed from; empty when unknown
};

struct GameHome {
    std::filesystem::path root;       // the game folder, holding ini/ and save/
    bool isCurrentDir = false;        // the program's current directory
    std::vector<std::string> seeded;  // the shipped files copied in by this start, by name
    std::string problem;              // a Japanese message naming the folder or file; empty when ready

    bool ready() const { return problem.empty(); }
};

// The player's game folder's name inside the data folder.
inline constexpr const char* kGameHomeName = "teijiroku";

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share; empty when neither is known.
// Relative paths count as unset, as the base directory rules ask.
std::filesystem::path playerDataHome(const char* xdgDataHome, const char* home);

// The ini/ folder of the data installed with the program at 'program': 'programToData' leads from the
// program's folder to the data folder, so an installation moved as a whole still finds its data.
std::filesystem::path shippedDataOf(const std::filesystem::path& program, const std::filesystem::path& programToData);

// The running process's current directory, player data folder and installed data (found from the
// program's own file, /proc/self/exe).
GameHomeSetting thisProcessSetting(const std::filesystem::path& programToData);

// Finds the game folder; makes and seeds the player's folder when it is the one (also when the
// program was started inside it).
GameHome locateGameHome(const GameHomeSetting& setting);

// Copies one shipped file into the game folder through a temporary file beside the target, flushed to
// the disk before it takes the target's name: a start cut short, even by a power loss, leaves the file
// whole or absent (and copied again by the next start), never a part that later starts would keep as
// the player's own. Returns a Japanese message naming the file that could not be read or written, or
// nothing.
std::string seedFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tei
