#pragma once
// The rows a resolved year adds to the history (ini/history.csv, core/HistoryFile.h). They are taken
// once the year change has dealt the next year: the values are those the faction file holds when that
// year begins, and the scores are those its reports would list, counted by the reports' own rule.

#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/HistoryFile.h"

namespace tei {

// One row for every faction 1..factionCount, the fallen included (alive 0, score 0), from the working
// files and the alliance values of the year as dealt. Throws FileError.
std::vector<HistoryRow> historyRows(const GameFolder& folder, const GameGlobals& g, int year);

// Appends the year's rows to ini/history.csv. Throws FileError.
void recordHistory(const GameFolder& folder, const GameGlobals& g, int year);

}  // namespace tei
