#include "screens/HistoryView.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

#include "core/Numbers.h"

namespace tei {

namespace {

// Columns a text takes in a terminal: one for ASCII, two for everything else (the game's texts are
// Japanese, drawn double width).
size_t columnsOf(std::string_view text) {
    size_t n = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            n += 1;
        else if ((c & 0xC0) != 0x80)
            n += 2;  // the first byte of a multi-byte character
    }
    return n;
}

// A name on one line of the table: a line break inside it (a name written in quotes may hold one)
// becomes a blank.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string padLeft(const std::string& text, size_t width) {
    size_t used = columnsOf(text);
    return std::string(used < width ? width - used : 0, ' ') + text;
}

}  // namespace

const MeasureInfo& measureInfo(HistoryMeasure m) {
    for (const MeasureInfo& info : kHistoryMeasures)
        if (info.measure == m) return info;
    return kHistoryMeasures[0];
}

std::optional<HistoryMeasure> measureByKey(std::string_view key) {
    for (const MeasureInfo& info : kHistoryMeasures)
        if (key == info.key) return info.measure;
    return std::nullopt;
}

double measureValue(const HistoryRow& r, HistoryMeasure m) {
    switch (m) {
        case HistoryMeasure::Troops:
            return r.troops;
        case HistoryMeasure::Elite:
            return r.elite;
        case HistoryMeasure::Fame:
            return r.fame;
        case HistoryMeasure::Awe:
            return r.awe;
        case HistoryMeasure::Order:
            return r.order;
        case HistoryMeasure::Cohesion:
            return r.cohesion;
        case HistoryMeasure::Officers:
            return r.officers;
        case HistoryMeasure::Score:
            return r.score;
    }
    return 0;
}

std::string measureText(double value, HistoryMeasure m) {
    if (m == HistoryMeasure::Score) {
        char buf[64];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
        std::string s(buf, ec == std::errc() ? end : buf);
        while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
            bool point = s.back() == '.';
            s.pop_back();
            if (point) break;
        }
        return s == "-0" ? "0" : s;
    }
    std::string s = std::to_string(static_cast<long long>(value));
    if ((m == HistoryMeasure::Troops || m == HistoryMeasure::Elite) && value != 0) s += "000";
    return s;
}

std::vector<int16_t> playerFactions(const GameGlobals& g) {
    std::vector<int16_t> players;
    for (int t = 0; t < kSlotCount; ++t) {
        if (g.slotFaction[t] > 0)
            players.push_back(g.slotFaction[t]);
        else if (g.slotRuler[t] > 0)
            players.push_back(static_cast<int16_t>(t + 1));
    }
    return players;
}

HistoryView HistoryView::load(const GameFolder& folder) {
    auto path = folder.ini(kHistoryFile);
    if (!folder.exists(path)) return HistoryView{};
    return parse(*folder.readShared(path));
}

HistoryView HistoryView::parse(std::string_view text) {
    HistoryText read = parseHistory(text);
    HistoryView view;
    view.badLines_ = std::move(read.badLines);
    std::map<int16_t, std::map<int16_t, const HistoryRow*>> byFaction;  // faction -> year -> its last row
    for (const HistoryRow& r : read.rows) byFaction[r.faction][r.year] = &r;
    for (const auto& [number, years] : byFaction) {
        Faction f;
        f.number = number;
        for (const auto& [year, row] : years) f.rows.push_back(*row);
        f.name = f.rows.back().name;
        view.factions_.push_back(std::move(f));
    }
    return view;
}

std::vector<int> HistoryView::years() const {
    std::set<int> all;
    for (const Faction& f : factions_)
        for (const HistoryRow& r : f.rows) all.insert(r.year);
    return {all.begin(), all.end()};
}

std::vector<HistorySeries> HistoryView::series(HistoryMeasure m, const std::vector<int16_t>& players) const {
    std::vector<HistorySeries> out;
    for (const Faction& f : factions_) {
        HistorySeries s;
        s.faction = f.number;
        s.name = f.name;
        s.player = std::find(players.begin(), players.end(), f.number) != players.end();
        for (const HistoryRow& r : f.rows) {
            if (!r.alive && s.points.empty()) continue;  // fallen before the history began
            s.points.push_back({r.year, measureValue(r, m), !r.alive});
            if (!r.alive) break;  // the line ends at the fall
        }
        if (!s.points.empty()) out.push_back(std::move(s));
    }
    return out;
}

std::vector<RankingLine> HistoryView::ranking() const {
    std::vector<int> all = years();
    if (all.empty()) return {};
    const int last = all.back();
    std::vector<RankingLine> lines;
    for (const Faction& f : factions_)
        for (const HistoryRow& r : f.rows)
            if (r.year == last) lines.push_back({0, f.number, r.name, r.alive ? r.score : 0.0, r.alive});
    std::stable_sort(lines.begin(), lines.end(),
                     [](const RankingLine& a, const RankingLine& b) { return a.score > b.score; });
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i].rank = i > 0 && lines[i].score == lines[i - 1].score ? lines[i - 1].rank : static_cast<int>(i) + 1;
    return lines;
}

std::string HistoryView::table(HistoryMeasure m) const {
    const std::vector<int> all = years();
    // cells[row][column]: row 0 the heading, column 0 the year.
    std::vector<std::vector<std::string>> cells(all.size() + 1);
    cells[0].push_back("年");
    for (size_t y = 0; y < all.size(); ++y) cells[y + 1].push_back(std::to_string(all[y]));
    std::vector<HistorySeries> lines = series(m);
    for (const Faction& f : factions_) {
        cells[0].push_back(oneLine(f.name));
        auto s =
            std::find_if(lines.begin(), lines.end(), [&](const HistorySeries& x) { return x.faction == f.number; });
        for (size_t y = 0; y < all.size(); ++y) {
            std::string cell = "-";
            if (s != lines.end())
                for (const HistoryPoint& p : s->points)
                    if (p.year == all[y]) cell = measureText(p.value, m);
            cells[y + 1].push_back(cell);
        }
    }
    std::vector<size_t> widths(cells[0].size(), 0);
    for (const auto& row : cells)
        for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], columnsOf(row[c]));
    std::string out;
    for (const auto& row : cells) {
        for (size_t c = 0; c < row.size(); ++c) out += (c == 0 ? "" : "  ") + padLeft(row[c], widths[c]);
        out += "\n";
    }
    return out;
}

}  // namespace tei
