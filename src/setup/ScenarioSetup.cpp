#include "setup/ScenarioSetup.h"

#include "core/ItemReader.h"
#include "core/Numbers.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "core/Scenarios.h"
#include "messages/Chronicle.h"
#include "messages/TemplateBook.h"

namespace tei {

namespace {

constexpr int kFirstDescription = 21;  // scenario n is described by Command.ini record 20 + n

// A sum of up to three draws I(a) + I(b) + I(c) plus a constant; a die of 0 sides is not drawn. The
// draws are made left to right.
struct Dice {
    int a, b, c, plus;
};

int roll(Random& rng, const Dice& d) {
    int v = rng.I(d.a);
    v += rng.I(d.b);
    if (d.c > 0) v += rng.I(d.c);
    return v + d.plus;
}

// The ability patterns of the fictional officers, by the job draw t = 1..10.
struct Pattern {
    Job job;
    Dice policy, fight, wisdom, tactics, charm;
};

constexpr Dice kHigh{2, 4, 0, 6};   // 6..10, the job's key ability
constexpr Dice kLow{5, 5, 0, 1};    // 1..9
constexpr Dice kStaff{4, 4, 0, 4};  // 4..10
constexpr Dice kEven{4, 4, 4, 1};   // 1..10
constexpr Dice kBroad{5, 6, 0, 1};  // 1..10
constexpr Dice kSharp{3, 4, 0, 5};  // 5..10
constexpr Dice kWeak{4, 4, 0, 1};   // 1..7

constexpr Pattern kCivil{Job::Civil, kHigh, kLow, kLow, kLow, kLow};
constexpr Pattern kMilitary{Job::Military, kLow, kHigh, kLow, kLow, kLow};
constexpr Pattern kStaffOfficer{Job::Staff, kStaff, kLow, kStaff, kLow, kLow};
constexpr Pattern kGeneral{Job::General, kEven, kEven, kEven, kHigh, kBroad};
constexpr Pattern kRuler{Job::Ruler, kEven, kEven, kEven, kEven, kEven};
constexpr Pattern kStrategist{Job::Strategist, kSharp, kWeak, kSharp, kSharp, kBroad};

// Index t - 1: 20 % civil, 10 % military, 10 % staff, 30 % general, 20 % ruler, 10 % strategist.
constexpr std::array<const Pattern*, 10> kPatterns = {&kCivil,   &kCivil,   &kMilitary, &kStaffOfficer, &kGeneral,
                                                      &kGeneral, &kGeneral, &kRuler,    &kRuler,        &kStrategist};

constexpr Dice kRestraint{4, 4, 4, 1};  // Setu of every fictional officer, 1..10

// Name number k (1-based) of a list; a short list is reused from its start, an empty one gives "".
const std::string& nameAt(const std::vector<std::string>& list, int k) {
    static const std::string none;
    if (list.empty()) return none;
    return list[static_cast<size_t>(k - 1) % list.size()];
}

// The new officer file: names and picture names in double quotes.
std::string formatNewOfficers(const OfficerTable& t) {
    std::string out;
    for (int i = 1; i <= kGameOfficerCount; ++i) {
        out += "." + std::to_string(i) + kCrLf;
        appendFields(out, t[i], RecordWriter::NewGame);
    }
    return out;
}

SetupOutcome failed(const FileError& e) { return {false, e.message()}; }

}  // namespace

std::vector<std::string> parseNameList(std::string_view text, int limit) {
    std::vector<std::string> names;
    ItemReader items(text);
    while (static_cast<int>(names.size()) < limit) {
        auto item = items.next();
        if (!item) break;
        names.push_back(std::move(item->text));  // an empty item is an empty name, and keeps its number
    }
    return names;
}

std::optional<std::string> nameWithQuote(const std::vector<std::string>& names) {
    for (const auto& name : names)
        if (name.find('"') != std::string::npos)
            return "名前「" + name +
                   "」には二重引用符（\"）が入っています。架空の武将の名前は姓と名をつないで作るので、" +
                   "二重引用符のある名前は使えません。";
    return std::nullopt;
}

// Screen actions

void ScenarioSetup::requireFiles(const std::vector<std::string>& names) const {
    for (const auto& name : names) (void)folder_.readText(folder_.ini(name));
}

SetupOutcome ScenarioSetup::Form_Load() {
    g_.scenarioNo = 1;
    g_.factionCount = static_cast<int16_t>(scenarioInfo(1).factionCount);
    g_.officerCount = static_cast<int16_t>(scenarioInfo(1).historicalOfficers);
    try {
        requireFiles({officerMasterName(1), kCommentMaster, factionMasterName(1), kCommandTemplates});
        // The scenario's three working files are made as one step.
        GameFolder::DeferredWrites step(folder_);
        mk_Rinbusv();
        g_.textNo = kFirstDescription;
        ld_Text_rtn();
        ld_Gnm_rtn();
        mk_Gunsv_rtn();
        step.commit();
    } catch (const FileError& e) {
        return failed(e);
    }
    return {};
}

SetupOutcome ScenarioSetup::chooseScenario(int row) {
    if (row < 0 || row >= kScenarioCount) return {};
    int scenario = row + 1;
    try {
        requireFiles({officerMasterName(scenario), kCommentMaster, factionMasterName(scenario), kCommandTemplates});
    } catch (const FileError& e) {
        return failed(e);
    }
    const ScenarioInfo& info = scenarioInfo(scenario);
    try {
        g_.textNo = static_cast<int16_t>(row + kFirstDescription);
        ld_Text_rtn();
        g_.scenarioNo = static_cast<int16_t>(scenario);
        g_.factionCount = static_cast<int16_t>(info.factionCount);
        g_.officerCount = static_cast<int16_t>(info.historicalOfficers);
        GameFolder::DeferredWrites step(folder_);
        mk_Rinbusv();
        ld_Gnm_rtn();
        mk_Gunsv_rtn();
        step.commit();
    } catch (const FileError& e) {
        return failed(e);
    }
    return {};
}

void ScenarioSetup::showFactionOfRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    g_.detailId = rows_[static_cast<size_t>(row)].faction;
    g_.msgText = scenarioInfo(g_.scenarioNo).whatIf ? kRetainersWillChange : "";
}

