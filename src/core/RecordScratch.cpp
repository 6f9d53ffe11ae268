#include "core/RecordScratch.h"

#include "core/RecordFiles.h"

namespace tei {

void RecordScratch::ld_Chr_rtn() {
    auto records = readOfficerFile(folder_, folder_.ini(kOfficerFile));
    for (const auto& r : *records) {
        if (r.number > officerCount_) {
            officer.name = kNobodyName;
            return;
        }
        if (r.number != recordNo) continue;
        copyFields(r.officer, r.fields, officer);
        officer.id = r.number;
        return;
    }
}

bool RecordScratch::ld_Gun_rtn() {
    auto records = readFactionFile(folder_, folder_.ini(kFactionFile));
    for (const auto& r : *records) {
        if (r.number > factionCount_) {
            faction.name.clear();
            return true;
        }
        if (r.number != recordNo) continue;
        copyFields(r.faction, r.fields, faction);
        faction.id = r.number;
        faction.del = r.hasFlag() && r.fallen == "TRUE";
        return !faction.del;
    }
    return true;
}

void RecordScratch::ld_Abl_rtn() {
    if (fieldSelector < 1 || fieldSelector > 8) return;
    for (const auto& r : *readOfficerFile(folder_, folder_.ini(kOfficerFile)))
        if (r.number >= 0 && r.number <= kMaxOfficer && r.fields > fieldSelector)
            values[r.number] = officerNumberField(r.officer, fieldSelector);
}

void RecordScratch::ld_gAbl_rtn() {
    if (fieldSelector < 1 || fieldSelector > 8) return;
    for (const auto& r : *readFactionFile(folder_, folder_.ini(kFactionFile)))
        if (r.number >= 0 && r.number <= kMaxOfficer && r.fields > fieldSelector)
            values[r.number] = factionNumberField(r.faction, fieldSelector);
}

void RecordScratch::ld_Kunshu_rtn() {
    fieldSelector = 2;
    ld_gAbl_rtn();
    for (int f = 1; f <= factionCount_ && f <= kMaxFaction; ++f) rulerOf[f] = values[f];
}

void RecordScratch::ld_gID_rtn() {
    for (int f = 1; f <= factionCount_ && f <= kMaxFaction; ++f)
        if (rulerOf[f] == recordNo) currentFaction = static_cast<int16_t>(f);
}

void RecordScratch::sv_Gun_rtn() {
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
        gun v = r.number == recordNo ? faction : r.faction;
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
