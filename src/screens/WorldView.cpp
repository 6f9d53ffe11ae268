#include "screens/WorldView.h"

#include "core/ItemReader.h"
#include "core/Numbers.h"
#include "core/RecordFiles.h"
#include "screens/KeyAbilities.h"

namespace tei {

WorldView WorldView::load(const GameFolder& folder, const GameGlobals& g) {
    std::string officers = folder.readText(folder.ini(kOfficerFile));
    std::string factions = folder.readText(folder.ini(kFactionFile));
    return parse(officers, factions, g);
}

WorldView WorldView::parse(std::string_view officerText, std::string_view factionText, const GameGlobals& g) {
    WorldView w;
    w.officerCount_ = std::min<int>(g.officerCount, kMaxOfficer);
    w.factionCount_ = std::min<int>(g.factionCount, kMaxFaction);
    parseOfficers(officerText, w.officerCount_, w.officers_);

    // The factions are read here rather than by the whole-table loader: the lists leave out only a
    // faction whose flag reads exactly "TRUE", as the main screen's faction reader does.
    w.factions_.fill(gun{});
    w.factions_[0] = placeholderFaction();
    ItemReader items(factionText);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        gun f;
        std::string fallen;
        FieldReader fields(items);
        readFields(fields, f, &fallen);
        if (n > 0 && n <= kMaxFaction) {
            f.id = static_cast<int16_t>(n);
            f.del = fallen == "TRUE";
            w.live_[static_cast<size_t>(n)] = !f.del;
            w.factions_[static_cast<size_t>(n)] = std::move(f);
        }
        if (n >= w.factionCount_) break;
    }
    return w;
}

bool WorldView::isLive(int f) const { return f >= 1 && f <= factionCount_ && live_[static_cast<size_t>(f)]; }

std::vector<int16_t> WorldView::officersOf(int f) const {
    std::vector<int16_t> ids;
    if (f < 1 || f > kMaxFaction || factions_[static_cast<size_t>(f)].id == 0) return ids;
    const gun& faction = factions_[static_cast<size_t>(f)];
    for (int i = 1; i <= officerCount_; ++i) {
        const Bushou& b = officers_[static_cast<size_t>(i)];
        if (serves(b, faction)) ids.push_back(b.id);
    }
    return ids;
}

std::vector<FactionListRow> WorldView::factionList() const {
    std::vector<FactionListRow> rows;
    for (int f = 1; f <= factionCount_; ++f) {
        if (!isLive(f)) continue;
        const gun& g = factions_[static_cast<size_t>(f)];
        FactionListRow row;
        row.faction = g.id;
        row.name = g.name;
        row.ruler = officer(g.kunshuID).name;
        row.army = g.army;
        row.seihei = g.seihei;
        row.tian = g.tian;
        row.kessoku = g.kessoku;
        row.meisei = g.meisei;
        row.ifu = g.ifu;
        row.officers = static_cast<int>(officersOf(f).size());
        if (g.meishuID != 0) row.leader = officer(g.meishuID).name;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<FactionOfficers> WorldView::officersOfEveryFaction() const {
    std::vector<FactionOfficers> all;
    for (int f = 1; f <= factionCount_; ++f) {
        if (!isLive(f)) continue;
        FactionOfficers entry{factions_[static_cast<size_t>(f)].id, factions_[static_cast<size_t>(f)].name, {}};
        for (int16_t id : officersOf(f)) entry.officers.push_back({id, officer(id).name});
        all.push_back(std::move(entry));
    }
    return all;
}

FactionDetail WorldView::factionDetail(int f, std::string_view note) const {
    const gun& g = faction(f);
    FactionDetail d;
    d.caption = "軍の内情" + g.name;
    const std::array<std::string, 6> values = {Str(g.army) + "000", Str(g.seihei) + "000", Str(g.meisei),
                                               Str(g.tian),         Str(g.kessoku),        Str(g.ifu)};
    for (size_t i = 0; i < values.size(); ++i) d.values.emplace_back(kFactionValueLabels[i], values[i]);
    d.note = note;
    for (int16_t id : officersOf(f)) {
        Job job = Job(officer(id).Job);
        if (job < Job::Civil || job > Job::Strategist) continue;
        // Lists 0..4 by job 1..5; the 軍師 stand with the 参謀.
        size_t list = static_cast<size_t>(numberOf(job == Job::Strategist ? Job::Staff : job) - 1);
        d.jobLists[list].push_back({id, officer(id).name});
    }
    return d;
}

std::vector<OfficerTableLine> WorldView::officerTable(int f) const {
    std::vector<OfficerTableLine> lines;
    for (int16_t id : officersOf(f)) {
        const Bushou& b = officer(id);
        OfficerTableLine line;
        line.id = id;
        line.cells[0] = b.name;
        size_t column = 1;
        for (Ability a : {Ability::Politics, Ability::Valor, Ability::Intellect, Ability::Leadership, Ability::Capacity,
                          Ability::Restraint})
            line.cells[column++] = abilityCounts(Job(b.Job), a) ? std::to_string(abilityOf(b, a)) : "-";
        line.cells[7] = jobLabel(Job(b.Job));
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tei