// Scenarios n and n + 3 share one officer master, so the reset of one is the reset of both: the
// question says so on a line of its own after the game's sentence.
std::string ScenarioSetup::resetQuestion() const {
    int first = (g_.scenarioNo - 1) % 3 + 1;
    return "シナリオ" + Str(g_.scenarioNo) + "においてエディットした武将データを全て初期化しますか？" + kCrLf +
           "（シナリオ" + Str(first) + "とシナリオ" + Str(first + 3) +
           "は同じ武将データを使うため、どちらのシナリオの武将も初期化されます）";
}

SetupOutcome ScenarioSetup::resetOfficers() {
    try {
        requireFiles({officerBackupName(g_.scenarioNo), kCommentMaster});
        // The master and the working files it makes change together.
        GameFolder::DeferredWrites step(folder_);
        initBushouFile();
        mk_Rinbusv();
        step.commit();
    } catch (const FileError& e) {
        return {false, std::string(kResetNotDone) + kCrLf + e.message()};
    }
    return {true, kResetDone};
}

std::vector<bool> ScenarioSetup::selection(const std::vector<int>& selectedRows) const {
    std::vector<bool> selected(rows_.size(), false);
    for (int r : selectedRows)
        if (r >= 0 && r < static_cast<int>(rows_.size())) selected[static_cast<size_t>(r)] = true;
    return selected;
}

NewGameQuestion ScenarioSetup::askNewGame(const std::vector<int>& selectedRows) const {
    auto selected = selection(selectedRows);
    const RulerRow* last = nullptr;
    for (size_t r = 0; r < rows_.size(); ++r)
        if (selected[r]) last = &rows_[r];
    if (!last) return {true, kNoRulerSelected};
    return {false, last->text + kStartQuestionTail};
}

SetupOutcome ScenarioSetup::startNewGame(const std::vector<int>& selectedRows) {
    auto selected = selection(selectedRows);
    bool any = false;
    for (bool s : selected) any = any || s;
    if (!any) return {false, kNoRulerSelected};
    // The files first: when one is missing the slots of the title screen stay as they were. The new
    // officers go to the disk in one step with the chronicle and the faction file the main screen opens
    // the game with (it writes the same bytes again), so a new game's files are never half made.
    try {
        GameFolder::DeferredWrites step(folder_);
        ori_Chr_rtn();
        mkFristLog(folder_);
        mk_Gunsv_rtn();
        step.commit();
    } catch (const FileError& e) {
        return failed(e);
    }
    g_.gameMode = GameMode::New;
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (selected[r]) {
            g_.slotFaction[r] = rows_[r].faction;
            g_.slotName[r] = rows_[r].text;
        } else {
            g_.slotFaction[r] = 0;
            g_.slotRuler[r] = 0;
        }
    }
    return {};
}

// Routines

void ScenarioSetup::mk_Rinbusv() {
    folder_.copyFile(folder_.ini(officerMasterName(g_.scenarioNo)), folder_.ini(kOfficerFile));
    folder_.copyFile(folder_.ini(kCommentMaster), folder_.ini(kCommentFile));
}

void ScenarioSetup::mk_Gunsv_rtn() {
    folder_.copyFile(folder_.ini(factionMasterName(g_.scenarioNo)), folder_.ini(kFactionFile));
}

// Every record of the faction master up to the one numbered factionCount or above becomes a row, at
// most 21 rows (the player slots). The row keeps the record's number as its faction, whatever it is.
void ScenarioSetup::ld_Gnm_rtn() {
    std::string text = folder_.readText(folder_.ini(factionMasterName(g_.scenarioNo)));
    rows_.clear();
    rulerOfRow_.fill(0);
    ItemReader items(text);
    while (auto marker = items.nextMarker()) {
        if (static_cast<int>(rows_.size()) >= kSlotCount) break;
        int16_t n = marker->markerNumber();
        gun record;
        FieldReader fields(items);
        readFields(fields, record);
        rulerOfRow_[rows_.size()] = record.kunshuID;
        rows_.push_back({record.name, n});
        if (n >= g_.factionCount) break;
    }
}

