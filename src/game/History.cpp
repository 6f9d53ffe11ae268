#include "game/History.h"

#include <algorithm>
#include <array>

#include "core/RecordFiles.h"
#include "core/RecordScratch.h"
#include "game/Reports.h"

namespace tei {

std::vector<HistoryRow> historyRows(const GameFolder& folder, const GameGlobals& g, int year) {
    // The factions as the reports read them (fallen when the flag reads "TRUE"); the officers as the
    // whole-table loader places them, by number, looked at where the parsed file keeps them.
    RecordScratch scratch(folder, g.officerCount, g.factionCount);
    const int officerCount = std::min<int>(g.officerCount, kMaxOfficer);
    auto file = readOfficerFile(folder, folder.ini(kOfficerFile));
    std::array<const Bushou*, kMaxOfficer + 1> officers{};
    for (const auto& r : *file) {
        if (r.number > 0 && r.number <= kMaxOfficer) officers[static_cast<size_t>(r.number)] = &r.officer;
        if (r.number >= officerCount) break;
    }
    // The officers serving each lord, counted in one pass; a lord's number beyond the officer
    // numbers (a hand-edited file) is counted by looking at every officer.
    std::array<int16_t, kMaxOfficer + 1> servingLord{};
    for (int i = 1; i <= officerCount; ++i) {
        const Bushou* b = officers[static_cast<size_t>(i)];
        if (b && b->id != 0 && b->kunID > 0 && b->kunID <= kMaxOfficer) ++servingLord[static_cast<size_t>(b->kunID)];
    }

    std::vector<HistoryRow> rows;
    for (int f = 1; f <= g.factionCount && f <= kMaxFaction; ++f) {
        gun F = scratch.ld_Gun_rtn(f).value_or(gun{});
        F.id = static_cast<int16_t>(f);
        HistoryRow r;
        r.year = static_cast<int16_t>(year);
        r.faction = F.id;
        r.name = F.name;
        r.alive = !F.del;
        r.troops = F.army;
        r.elite = F.seihei;
        r.fame = F.meisei;
        r.awe = F.ifu;
        r.order = F.tian;
        r.cohesion = F.kessoku;
        int serving = 0;
        if (F.kunshuID > 0 && F.kunshuID <= kMaxOfficer)
            serving = servingLord[static_cast<size_t>(F.kunshuID)];
        else
            for (int i = 1; i <= officerCount; ++i) {
                const Bushou* b = officers[static_cast<size_t>(i)];
                serving += b && serves(*b, F) ? 1 : 0;
            }
        r.officers = static_cast<int16_t>(serving);
        r.alliance = F.meishuID;
        r.score = F.del ? 0.0 : factionScore(F, g);
        rows.push_back(std::move(r));
    }
    return rows;
}

void recordHistory(const GameFolder& folder, const GameGlobals& g, int year) {
    appendHistory(folder, historyRows(folder, g, year));
}

}  // namespace tei
