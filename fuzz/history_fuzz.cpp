// The history reader on any ini/history.csv: the CSV rows, and the view the chart window and the
// command line take of them. Every row read is written again as the game writes rows, and that text
// reads back to a row written the same way; the lines left out are named in order, each once; every
// series runs forward in years and ends at its faction's fall; the ranking starts at 1 and never
// goes back; the table has a line for every year.

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "core/HistoryFile.h"
#include "screens/HistoryView.h"

using namespace tei;
using tei::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text = fuzz::bytes(data, size);
    HistoryText read = parseHistory(text);

    for (const HistoryRow& row : read.rows) {
        std::string written = formatHistoryRow(row);
        HistoryText again = parseHistory(written);
        require(again.rows.size() == 1 && again.badLines.empty(), "a written row reads back as one row");
        const HistoryRow& back = again.rows[0];
        require(back.name == row.name && back.year == row.year && back.faction == row.faction &&
                    back.alive == row.alive && back.troops == row.troops && back.officers == row.officers &&
                    back.alliance == row.alliance,
                "a written row keeps its name and numbers");
        require(formatHistoryRow(back) == written, "a row read back is written the same");
    }
    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    for (size_t i = 0; i < read.badLines.size(); ++i) {
        require(read.badLines[i] >= 1 && static_cast<size_t>(read.badLines[i]) <= lines, "a left-out line exists");
        require(i == 0 || read.badLines[i] > read.badLines[i - 1], "left-out lines in order, each once");
    }

    HistoryView view = HistoryView::parse(text);
    const auto years = view.years();
    for (const MeasureInfo& m : kHistoryMeasures) {
        for (const HistorySeries& s : view.series(m.measure, {1, 2})) {
            require(!s.points.empty(), "a series has a point");
            for (size_t i = 0; i < s.points.size(); ++i) {
                require(i == 0 || s.points[i].year > s.points[i - 1].year, "a series runs forward in years");
                require(!s.points[i].fallen || i + 1 == s.points.size(), "a series ends at the fall");
            }
        }
        std::string table = view.table(m.measure);
        size_t tableLines = 0;
        for (char c : table) tableLines += c == '\n';
        require(tableLines == years.size() + 1, "the table has a heading and a line per year");
    }
    auto ranking = view.ranking();
    for (size_t i = 0; i < ranking.size(); ++i) {
        require(ranking[i].rank >= 1 && ranking[i].rank <= static_cast<int>(i) + 1, "ranks count from 1");
        require(i == 0 || (ranking[i].rank >= ranking[i - 1].rank && ranking[i].score <= ranking[i - 1].score),
                "the ranking goes down");
    }
    return 0;
}
