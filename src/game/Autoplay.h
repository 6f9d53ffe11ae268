#pragma once
// The command line's commands. autoplay does what a person does at the title screen (choose a
// scenario, pick player factions, start a new game; or, with --from, load a saved game and hand every
// faction to the computer) and then presses Auto for every turn and answers Yes to every question,
// printing every page and message, until the game ends or a number of years was resolved. check
// validates an ini folder. (sweep, many games at once, is game/Sweep.h.)

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameTerms.h"
#include "game/Reports.h"
#include "messages/MessagePages.h"

namespace tei {

struct AutoplayOptions {
    int scenario = 1;
    std::vector<int> players;      // faction numbers; each plays in the slot of its row
    std::optional<int> years;      // stop after this many resolved years
    std::optional<uint64_t> seed;  // a fixed seed: the same seed gives the same files
    bool quiet = false;            // print only the last report
    // Start from the game saved in this slot instead of a new game, with the computer playing every
    // faction; the scenario is the saved game's.
    std::optional<std::string> from;
};

// Looks on while runAutoplay plays, for checks between the steps of a game: after every message
// window, with the pages it was opened with (a year's story as composed: its page index is the last
// page written), and after every press of Auto, when the year's files are on the disk.
class AutoplayWatch {
public:
    virtual ~AutoplayWatch() = default;
    virtual void windowShown(MsgMode mode, const MessagePages& pages) = 0;
    virtual void turnDone() = 0;
};

// Reads the options after "autoplay"; on a bad option returns nothing and sets 'error' to a message
// in Japanese and English.
std::optional<AutoplayOptions> parseAutoplayOptions(const std::vector<std::string>& args, std::string& error);

// Reads one of the options that name the game played, shared with sweep: --scenario, --players and
// --from, with the value at args[i + 1] (i is moved past it). Nothing when args[i] is none of them;
// false with 'error' set when its value is bad.
std::optional<bool> parseGameOption(const std::vector<std::string>& args, size_t& i, AutoplayOptions& o,
                                    std::string& error);
// Refuses --from together with --scenario or --players (the saved game has its own); true when fine.
bool checkGameOptions(const AutoplayOptions& o, bool scenarioGiven, std::string& error);

// A message when 'slot' cannot name the save slot a game starts from: the digits of a slot number as
// the save screen takes them (any number of them; one too long for a file name is refused by the
// load), or "auto". Anything else, a path or an empty name included, is refused.
std::optional<std::string> fromSlotProblem(std::string_view slot);

// Plays in the game folder, after settling a step a killed run left half done there. The new game's
// files are written as one step. Returns the exit status: 0 when the game ended or the years were
// played, 2 when a data file is missing or cannot be read or written, or such a step cannot be settled
// (the message goes to 'err').
int runAutoplay(const AutoplayOptions& options, const GameFolder& folder, std::ostream& out, std::ostream& err,
                AutoplayWatch* watch = nullptr);

// What runAutoplay comes to: the exit status, and the standings of the final report when the game
// reached it.
struct AutoplayResult {
    int status = 0;
    std::vector<Standing> finalStandings;
};
AutoplayResult playAutoplay(const AutoplayOptions& options, const GameFolder& folder, std::ostream& out,
                            std::ostream& err, AutoplayWatch* watch = nullptr);

// Checks the ini folder (after settling a step a killed run left half done in its game folder); one
// line per problem on 'out', then one per note ("注意: "). Returns 0 when there is no problem (notes
// or not), 1 otherwise.
int runCheck(const std::filesystem::path& iniDir, std::ostream& out);

// The program's usage text.
const char* cliUsage();

}  // namespace tei
