#include "core/RecordScratch.h"

#include "core/RecordFiles.h"

namespace tei {

Bushou RecordScratch::ld_Chr_rtn(int no) const {
    Bushou b;
    for (const auto& r : *readOfficerFile(folder_, folder_.ini(kOfficerFile))) {
        if (r.number > officerCount_) return Bushou{};
        if (r.number != no) continue;
        copyFields(r.officer, r.fields, b);
        b.id = r.number;
        return b;
    }
    return b;
}

std::optional<gun> RecordScratch::ld_Gun_rtn(int no) const {
    for (const auto& r : *readFactionFile(folder_, folder_.ini(kFactionFile))) {
        if (r.number > factionCount_) return gun{};
        if (r.number != no) continue;
        gun g;
        copyFields(r.faction, r.fields, g);
        g.id = r.number;
        g.del = r.fallen == "TRUE";
        return g;
    }
    return std::nullopt;
}

RecordColumn RecordScratch::ld_Abl_rtn(int selector) const {
    RecordColumn column{};
    if (selector < 1 || selector > 8) return column;
    for (const auto& r : *readOfficerFile(folder_, folder_.ini(kOfficerFile)))
        if (r.number >= 0 && r.number <= kMaxOfficer && r.fields > selector)
            column[static_cast<size_t>(r.number)] = officerNumberField(r.officer, selector);
    return column;
}

RecordColumn RecordScratch::ld_gAbl_rtn(int selector) const {
    RecordColumn column{};
    if (selector < 1 || selector > 8) return column;
    for (const auto& r : *readFactionFile(folder_, folder_.ini(kFactionFile)))
        if (r.number >= 0 && r.number <= kMaxOfficer && r.fields > selector)
            column[static_cast<size_t>(r.number)] = factionNumberField(r.faction, selector);
    return column;
}

void RecordScratch::ld_Kunshu_rtn() {
    RecordColumn rulers = ld_gAbl_rtn(2);
    for (int f = 1; f <= factionCount_ && f <= kMaxFaction; ++f) rulerOf_[static_cast<size_t>(f)] = rulers[f];
}

int16_t RecordScratch::ld_gID_rtn(int ruler) {
    for (int f = 1; f <= factionCount_ && f <= kMaxFaction; ++f)
        if (rulerOf_[static_cast<size_t>(f)] == ruler) currentFaction_ = static_cast<int16_t>(f);
    return currentFaction_;
}

void RecordScratch::sv_Gun_rtn(int no, const gun& faction) {
    auto live = folder_.ini(kFactionFile);
    auto snapshot = folder_.ini(kFactionSnapshot);
    auto records = readFactionFile(folder_, live);  // the snapshot holds the same text
    folder_.snapshotFile(live, snapshot);
    std::string out;
    // The records as a reader will find them in the new text, so that the year end's next read of the
    // file need not parse it again. That holds while no text holds a quote or a line break.
    auto written = std::make_shared<FactionFile>();
    bool plain = true;
    for (const auto& r : *records) {
        // The name and the flag as read, the numbers the new ones for the record rewritten.
        gun v = r.number == no ? faction : r.faction;
        v.name = r.faction.name;
        const std::string fallen = r.hasFlag() ? r.fallen : std::string();
        out += r.marker + kCrLf;
        appendFields(out, v, RecordWriter::OneFaction, &fallen);

        FactionFileRecord w;
        w.number = r.number;
        w.marker = r.marker;
        w.fields = wholeRecordFields<gun>();
        copyFields(v, w.fields, w.faction);
        w.faction.id = r.number;
        w.fallen = fallen;
        written->push_back(std::move(w));
        plain = plain && readsBackAsWritten(v, &fallen) && readsBack(r.marker);
        if (r.number > factionCount_) break;
    }
    if (plain)
        folder_.writeParsed<FactionFile>(live, out, std::move(written));
    else
        folder_.writeText(live, out);
}

}  // namespace tei
