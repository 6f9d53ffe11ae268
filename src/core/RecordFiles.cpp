#include "core/RecordFiles.h"

#include "core/ItemReader.h"

namespace tei {

OfficerFile parseOfficerFile(std::string_view text) {
    OfficerFile records;
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        OfficerFileRecord r;
        r.number = marker->markerNumber();
        FieldReader fields(items);
        r.fields = readFields(fields, r.officer);
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
        r.fields = readFields(fields, r.faction, &r.fallen);
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

// The eight numbers after the name are fields 1..8 of both layouts.
int16_t officerNumberField(const Bushou& b, int k) { return k >= 1 && k <= 8 ? numberAt(b, k) : int16_t{0}; }

int16_t factionNumberField(const gun& g, int k) { return k >= 1 && k <= 8 ? numberAt(g, k) : int16_t{0}; }

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
    return firstLacking(records, officerCount, wholeRecordFields<Bushou>(), kMaxOfficer);
}

int firstLackingFaction(const FactionFile& records, int factionCount) {
    return firstLacking(records, factionCount, wholeRecordFields<gun>(), kMaxFaction);
}

namespace {

template <class Record>
std::optional<DottedValue> findDotted(std::string_view text) {
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        if (!marker->isHeader()) continue;
        Record r;
        FieldReader fields(items);
        int n = readFields(fields, r);
        const auto& layout = layoutOf<Record>();
        if (n >= static_cast<int>(layout.size())) continue;
        const auto& next = items.peek();
        if (next && next->isMarker() && next->startsLine && !next->isHeader())
            return DottedValue{marker->markerNumber(), recordFieldLabel(layout[static_cast<size_t>(n)].name),
                               next->text};
    }
    return std::nullopt;
}

template <class Record>
FileError cutShort(const GameFolder& folder, const std::filesystem::path& p) {
    if (auto dotted = findDotted<Record>(folder.readText(p))) return FileError(folder.display(p), dotted->inRecord());
    return FileError(FileError::Kind::CutShort, folder.display(p));
}

}  // namespace

std::string recordFieldLabel(const char* name) {
    std::string_view n(name);
    if (n == "name") return "名前";
    if (n == "jpg") return "画像名";
    return name;
}

std::string DottedValue::reason() const {
    return field + "「" + text +
           "」は「.」で始まるため、次の記録の見出しと読まれてしまいます。二重引用符で囲んでください（\"" + text +
           "\"）。";
}

std::optional<DottedValue> findDottedOfficerValue(std::string_view text) { return findDotted<Bushou>(text); }
std::optional<DottedValue> findDottedFactionValue(std::string_view text) { return findDotted<gun>(text); }

FileError officersCutShort(const GameFolder& folder, const std::filesystem::path& p) {
    return cutShort<Bushou>(folder, p);
}
FileError factionsCutShort(const GameFolder& folder, const std::filesystem::path& p) {
    return cutShort<gun>(folder, p);
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

std::string formatOfficers(const OfficerTable& t, int officerCount) {
    std::string out;
    out.reserve(static_cast<size_t>(officerCount) * 48);
    for (int i = 1; i <= officerCount && i <= kMaxOfficer; ++i) {
        out += "." + std::to_string(i) + kCrLf;
        appendFields(out, t[i], RecordWriter::WholeFile);
    }
    return out;
}

std::string formatFactions(const FactionTable& t, int factionCount) {
    std::string out;
    for (int i = 1; i <= factionCount && i <= kMaxFaction; ++i) {
        out += "." + std::to_string(i) + kCrLf;
        appendFields(out, t[i], RecordWriter::WholeFile);
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
        r.fields = wholeRecordFields<Bushou>();
        copyFields(officers[static_cast<size_t>(i)], r.fields, r.officer);  // only what the file stores
        r.officer.id = r.number;
        plain = plain && readsBackAsWritten(r.officer);
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
