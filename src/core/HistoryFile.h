#pragma once
// The history of a game, ini/history.csv: for every year resolved, one row per faction 1..factionCount,
// the fallen included, with the faction's values as the faction file holds them when the next year
// begins. UTF-8, lines ended by CR LF, a header line, then rows of
//
//   year,faction,name,alive,troops,elite,fame,awe,order,cohesion,officers,alliance,score
//
// year: the year resolved; alive: 1, or 0 for a fallen faction; troops, elite: thousands, as stored;
// officers: officers serving the faction; alliance: the alliance leader's officer number (meishuID),
// 0 for none; score: the reports' score with its decimals ("254.8"), 0 for a fallen faction.
//
// Quoting: a name holding a comma, a double quote, CR or LF is written in double quotes, each double
// quote inside doubled (袁"術 is written "袁""術"); every other name is written bare. Readers take
// both, as spreadsheet programs write them.
//
// A new game starts the file with its header alone; each year appends its rows to what is there,
// whatever that is, so nothing a player kept in the file is lost by the game.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"

namespace tei {

inline constexpr const char* kHistoryFile = "history.csv";
inline constexpr const char* kHistoryHeader =
    "year,faction,name,alive,troops,elite,fame,awe,order,cohesion,officers,alliance,score";

struct HistoryRow {
    int16_t year = 0;     // the year resolved
    int16_t faction = 0;  // faction number, 1..factionCount
    std::string name;
    bool alive = false;
    int16_t troops = 0;    // army, thousands
    int16_t elite = 0;     // seihei, thousands
    int16_t fame = 0;      // meisei
    int16_t awe = 0;       // ifu
    int16_t order = 0;     // tian, public order
    int16_t cohesion = 0;  // kessoku
    int16_t officers = 0;  // officers serving the faction, the ruler included
    int16_t alliance = 0;  // meishuID: the alliance leader's officer number, 0 independent
    double score = 0;      // the reports' score, unrounded; 0 when fallen

    bool operator==(const HistoryRow&) const = default;
};

// A text field as the file writes it: bare, or quoted when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text);
// A score as the file writes it: the digits the reports show, without their leading blank and with a
// 0 before a bare decimal point ("104.8", "0.5").
std::string scoreText(double score);
// One row, ended by CR LF.
std::string formatHistoryRow(const HistoryRow& row);

// The rows of a history text and the numbers (1-based) of the lines that are not rows: a wrong number
// of fields, a value that is not a whole number in the 16-bit range (or, for alive, 0 or 1), or a
// score that is no number. The header line, wherever it stands, and empty lines are skipped quietly.
struct HistoryText {
    std::vector<HistoryRow> rows;
    std::vector<int> badLines;
};
HistoryText parseHistory(std::string_view text);

// The header line alone: a history without rows.
std::string emptyHistory();
// ini/history.csv holding the header alone: the history of a new game. Throws FileError.
void startHistory(const GameFolder& folder);
// Appends the rows to ini/history.csv; a missing file starts with the header, a last line without its
// line end gets one first. Throws FileError when the file cannot be read or written.
void appendHistory(const GameFolder& folder, const std::vector<HistoryRow>& rows);

}  // namespace tei
