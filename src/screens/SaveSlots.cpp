#include "screens/SaveSlots.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/Numbers.h"
#include "core/RecordFiles.h"
#include "core/TextLines.h"
#include "messages/Chronicle.h"

namespace tei {

namespace {

constexpr int kSaveInfoLines = 2 + 3 * kSavedSlotCount;

struct SlotFile {
    const char* working;  // name inside ini/
    const char* stem;     // slot file: stem + N + extension inside save/
    const char* extension;
};

// The four working files a slot copies, in the order they are copied.
constexpr std::array<SlotFile, 4> kSlotFiles = {{
    {kOfficerFile, "busv", ".ini"},
    {kFactionFile, "gunsv", ".ini"},
    {kCommentFile, "Cmtsv", ".ini"},
    {kChronicleFile, "teilog", ".log"},
}};

// The comma-separated values of a line; false when it holds fewer than 'count'.
bool numbers(std::string_view line, int16_t* out, size_t count) {
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        if (start > line.size()) return false;
        size_t comma = line.find(',', start);
        size_t length = comma == std::string_view::npos ? std::string_view::npos : comma - start;
        std::string_view item = line.substr(start, length);
        if (item.find_first_not_of(" \t") == std::string_view::npos) return false;
        out[i] = Val16(item);
        start = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
    }
    return true;
}

// The bytes of a slot file that must be text (a BOM allowed); throws FileError.
std::string readTextBytes(const GameFolder& folder, const std::filesystem::path& p) {
    std::string bytes = folder.readBytes(p);
    std::string_view body(bytes);
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    if (!isUtf8Text(body)) throw FileError(FileError::Kind::NotText, folder.display(p));
    return bytes;
}

std::string summaryOf(const SaveInfo& info) {
    std::string name;
    for (int t = 0; t < kSavedSlotCount - 1; ++t) {
        const std::string& n = info.players[static_cast<size_t>(t)].name;
        if (!n.empty() && n != "0") {
            name = n;
            break;
        }
    }
    return "シナリオ" + Str(info.header[4]) + name + Str(info.header[0]) + "年";
}

// The slot number of a save-information file's name ("save07.ini" -> "07"); nothing for another file
// or a number that cannot be typed.
std::optional<std::string> slotOfInfoFile(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    std::string_view n(lower);
    if (!n.starts_with("save") || !n.ends_with(".ini")) return std::nullopt;
    std::string_view digits = n.substr(4, n.size() - 8);
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return std::string(digits);
}

// Slot numbers by value, then the shorter first: "", "0", "00", "1", "7", "07", "10".
bool slotBefore(const std::string& a, const std::string& b) {
    auto value = [](const std::string& s) {
        return std::string_view(s).substr(std::min(s.find_first_not_of('0'), s.size()));
    };
    std::string_view va = value(a), vb = value(b);
    if (va.size() != vb.size()) return va.size() < vb.size();
    if (va != vb) return va < vb;
    return a.size() < b.size();
}

}  // namespace

std::string slotTime(std::time_t t) {
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    char text[32];
    size_t n = std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return std::string(text, n);
}

void fillSaveHeader(GameGlobals& g, int16_t year) {
    g.saveHeader[0] = year;
    for (int k = 1; k <= 3; ++k) g.saveHeader[k] = g.allianceCohesion[k];
    g.saveHeader[4] = g.scenarioNo;
}

std::string formatSaveInfo(const GameGlobals& g) {
    auto n = [](int16_t v) { return std::to_string(v); };
    std::string out = std::string(kSaveInfoLabel) + kCrLf;
    out += n(g.saveHeader[0]) + "," + n(g.saveHeader[1]) + "," + n(g.saveHeader[2]) + "," + n(g.saveHeader[3]) + "," +
           n(g.saveHeader[4]) + ",0" + kCrLf;
    for (int t = 0; t < kSavedSlotCount; ++t) {
        out += g.slotName[t] + kCrLf;
        out += n(g.slotRuler[t]) + kCrLf;
        out += n(g.slotFaction[t]) + "," + n(g.slotLeader[t]) + kCrLf;
    }
    return out;
}

std::optional<SaveInfo> parseSaveInfo(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    auto lines = splitLines(text);
    if (lines.size() < static_cast<size_t>(kSaveInfoLines)) return std::nullopt;
    SaveInfo info;
    if (!numbers(lines[1], info.header.data(), info.header.size())) return std::nullopt;
    for (size_t t = 0; t < kSavedSlotCount; ++t) {
        SaveInfo::Slot& slot = info.players[t];
        std::string_view name = lines[2 + 3 * t];
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
        slot.name = std::string(name);
        int16_t pair[2];
        if (!numbers(lines[3 + 3 * t], &slot.ruler, 1) || !numbers(lines[4 + 3 * t], pair, 2)) return std::nullopt;
        slot.faction = pair[0];
        slot.leader = pair[1];
    }
    return info;
}

std::optional<std::string> SlotNumber::type(int digit, size_t longest) {
    if (digit < 0 || digit > 9) return std::nullopt;
    if (digits_.size() >= longest) return "セーブ番号は" + std::to_string(longest) + "桁までです。";
    digits_ += static_cast<char>('0' + digit);
    return std::nullopt;
}

size_t SaveSlots::longestSlotNumber() const {
    size_t frame = 0;  // the longest name around the number
    for (const SlotFile& f : kSlotFiles) frame = std::max(frame, slotFileName(f.stem, "", f.extension).size());
    frame = std::max(frame, slotFileName("save", "", ".ini").size());
    size_t longest = folder_.longestName("save");
    return longest > frame ? longest - frame : 0;
}

