#include "core/RecordFiles.h"

#include "core/ItemReader.h"

namespace tei {

void readOfficerFields(FieldReader& f, Bushou& b) {
    f.text(b.name) && f.number(b.policy) && f.number(b.fight) && f.number(b.wisdom) &&
        f.number(b.tactics) && f.number(b.charm) && f.number(b.Setu) && f.number(b.kunID) &&
        f.number(b.Job) && f.text(b.jpg) && f.number(b.commentID);
}

void readFactionFields(FieldReader& f, gun& g, std::string& fallen) {
    f.text(g.name) && f.number(g.meishuID) && f.number(g.kunshuID) && f.number(g.army) &&
        f.number(g.seihei) && f.number(g.meisei) && f.number(g.tian) && f.number(g.kessoku) &&
        f.number(g.ifu) && f.text(fallen);
}

void parseOfficers(std::string_view text, int officerCount, OfficerTable& table) {
    table.fill(Bushou{});
    table[0] = placeholderOfficer();
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        Bushou b;
        FieldReader fields(items);
        readOfficerFields(fields, b);
        if (n > 0 && n <= kMaxOfficer) {
            b.id = static_cast<int16_t>(n);
            table[n] = std::move(b);
        }
        if (n >= officerCount) break;
    }
}

void parseFactions(std::string_view text, int factionCount, FactionTable& table) {
    table.fill(gun{});
    table[0] = placeholderFaction();
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        gun g;
        FieldReader f(items);
        std::string fallen = "FALSE";  // a record cut short keeps the initial value
        readFactionFields(f, g, fallen);
        g.del = !(fallen == "FALSE" || fallen == "false");
        if (n > 0 && n <= kMaxFaction) {
            g.id = static_cast<int16_t>(n);
            table[n] = std::move(g);
        }
        if (n >= factionCount) break;
    }
}

void deriveFactions(OfficerTable& officers, const FactionTable& factions, int officerCount, int factionCount) {
    for (int i = 1; i <= officerCount && i <= kMaxOfficer; ++i)
        for (int f = 1; f <= factionCount && f <= kMaxFaction; ++f)
            if (officers[i].kunID == factions[f].kunshuID) officers[i].gunID = factions[f].id;
}

namespace {
std::string num(int16_t v) { return std::to_string(v); }
}  // namespace

std::string formatOfficers(const OfficerTable& t, int officerCount) {
    std::string out;
    out.reserve(static_cast<size_t>(officerCount) * 48);
    for (int i = 1; i <= officerCount && i <= kMaxOfficer; ++i) {
        const Bushou& b = t[i];
        out += "." + std::to_string(i) + kCrLf;
        out += b.name + kCrLf;
        out += num(b.policy) + "," + num(b.fight) + "," + num(b.wisdom) + "," + num(b.tactics) + kCrLf;
        out += num(b.charm) + "," + num(b.Setu) + kCrLf;
        out += num(b.kunID) + "," + num(b.Job) + kCrLf;
        out += "\"" + b.jpg + "\"" + kCrLf;
        out += num(b.commentID) + kCrLf;
    }
    return out;
}

std::string formatFactions(const FactionTable& t, int factionCount) {
    std::string out;
    for (int i = 1; i <= factionCount && i <= kMaxFaction; ++i) {
        const gun& g = t[i];
        out += "." + std::to_string(i) + kCrLf;
        out += g.name + kCrLf;
        out += num(g.meishuID) + "," + num(g.kunshuID) + "," + num(g.army) + "," + num(g.seihei) + "," +
               num(g.meisei) + "," + num(g.tian) + "," + num(g.kessoku) + "," + num(g.ifu) + kCrLf;
        out += std::string(g.del ? "\"TRUE\"" : "\"FALSE\"") + kCrLf;
    }
    return out;
}

void RecordTables::ld_Chr(const GameFolder& folder, int officerCount) {
    parseOfficers(folder.readText(folder.ini(kOfficerFile)), officerCount, officers);
}

void RecordTables::ld_Chr2(int officerCount, int factionCount) {
    deriveFactions(officers, factions, officerCount, factionCount);
}

void RecordTables::ld_Gun(const GameFolder& folder, int factionCount) {
    parseFactions(folder.readText(folder.ini(kFactionFile)), factionCount, factions);
}

void RecordTables::sv_Chr(const GameFolder& folder, int officerCount) const {
    folder.writeText(folder.ini(kOfficerFile), formatOfficers(officers, officerCount));
}

void RecordTables::sv_Gun(const GameFolder& folder, int factionCount) const {
    folder.writeText(folder.ini(kFactionFile), formatFactions(factions, factionCount));
}

}  // namespace tei
