#pragma once
// The history of a game (ini/history.csv, core/HistoryFile.h) as the chart window and the command line
// show it: one series per faction of a chosen measure over the years, each ending in the year the
// faction fell; the ranking of the last year by score; and a table of years by factions.
//
// Where the file holds a year of a faction twice (edited by hand), the later row counts. A faction
// already fallen in its first row has no series: it fell before the history began.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/HistoryFile.h"

namespace tei {

enum class HistoryMeasure { Troops, Elite, Fame, Awe, Order, Cohesion, Officers, Score };

struct MeasureInfo {
    HistoryMeasure measure;
    const char* key;    // the command line's name: "troops"
    const char* label;  // the game's name: "兵力"
};
inline constexpr std::array<MeasureInfo, 8> kHistoryMeasures = {{
    {HistoryMeasure::Troops, "troops", "兵力"},
    {HistoryMeasure::Elite, "elite", "精兵"},
    {HistoryMeasure::Fame, "fame", "名声"},
    {HistoryMeasure::Awe, "awe", "畏怖"},
    {HistoryMeasure::Order, "order", "治安"},
    {HistoryMeasure::Cohesion, "cohesion", "結束力"},
    {HistoryMeasure::Officers, "officers", "武将数"},
    {HistoryMeasure::Score, "score", "評価点"},
}};
// The measures the chart window offers, in its order.
inline constexpr std::array<HistoryMeasure, 7> kChartMeasures = {
    HistoryMeasure::Troops,   HistoryMeasure::Fame,     HistoryMeasure::Awe,   HistoryMeasure::Order,
    HistoryMeasure::Cohesion, HistoryMeasure::Officers, HistoryMeasure::Score,
};

const MeasureInfo& measureInfo(HistoryMeasure m);
std::optional<HistoryMeasure> measureByKey(std::string_view key);
// The row's value of the measure; troops and elite troops in thousands, as the file keeps them.
double measureValue(const HistoryRow& row, HistoryMeasure m);
// A value as the game shows it: troops in soldiers ("152000"), a score to at most two decimals
// ("668.59"), the rest as whole numbers.
std::string measureText(double value, HistoryMeasure m);

struct HistoryPoint {
    int year;
    double value;
    bool fallen;  // the year the faction fell: its last point
};

struct HistorySeries {
    int16_t faction = 0;
    std::string name;  // as its last row names it
    bool player = false;
    std::vector<HistoryPoint> points;  // by year
};

struct RankingLine {
    int rank;  // 1 for the highest score; equal scores share a rank, the next rank skips
    int16_t faction;
    std::string name;
    double score;
    bool alive;
};

// The factions people play: every active player slot's faction, and for a slot whose faction fell
// (its faction cleared, its ruler kept) the faction of its row, t + 1.
std::vector<int16_t> playerFactions(const GameGlobals& g);

class HistoryView {
public:
    // Reads ini/history.csv; a game without one has an empty history. Throws FileError when the file
    // cannot be read or is not text.
    static HistoryView load(const GameFolder& folder);
    static HistoryView parse(std::string_view text);

    bool empty() const { return factions_.empty(); }
    // The lines of the file that are not rows (1-based).
    const std::vector<int>& badLines() const { return badLines_; }
    // Every year of the history, first to last.
    std::vector<int> years() const;

    // One series per faction that stood in some year, in faction order.
    std::vector<HistorySeries> series(HistoryMeasure m, const std::vector<int16_t>& players = {}) const;
    // Every faction of the last year, highest score first (faction order among equals).
    std::vector<RankingLine> ranking() const;
    // Years down, factions across (every faction of the file, "-" where it has no point), in columns
    // aligned for a terminal, the first column headed "年"; a line break in a name becomes a blank.
    // Lines end in LF.
    std::string table(HistoryMeasure m) const;

private:
    struct Faction {
        int16_t number = 0;
        std::string name;
        std::vector<HistoryRow> rows;  // one per year, by year
    };
    std::vector<Faction> factions_;  // by number
    std::vector<int> badLines_;
};

}  // namespace tei
