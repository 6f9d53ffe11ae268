#pragma once
// The command line's history command: prints the game folder's ini/history.csv as it is, or with
// --measure a table of that measure, years down and factions across.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "screens/HistoryView.h"

namespace tei {

struct HistoryOptions {
    std::optional<HistoryMeasure> measure;  // nothing: the file as it is
};

// Reads the options after "history"; on a bad option returns nothing and sets 'error' to a message
// in Japanese and English.
std::optional<HistoryOptions> parseHistoryOptions(const std::vector<std::string>& args, std::string& error);

// Prints the history, once a step a killed run left half done is settled. Returns 0; 1 when the
// table left out lines of the file that are not rows (they are named on 'err'); 2 when the file is
// missing or cannot be read, or the folder cannot be settled (the message goes to 'err').
int runHistory(const HistoryOptions& options, const GameFolder& folder, std::ostream& out, std::ostream& err);

}  // namespace tei
