#include "core/RecordScratch.h"

#include "core/ItemReader.h"
#include "core/RecordFiles.h"

namespace tei {

void RecordScratch::ld_Chr_rtn() {
    std::string text = folder_.readText(folder_.ini(kOfficerFile));
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        if (n > officerCount_) {
            officer.name = kNobodyName;
            return;
        }
        if (n != recordNo) continue;
        Bushou b = officer;
        FieldReader fields(items);
        readOfficerFields(fields, b);
        b.id = static_cast<int16_t>(n);
        officer = std::move(b);
        return;
    }
}

bool RecordScratch::ld_Gun_rtn() {
    std::string text = folder_.readText(folder_.ini(kFactionFile));
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        if (n > factionCount_) {
            faction.name.clear();
            return true;
        }
        if (n != recordNo) continue;
        gun g = faction;
        FieldReader f(items);
        std::string fallen;
        readFactionFields(f, g, fallen);
        g.id = static_cast<int16_t>(n);
        g.del = fallen == "TRUE";
        faction = std::move(g);
        return !faction.del;
    }
    return true;
}

namespace {

// The k-th number after the name of every record into values[n].
template <size_t N>
void readColumn(std::string_view text, int k, std::array<int16_t, N>& values) {
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        FieldReader f(items);
        std::string name;
        int16_t v = 0;
        bool found = f.text(name);
        for (int i = 0; found && i < k; ++i) found = f.number(v);
        if (found && n >= 0 && static_cast<size_t>(n) < N) values[static_cast<size_t>(n)] = v;
    }
}

}  // namespace

void RecordScratch::ld_Abl_rtn() {
    if (fieldSelector < 1 || fieldSelector > 8) return;
    readColumn(folder_.readText(folder_.ini(kOfficerFile)), fieldSelector, values);
}

void RecordScratch::ld_gAbl_rtn() {
    if (fieldSelector < 1 || fieldSelector > 8) return;
    readColumn(folder_.readText(folder_.ini(kFactionFile)), fieldSelector, values);
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
    folder_.copyFile(live, snapshot);
    std::string text = folder_.readText(snapshot);
    std::string out;
    ItemReader items(text);
    auto q = [](const std::string& s) { return "\"" + s + "\""; };
    auto n16 = [](int16_t v) { return std::to_string(v); };
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        gun g;
        std::string fallen;
        FieldReader f(items);
        readFactionFields(f, g, fallen);
        const gun& v = n == recordNo ? faction : g;
        out += marker->text + kCrLf;
        out += q(g.name) + kCrLf;
        out += n16(v.meishuID) + "," + n16(v.kunshuID) + "," + n16(v.army) + "," + n16(v.seihei) + "," +
               n16(v.meisei) + "," + n16(v.tian) + "," + n16(v.kessoku) + "," + n16(v.ifu) + kCrLf;
        out += q(fallen) + kCrLf;
        if (n > factionCount_) break;
    }
    folder_.writeText(live, out);
}

}  // namespace tei
