#include "core/RecordFiles.h"

#include "core/ItemReader.h"

namespace tei {

int readOfficerFields(FieldReader& f, Bushou& b) {
    int n = 0;
    f.text(b.name) && ++n&& f.number(b.policy) && ++n&& f.number(b.fight) && ++n&& f.number(b.wisdom) &&
        ++n&& f.number(b.tactics) && ++n&& f.number(b.charm) && ++n&& f.number(b.Setu) && ++n&& f.number(b.kunID) &&
        ++n&& f.number(b.Job) && ++n&& f.text(b.jpg) && ++n&& f.number(b.commentID) && ++n;
    return n;
}

int readFactionFields(FieldReader& f, gun& g, std::string& fallen) {
    int n = 0;
    f.text(g.name) && ++n&& f.number(g.meishuID) && ++n&& f.number(g.kunshuID) && ++n&& f.number(g.army) &&
        ++n&& f.number(g.seihei) && ++n&& f.number(g.meisei) && ++n&& f.number(g.tian) && ++n&& f.number(g.kessoku) &&
        ++n&& f.number(g.ifu) && ++n&& f.text(fallen) && ++n;
    return n;
}

OfficerFile parseOfficerFile(std::string_view text) {
    OfficerFile records;
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        OfficerFileRecord r;
        r.number = marker->markerNumber();
        FieldReader fields(items);
        r.fields = readOfficerFields(fields, r.officer);
        r.officer.id = r.number;
        records.push_back(std::move(r));
    }
    return records;
}

FactionFile parseFactionFile(std::string_view text) {
    FactionFile records;
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        FactionFileRecord r;
        r.number = marker->markerNumber();
        r.marker = marker->text;
        FieldReader fields(items);
        r.fallen = "FALSE";  // a record cut short keeps the initial value
        r.fields = readFactionFields(fields, r.faction, r.fallen);
        r.faction.id = r.number;
        records.push_back(std::move(r));
    }
    return records;
}

std::shared_ptr<const OfficerFile> readOfficerFile(const GameFolder& folder, const std::filesystem::path& p) {
    return folder.readParsed<OfficerFile>(p, parseOfficerFile);
}

std::shared_ptr<const FactionFile> readFactionFile(const GameFolder& folder, const std::filesystem::path& p) {
    return folder.readParsed<FactionFile>(p, parseFactionFile);
}

void applyOfficerFields(const Bushou& from, int fields, Bushou& to) {
    if (fields > 0) to.name = from.name;
    int16_t* const dst[] = {&to.policy, &to.fight, &to.wisdom, &to.tactics, &to.charm, &to.Setu, &to.kunID, &to.Job};
    for (int k = 1; k <= 8 && k < fields; ++k) *dst[k - 1] = officerNumberField(from, k);
    if (fields > 9) to.jpg = from.jpg;
    if (fields > 10) to.commentID = from.commentID;
}

void applyFactionFields(const gun& from, int fields, gun& to) {
    if (fields > 0) to.name = from.name;
    int16_t* const dst[] = {&to.meishuID, &to.kunshuID, &to.army,    &to.seihei,
                            &to.meisei,   &to.tian,     &to.kessoku, &to.ifu};
    for (int k = 1; k <= 8 && k < fields; ++k) *dst[k - 1] = factionNumberField(from, k);
}

int16_t officerNumberField(const Bushou& b, int k) {
    const int16_t values[] = {b.policy, b.fight, b.wisdom, b.tactics, b.charm, b.Setu, b.kunID, b.Job};
    return k >= 1 && k <= 8 ? values[k - 1] : 0;
}

int16_t factionNumberField(const gun& g, int k) {
    const int16_t values[] = {g.meishuID, g.kunshuID, g.army, g.seihei, g.meisei, g.tian, g.kessoku, g.ifu};
    return k >= 1 && k <= 8 ? values[k - 1] : 0;
}

void fillOfficers(const OfficerFile& records, int officerCount, OfficerTable& table) {
    table.fill(Bushou{});
    table[0] = placeholderOfficer();
    for (const auto& r : records) {
        if (r.number > 0 && r.number <= kMaxOfficer) table[r.number] = r.officer;
        if (r.number >= officerCount) break;
    }
}

void fillFactions(const FactionFile& records, int factionCount, FactionTable& table) {
    table.fill(gun{});
    table[0] = placeholderFaction();
    for (const auto& r : records) {
        if (r.number > 0 && r.number <= kMaxFaction) {
            table[r.number] = r.faction;
            table[r.number].del = !(r.fallen == "FALSE" || r.fallen == "false");
        }
        if (r.number >= factionCount) break;
    }
}

