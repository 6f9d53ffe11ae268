#include "setup/DataCheck.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <optional>
#include <set>

#include "core/GameFolder.h"
#include "core/ItemReader.h"
#include "core/Numbers.h"
#include "core/RecordFiles.h"
#include "core/Records.h"
#include "core/Scenarios.h"
#include "messages/TemplateBook.h"
#include "setup/ScenarioSetup.h"

namespace tei {

namespace {

namespace fs = std::filesystem;

constexpr int kLowestReservedComment = 200;

// One record of a data file as it stands: its number and its values.
struct RawRecord {
    int n = 0;
    std::vector<std::string> values;
    bool extra = false;  // more values than the layout has before the next record
    // The first value written bare with a leading "." at the start of a line, which the game would
    // take for the next record's marker: its place among the values. Read on as a value here, so the
    // one fault is reported once.
    std::optional<size_t> dotted;
};

struct RawFile {
    std::vector<RawRecord> records;
    bool leadingJunk = false;  // values before the first record
};

RawFile readRecords(std::string_view text, size_t fieldCount) {
    RawFile file;
    ItemReader items(text);
    auto first = items.peek();
    if (first && !(first->isMarker() && first->startsLine)) file.leadingJunk = true;
    while (auto marker = items.nextMarker()) {
        RawRecord r;
        r.n = marker->markerNumber();
        std::string v;
        for (;;) {
            FieldReader fields(items);
            while (r.values.size() < fieldCount && fields.text(v)) r.values.push_back(v);
            if (r.values.size() == fieldCount) break;
            const auto& next = items.peek();
            if (!next || !next->isMarker() || !next->startsLine || next->isHeader()) break;
            if (!r.dotted) r.dotted = r.values.size();
            r.values.push_back(items.next()->text);
        }
        if (r.values.size() == fieldCount) {
            auto next = items.peek();
            r.extra = next && !(next->isMarker() && next->startsLine);
        }
        file.records.push_back(std::move(r));
    }
    return file;
}

// How many records of two officer files differ in any value, or are in one file only.
int changedRecords(std::string_view text, std::string_view other, size_t fieldCount) {
    std::map<int, std::vector<std::string>> mine, theirs;
    for (auto& r : readRecords(text, fieldCount).records) mine.emplace(r.n, std::move(r.values));
    for (auto& r : readRecords(other, fieldCount).records) theirs.emplace(r.n, std::move(r.values));
    int changed = 0;
    for (const auto& [n, values] : mine) {
        auto it = theirs.find(n);
        if (it == theirs.end() || it->second != values) ++changed;
    }
    for (const auto& [n, values] : theirs)
        if (!mine.count(n)) ++changed;
    return changed;
}

bool isInteger(std::string_view s) {
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

class Checker {
public:
    // Files are named by the folder's own name and theirs: "ini/bushou1.ini".
    explicit Checker(fs::path dir) : dir_(dir.has_filename() ? dir : dir.parent_path()), folder_(dir_.parent_path()) {}

    DataCheckReport run();

private:
    fs::path path(const std::string& name) const { return findFile(dir_, name); }
    std::string shown(const std::string& name) const { return folder_.display(path(name)); }
    void problem(std::string line) { report_.problems.push_back(std::move(line)); }
    void note(std::string line) { report_.notes.push_back(std::move(line)); }
    std::string recordLabel(const std::string& file, int n, const std::string& name) const {
        return shown(file) + " の記録 ." + std::to_string(n) + (name.empty() ? "" : "（" + name + "）");
    }

    // The text of a file, or nothing (and a problem line) when it is missing or no text.
    std::optional<std::string> read(const std::string& name);
    // The records' structure: numbering, counts and values; fills the table with what was read.
    template <class Record, size_t N>
    void checkStructure(const std::string& file, const std::string& text, int expected, const char* what,
                        std::array<Record, N>& table);
    void checkScenario(int scenario);
    void checkComments();
    void checkNames(const char* file, int needed, const char* what);
    void checkTemplates(const char* file, const std::vector<int>& numbers, const char* what);

    fs::path dir_;
    GameFolder folder_;
    DataCheckReport report_;
    std::set<int> comments_;
    bool commentsRead_ = false;
};

std::optional<std::string> Checker::read(const std::string& name) {
    try {
        return folder_.readText(path(name));
    } catch (const FileError& e) {
        problem(e.message());
        return std::nullopt;
    }
}

template <class Record, size_t N>
void Checker::checkStructure(const std::string& file, const std::string& text, int expected, const char* what,
                             std::array<Record, N>& table) {
    const auto& layout = layoutOf<Record>();
    const size_t fieldCount = layout.size();
    RawFile raw = readRecords(text, fieldCount);
    if (raw.leadingJunk) problem(shown(file) + ": 最初の記録の前に余分な値があります。");
    int previous = 0;
    for (const RawRecord& r : raw.records) {
        std::string name = r.values.empty() ? "" : r.values[0];
        std::string label = recordLabel(file, r.n, name);
        if (r.n != previous + 1)
            problem(label + ": 番号が順番どおりではありません（." + std::to_string(previous + 1) +
                    " があるべき位置です）。");
        previous = r.n;
        if (r.dotted) {
            DottedValue d{static_cast<int16_t>(r.n), recordFieldLabel(layout[*r.dotted].name), r.values[*r.dotted]};
            problem(label + ": " + d.reason());
        }
        if (r.values.size() < fieldCount)
            problem(label + ": 値が足りません（" + std::to_string(r.values.size()) + " 個、" +
                    std::to_string(fieldCount) + " 個必要です）。");
        if (r.extra) problem(label + ": 値が多すぎます（名前に「,」が入っていませんか）。");
        for (size_t k = 0; k < r.values.size(); ++k)
            if (layout[k].kind == FieldKind::Number && !isInteger(r.values[k]))
                problem(label + ": " + std::to_string(k + 1) + " 番目の値「" + r.values[k] +
                        "」が整数ではありません。");
        if (r.n >= 1 && r.n < static_cast<int>(table.size())) {
            Record& rec = table[static_cast<size_t>(r.n)];
            rec = Record{};
            rec.id = static_cast<int16_t>(r.n);
            for (size_t k = 0; k < r.values.size(); ++k) setFromText(rec, static_cast<int>(k), r.values[k]);
        }
    }
    int count = static_cast<int>(raw.records.size());
    if (count != expected)
        problem(shown(file) + ": " + what + "の記録が " + std::to_string(count) + " 件あります（" +
                std::to_string(expected) + " 件のはずです）。");
}

void Checker::checkScenario(int scenario) {
    const ScenarioInfo& info = scenarioInfo(scenario);
    const std::string officersFile = officerMasterName(scenario);
    const std::string factionsFile = factionMasterName(scenario);
    const std::string backupFile = officerBackupName(scenario);

    auto officerText = read(officersFile);
    auto factionText = read(factionsFile);
    auto backupText = read(backupFile);

    OfficerTable officers{};
    FactionTable factions{};
    if (officerText) checkStructure(officersFile, *officerText, info.historicalOfficers, "武将", officers);
    OfficerTable original = officers;  // the backup's records
    if (officerText && backupText && *officerText != *backupText) {
        // The editor's doing: the backup that restores from it must be sound too.
        original = OfficerTable{};
        checkStructure(backupFile, *backupText, info.historicalOfficers, "武将", original);
        int changed = changedRecords(*officerText, *backupText, layoutOf<Bushou>().size());
        if (changed > 0)
            note(shown(officersFile) + ": " + std::to_string(changed) + " 人の武将が " + shown(backupFile) +
                 " から変わっています（武将エディタでの変更です。タイトル画面の「武将初期化」で元に戻せます）。");
    }
    if (factionText) checkStructure(factionsFile, *factionText, info.factionCount, "軍閥", factions);
    if (!officerText || !factionText) return;

    // Rulers
    std::map<int, int> factionOfRuler;
    for (int f = 1; f <= kMaxFaction; ++f) {
        const gun& g = factions[f];
        if (g.id != f) continue;
        int k = g.kunshuID;
        std::string label = recordLabel(factionsFile, f, g.name);
        if (factionOfRuler.count(k))
            problem(label + ": 君主 " + std::to_string(k) + " は軍閥 ." + std::to_string(factionOfRuler[k]) +
                    " の君主でもあります。");
        factionOfRuler.emplace(k, f);
        if (k < 1 || k > kMaxOfficer || officers[k].id != k) {
            problem(label + ": 君主 kunshuID " + std::to_string(k) + " が " + shown(officersFile) + " にいません。");
            continue;
        }
        const Bushou& ruler = officers[k];
        std::string rulerLabel = recordLabel(officersFile, k, ruler.name);
        if (ruler.kunID != k)
            problem(rulerLabel + ": 軍閥 ." + std::to_string(f) + " の君主なのに kunID が " +
                    std::to_string(ruler.kunID) + " です（" + std::to_string(k) + " であるべきです）。");
        if (Job(ruler.Job) != Job::Ruler)
            problem(rulerLabel + ": 軍閥 ." + std::to_string(f) + " の君主なのに Job が " + std::to_string(ruler.Job) +
                    " です（" + std::to_string(numberOf(Job::Ruler)) + " であるべきです）。");
    }

    // Alliances
    std::set<int> leaders;
    for (int f = 1; f <= kMaxFaction; ++f) {
        const gun& g = factions[f];
        if (g.id != f || g.meishuID == 0) continue;
        int m = g.meishuID;
        leaders.insert(m);
        std::string label = recordLabel(factionsFile, f, g.name);
        auto leader = factionOfRuler.find(m);
        if (leader == factionOfRuler.end()) {
            problem(label + ": 盟主 meishuID " + std::to_string(m) + " を君主とする軍閥がありません。");
            continue;
        }
        const gun& L = factions[static_cast<size_t>(leader->second)];
        if (L.meishuID != m)
            problem(label + ": 盟主の軍閥 ." + std::to_string(L.id) + "（" + L.name + "）の meishuID が " +
                    std::to_string(L.meishuID) + " です（" + std::to_string(m) + " であるべきです）。");
    }
    if (leaders.size() > 3)
        problem(shown(factionsFile) + ": 同盟が " + std::to_string(leaders.size()) + " つあります（3 つまでです）。");

    // Officers
    for (int i = 1; i <= kMaxOfficer; ++i) {
        const Bushou& b = officers[i];
        if (b.id != i) continue;
        std::string label = recordLabel(officersFile, i, b.name);
        if (b.kunID != 0 && !factionOfRuler.count(b.kunID))
            problem(label + ": 主君 kunID " + std::to_string(b.kunID) + " はこのシナリオの君主ではありません。");
        int c = b.commentID;
        if (c == 0) continue;
        // The comment editor gives an officer without a comment a new number, above Comment.ini's
        // records and never 200, and carries it into the master; the comment itself lives in the
        // game's comment file only.
        bool given =
            backupText && original[i].id == i && original[i].commentID != c && c > 0 && c != kLowestReservedComment;
        if (!given && (c < 0 || c >= kLowestReservedComment))
            problem(label + ": コメント番号 " + std::to_string(c) + " は 1〜199 であるべきです。");
        else if (commentsRead_ && !comments_.count(c))
            (given ? report_.notes : report_.problems)
                .push_back(label + ": コメント番号 " + std::to_string(c) + " が " + shown(kCommentMaster) +
                           " にありません" + (given ? "（コメントエディタで付けた番号です）。" : "。"));
    }
}

void Checker::checkComments() {
    auto text = read(kCommentMaster);
    if (!text) return;
    commentsRead_ = true;
    ItemReader items(*text);
    while (auto marker = items.nextMarker()) {
        int n = marker->markerNumber();
        if (n <= 0) continue;  // the "." that ends a comment
        comments_.insert(n);
        if (n >= kLowestReservedComment)
            problem(recordLabel(kCommentMaster, n, "") + ": コメント番号は 199 までです（200 は架空の人物用です）。");
    }
}

void Checker::checkNames(const char* file, int needed, const char* what) {
    auto text = read(file);
    if (!text) return;
    auto names = parseNameList(*text, INT_MAX);
    int count = static_cast<int>(names.size());
    names.resize(std::min(names.size(), static_cast<size_t>(needed)));  // only the names a game reads
    if (auto quoted = nameWithQuote(names)) problem(shown(file) + ": " + *quoted);
    if (count < needed)
        problem(shown(file) + ": " + what + "が " + std::to_string(count) + " 個しかありません（" +
                std::to_string(needed) + " 個以上必要です）。");
}

void Checker::checkTemplates(const char* file, const std::vector<int>& numbers, const char* what) {
    auto text = read(file);
    if (!text) return;
    TemplateBook book(*text);
    for (int n : numbers)
        if (!book.has(n))
            problem(shown(file) + ": " + what + " ." + std::to_string(n) +
                    " がないか、.100 以上の見出しより後ろにあって読まれません。");
}

DataCheckReport Checker::run() {
    checkComments();
    for (int scenario = 1; scenario <= 3; ++scenario) checkScenario(scenario);
    checkNames(kFamilyNameFile, kFamilyNamesRead, "姓");
    checkNames(kGivenNameFile, kGivenNamesRead, "名");

    std::vector<int> narrative;
    for (int n = 1; n <= 60; ++n)
        if (n != 31 && (n < 54 || n > 56)) narrative.push_back(n);
    checkTemplates(kTextTemplates, narrative, "文章");
    std::vector<int> descriptions;
    for (int n = 1; n <= 12; ++n) descriptions.push_back(n);
    for (int n = 20; n <= 26; ++n) descriptions.push_back(n);
    checkTemplates(kCommandTemplates, descriptions, "説明");
    return report_;
}

}  // namespace

DataCheckReport checkDataFolder(const std::filesystem::path& iniDir) { return Checker(iniDir).run(); }

}  // namespace tei