std::optional<std::string> SaveSlots::slotProblem(std::string_view slot) const {
    for (char c : slot)
        if (c < '0' || c > '9') return "セーブ番号「" + std::string(slot) + "」には数字だけを使ってください。";
    if (size_t longest = longestSlotNumber(); slot.size() > longest)
        return "セーブ番号「" + std::string(slot) + "」は長すぎます（" + std::to_string(longest) + "桁まで）。";
    return std::nullopt;
}

std::string SaveSlots::saveQuestion(std::string_view slot) { return "save" + std::string(slot) + kSaveQuestionTail; }

std::string SaveSlots::loadQuestion(std::string_view summary) {
    return std::string(summary) + kCrLf + kLoadQuestionTail;
}

std::string SaveSlots::slotFileName(const char* stem, std::string_view slot, const char* extension) {
    return std::string(stem) + std::string(slot) + extension;
}

std::vector<std::string> SaveSlots::slotFileNames(std::string_view slot) {
    std::vector<std::string> names;
    for (const SlotFile& f : kSlotFiles) names.push_back(slotFileName(f.stem, slot, f.extension));
    names.push_back(slotFileName("save", slot, ".ini"));
    return names;
}

std::optional<std::string> SaveSlots::overwriteQuestion(std::string_view slot) const {
    if (slotProblem(slot)) return std::nullopt;
    bool held = folder_.exists(folder_.save(slotFileName("save", slot, ".ini")));
    for (const SlotFile& f : kSlotFiles)
        held = held || folder_.exists(folder_.save(slotFileName(f.stem, slot, f.extension)));
    if (!held) return std::nullopt;
    std::string label = "save" + std::string(slot);
    SlotResult summary = Rinload_rtn(slot);
    if (!summary.ok) return label + " には既にデータがあります。上書きしますか？";
    return label + " には " + summary.text + " " + kOverwriteTail;
}

std::vector<SlotEntry> SaveSlots::list() const {
    std::vector<SlotEntry> entries;
    for (const std::string& name : folder_.files("save")) {
        std::optional<std::string> slot = slotOfInfoFile(name);
        if (!slot) continue;
        // Two names differing only in case are one slot to the game.
        if (std::any_of(entries.begin(), entries.end(), [&](const SlotEntry& e) { return e.slot == *slot; })) continue;
        SlotEntry e;
        e.slot = *slot;
        e.label = "save" + *slot;
        SlotResult summary = Rinload_rtn(*slot);
        e.readable = summary.ok;
        e.summary = summary.ok ? summary.text : kUnreadableSlot;
        if (auto t = folder_.modifiedAt(folder_.save(slotFileName("save", *slot, ".ini")))) e.when = slotTime(*t);
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(),
              [](const SlotEntry& a, const SlotEntry& b) { return slotBefore(a.slot, b.slot); });
    return entries;
}

SlotResult SaveSlots::save_rtn(std::string_view slot) {
    if (auto problem = slotProblem(slot)) return {false, *problem};
    try {
        std::vector<std::pair<std::filesystem::path, std::string>> files;
        for (const SlotFile& f : kSlotFiles)
            files.emplace_back(folder_.save(slotFileName(f.stem, slot, f.extension)),
                               folder_.readBytes(folder_.ini(f.working)));
        files.emplace_back(folder_.save(slotFileName("save", slot, ".ini")), formatSaveInfo(g_));
        folder_.writeTogether(files, true);
    } catch (const FileError& e) {
        return {false, std::string(kSaveFailed) + kCrLf + e.message()};
    }
    g_.dialogResult = 1;
    return {true, {}};
}

SlotResult SaveSlots::Rinload_rtn(std::string_view slot) const {
    if (auto problem = slotProblem(slot); problem && slot != kAutoSlot) return {false, *problem};
    try {
        auto info = parseSaveInfo(folder_.readText(folder_.save(slotFileName("save", slot, ".ini"))));
        if (info) return {true, summaryOf(*info)};
    } catch (const FileError&) {
    }
    return {false, kSlotNotFound};
}

SlotResult SaveSlots::load_rtn(std::string_view slot) {
    if (auto problem = slotProblem(slot); problem && slot != kAutoSlot) return {false, *problem};
    auto notFound = [](const std::string& detail) {
        return SlotResult{false, kSlotNotFound + std::string(kCrLf) + detail};
    };
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    std::optional<SaveInfo> info;
    try {
        for (const SlotFile& f : kSlotFiles)
            files.emplace_back(folder_.ini(f.working),
                               readTextBytes(folder_, folder_.save(slotFileName(f.stem, slot, f.extension))));
        auto infoPath = folder_.save(slotFileName("save", slot, ".ini"));
        info = parseSaveInfo(folder_.readText(infoPath));
        if (!info) return notFound("ファイル「" + folder_.display(infoPath) + "」の内容が途中で切れています。");
        folder_.writeTogether(files);
    } catch (const FileError& e) {
        return notFound(e.message());
    }
    for (size_t k = 0; k < 5; ++k) g_.saveHeader[k] = info->header[k];
    for (size_t t = 0; t < kSavedSlotCount; ++t) {
        const SaveInfo::Slot& s = info->players[t];
        g_.slotName[t] = s.name;
        g_.slotRuler[t] = s.ruler;
        g_.slotFaction[t] = s.faction;
        g_.slotLeader[t] = s.leader;
    }
    g_.dialogResult = 1;
    return {true, {}};
}

}  // namespace tei