void ScenarioSetup::ld_Text_rtn() {
    description_ = TemplateBook::load(folder_, kCommandTemplates).single(g_.textNo, g_.textArg1, g_.textArg2);
}

void ScenarioSetup::initBushouFile() {
    folder_.copyFile(folder_.ini(officerBackupName(g_.scenarioNo)), folder_.ini(officerMasterName(g_.scenarioNo)));
}

// A name written bare with a leading "." would take the rest of its record for another record: the
// new game would give that officer a nobody's values, and the first year would find the faction file
// cut short. Such a master is refused before anything is made from it.
void ScenarioSetup::requireReadableMasters() const {
    auto officers = folder_.ini(officerMasterName(g_.scenarioNo));
    auto factions = folder_.ini(factionMasterName(g_.scenarioNo));
    auto dotted = [&](const std::filesystem::path& p, const std::optional<DottedValue>& d) {
        if (d) throw FileError(folder_.display(p), d->inRecord());
    };
    dotted(officers, findDottedOfficerValue(folder_.readText(officers)));
    dotted(factions, findDottedFactionValue(folder_.readText(factions)));
}

void ScenarioSetup::ori_Chr_rtn() {
    requireReadableMasters();
    mk_Name_rtn();
    mk_Abl_rtn();
    mk_Busv_rtn();
    g_.officerCount = kGameOfficerCount;
}

// Family name I(166) + 1 and given name I(150) + 1, drawn in this order for officers 1..170. A list
// holding fewer names than a draw reaches is reused from its start (name k is entry (k - 1) mod its
// length); an empty list adds nothing, and an officer left without any name is "何某".
void ScenarioSetup::mk_Name_rtn() {
    auto family = parseNameList(folder_.readText(folder_.ini(kFamilyNameFile)), kFamilyNamesRead);
    auto given = parseNameList(folder_.readText(folder_.ini(kGivenNameFile)), kGivenNamesRead);
    for (const auto& [file, names] : {std::pair{kFamilyNameFile, &family}, std::pair{kGivenNameFile, &given}})
        if (auto quoted = nameWithQuote(*names)) throw FileError(folder_.display(folder_.ini(file)), *quoted);
    rng_.Randomize();
    for (int i = 1; i <= kGameOfficerCount; ++i) {
        int a = rng_.I(kFamilyNamesUsed) + 1;
        int b = rng_.I(kGivenNamesRead) + 1;
        std::string name = nameAt(family, a) + nameAt(given, b);
        officers_[i].name = name.empty() ? kNobodyName : name;
    }
}

void ScenarioSetup::mk_Abl_rtn() {
    rng_.Randomize();
    for (int i = 1; i <= kGameOfficerCount; ++i) {
        Bushou& b = officers_[i];
        b.id = static_cast<int16_t>(i);
        int t = rng_.I(10) + 1;
        const Pattern& p = *kPatterns[static_cast<size_t>(t - 1)];
        b.Job = numberOf(p.job);
        b.policy = static_cast<int16_t>(roll(rng_, p.policy));
        b.fight = static_cast<int16_t>(roll(rng_, p.fight));
        b.wisdom = static_cast<int16_t>(roll(rng_, p.wisdom));
        b.tactics = static_cast<int16_t>(roll(rng_, p.tactics));
        b.charm = static_cast<int16_t>(roll(rng_, p.charm));
        b.Setu = static_cast<int16_t>(roll(rng_, kRestraint));
        b.kunID = 0;
        b.commentID = kFictionalCommentId;
        b.jpg.clear();
    }
}

// The master's records up to the historical count replace the fictional officers at their numbers;
// numbers the master lacks keep their fictional officer. In the what-if scenarios every officer but
// the rulers serves the ruler of row r - 1 for a draw r = I(40) + 1 up to the number of rows, and
// nobody otherwise. Records 1..170 are then written.
void ScenarioSetup::mk_Busv_rtn() {
    std::string text = folder_.readText(folder_.ini(officerMasterName(g_.scenarioNo)));
    OfficerTable master{};
    parseOfficers(text, g_.officerCount, master);
    for (int n = 1; n <= kMaxOfficer; ++n)
        if (master[n].id == n) officers_[n] = master[n];

    if (scenarioInfo(g_.scenarioNo).whatIf) {
        rng_.Randomize();
        int rowCount = static_cast<int>(rows_.size());
        for (int i = 1; i <= kGameOfficerCount; ++i) {
            Bushou& b = officers_[i];
            if (b.kunID == i) continue;
            int r = rng_.I(40) + 1;
            b.kunID = (r >= 1 && r <= rowCount) ? rulerOfRow_[static_cast<size_t>(r - 1)] : int16_t{0};
        }
    }
    folder_.writeText(folder_.ini(kOfficerFile), formatNewOfficers(officers_));
}

}  // namespace tei
