#pragma once
// The command line's two commands. autoplay does what a person does at the title screen (choose a
// scenario, pick player factions, start a new game) and then presses Auto for every turn and answers
// Yes to every question, printing every page and message, until the game ends or a number of years
// was resolved. check validates an ini folder.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameTerms.h"
#include "messages/MessagePages.h"

namespace tei {

struct AutoplayOptions {
    int scenario = 1;
    std::vector<int> players;      // faction numbers; each plays in the slot of its row
    std::optional<int> years;      // stop after this many resolved years
    std::optional<uint64_t> seed;  // a fixed seed: the same seed gives the same files
    bool quiet = false;            // print only the last report
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

// Plays in the game folder, after settling a step a killed run left half done there. The new game's
// files are written as one step. Returns the exit status: 0 when the game ended or the years were
// played, 2 when a data file is missing or cannot be read or written, or such a step cannot be settled
// (the message goes to 'err').
int runAutoplay(const AutoplayOptions& options, GameFolder& folder, std::ostream& out, std::ostream& err,
                AutoplayWatch* watch = nullptr);

// Checks the ini folder (after settling a step a killed run left half done in its game folder); one
// line per problem on 'out'. Returns 0 when there is none, 1 otherwise.
int runCheck(const std::filesystem::path& iniDir, std::ostream& out);

// The program's usage text.
const char* cliUsage();

}  // namespace tei