namespace {

// Marks the whole records the loader takes (it stops after the record numbered count or more) and
// returns the first of 1..count left unmarked.
template <class Records>
int firstLacking(const Records& records, int count, int wholeFields, int most) {
    std::vector<bool> whole(static_cast<size_t>(most) + 1, false);
    for (const auto& r : records) {
        if (r.number > 0 && r.number <= most) whole[static_cast<size_t>(r.number)] = r.fields >= wholeFields;
        if (r.number >= count) break;
    }
    for (int n = 1; n <= count && n <= most; ++n)
        if (!whole[static_cast<size_t>(n)]) return n;
    return 0;
}

}  // namespace

int firstLackingOfficer(const OfficerFile& records, int officerCount) {
    return firstLacking(records, officerCount, 11, kMaxOfficer);
}

int firstLackingFaction(const FactionFile& records, int factionCount) {
    return firstLacking(records, factionCount, 10, kMaxFaction);
}

void parseOfficers(std::string_view text, int officerCount, OfficerTable& table) {
    fillOfficers(parseOfficerFile(text), officerCount, table);
}

void parseFactions(std::string_view text, int factionCount, FactionTable& table) {
    fillFactions(parseFactionFile(text), factionCount, table);
}

void deriveFactions(OfficerTable& officers, const FactionTable& factions, int officerCount, int factionCount) {
    for (int i = 1; i <= officerCount && i <= kMaxOfficer; ++i)
        for (int f = 1; f <= factionCount && f <= kMaxFaction; ++f)
            if (officers[i].kunID == factions[f].kunshuID) officers[i].gunID = factions[f].id;
}

namespace {
std::string num(int16_t v) { return std::to_string(v); }

bool readsBackBare(const std::string& s) {
    if (s.find_first_of(",\"\r\n") != std::string::npos) return false;
    if (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t')) return false;
    return s.empty() || s.front() != '.';
}
}  // namespace

bool readsBack(const std::string& text) { return text.find_first_of("\"\r\n") == std::string::npos; }

std::string bareOrQuoted(const std::string& text) {
    if (readsBackBare(text) || !readsBack(text)) return text;
    return "\"" + text + "\"";
}

std::string formatOfficers(const OfficerTable& t, int officerCount) {
    std::string out;
    out.reserve(static_cast<size_t>(officerCount) * 48);
    for (int i = 1; i <= officerCount && i <= kMaxOfficer; ++i) {
        const Bushou& b = t[i];
        out += "." + std::to_string(i) + kCrLf;
        out += bareOrQuoted(b.name) + kCrLf;
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
        out += bareOrQuoted(g.name) + kCrLf;
        out += num(g.meishuID) + "," + num(g.kunshuID) + "," + num(g.army) + "," + num(g.seihei) + "," + num(g.meisei) +
               "," + num(g.tian) + "," + num(g.kessoku) + "," + num(g.ifu) + kCrLf;
        out += std::string(g.del ? "\"TRUE\"" : "\"FALSE\"") + kCrLf;
    }
    return out;
}

void RecordTables::ld_Chr(const GameFolder& folder, int officerCount) {
    fillOfficers(*readOfficerFile(folder, folder.ini(kOfficerFile)), officerCount, officers);
}

void RecordTables::ld_Chr2(int officerCount, int factionCount) {
    deriveFactions(officers, factions, officerCount, factionCount);
}

void RecordTables::ld_Gun(const GameFolder& folder, int factionCount) {
    fillFactions(*readFactionFile(folder, folder.ini(kFactionFile)), factionCount, factions);
}

// The records the next reader will find are the table's own, so they go along with the text and the
// next year's first read need not parse the file (when every name reads back as written).
void RecordTables::sv_Chr(const GameFolder& folder, int officerCount) const {
    auto written = std::make_shared<OfficerFile>();
    bool plain = true;
    for (int i = 1; i <= officerCount && i <= kMaxOfficer; ++i) {
        OfficerFileRecord r;
        r.number = static_cast<int16_t>(i);
        r.officer = officers[static_cast<size_t>(i)];
        r.officer.id = r.number;
        r.officer.gunID = 0;  // never stored
        r.fields = 11;
        plain = plain && readsBack(r.officer.name) && readsBack(r.officer.jpg);
        written->push_back(std::move(r));
    }
    auto path = folder.ini(kOfficerFile);
    if (plain)
        folder.writeParsed<OfficerFile>(path, formatOfficers(officers, officerCount), std::move(written));
    else
        folder.writeText(path, formatOfficers(officers, officerCount));
}

void RecordTables::sv_Gun(const GameFolder& folder, int factionCount) const {
    folder.writeText(folder.ini(kFactionFile), formatFactions(factions, factionCount));
}

}  // namespace tei
