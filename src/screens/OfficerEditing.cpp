#include "screens/OfficerEditing.h"

#include <cmath>

#include "core/Numbers.h"
#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "core/Scenarios.h"

namespace tei {

namespace {

std::string noRecord(const GameFolder& folder, const std::filesystem::path& file, int id) {
    return "ファイル「" + folder.display(file) + "」に武将" + Str(id) + " の記録がありません。";
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

void copyJobAndAbilities(const Bushou& from, Bushou& to) {
    to.Job = from.Job;
    for (Ability a : {Ability::Politics, Ability::Valor, Ability::Intellect, Ability::Leadership, Ability::Capacity,
                      Ability::Restraint})
        abilityOf(to, a) = abilityOf(from, a);
}

// The typed text with full-width digits, signs, point and blanks made half width.
std::string halfWidthNumber(std::string_view typed) {
    std::string out;
    for (size_t i = 0; i < typed.size();) {
        std::string_view rest = typed.substr(i);
        // Full-width forms, as a Japanese input method types them: ０..９ (U+FF10..FF19), ＋ and －
        // (U+FF0B, U+FF0D), ． (U+FF0E), the minus sign − (U+2212) and the ideographic space.
        if (rest.size() >= 3 && rest.substr(0, 2) == "\xEF\xBC") {
            auto c = static_cast<unsigned char>(rest[2]);
            if (c >= 0x90 && c <= 0x99) {
                out += static_cast<char>('0' + (c - 0x90));
                i += 3;
                continue;
            }
            if (c == 0x8B || c == 0x8D || c == 0x8E) {
                out += c == 0x8B ? '+' : c == 0x8D ? '-' : '.';
                i += 3;
                continue;
            }
        }
        if (rest.starts_with("\xE2\x88\x92")) {
            out += '-';
            i += 3;
            continue;
        }
        if (rest.starts_with("\xE3\x80\x80")) {
            out += ' ';
            i += 3;
            continue;
        }
        out += typed[i++];
    }
    return out;
}

}  // namespace

std::optional<int16_t> abilityFromText(std::string_view typed) {
    std::string text = trimmed(halfWidthNumber(typed));
    // A sign, digits, and a fraction after a point, with nothing else: anything more is a typo, not
    // a number to be read from its leading digits.
    size_t i = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
    size_t digits = 0;
    auto digitsFrom = [&](size_t& k) {
        while (k < text.size() && text[k] >= '0' && text[k] <= '9') ++k, ++digits;
    };
    digitsFrom(i);
    if (i < text.size() && text[i] == '.') digitsFrom(++i);
    if (digits == 0 || i != text.size()) return std::nullopt;
    double v = Nearest(Val(text));
    if (!(v >= -32768.0 && v <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(v);
}

bool rulesAFaction(const GameFolder& folder, int factionCount, int id) {
    if (id <= 0) return false;
    for (const auto& r : *readFactionFile(folder, folder.ini(kFactionFile))) {
        if (r.number > 0 && r.number <= factionCount && r.fields > 2 && r.faction.kunshuID == id) return true;
        if (r.number >= factionCount) break;
    }
    return false;
}

EditOutcome registerOfficerEdits(const GameFolder& folder, int scenarioNo, Bushou& officer, Job job,
                                 const std::array<std::string, kAbilityRows>& boxes) {
    // Whether he rules a faction matters only when the job changes to or from 君主.
    if ((job == Job::Ruler) != (Job(officer.Job) == Job::Ruler)) {
        try {
            bool ruler = rulesAFaction(folder, scenarioInfo(scenarioNo).factionCount, officer.id);
            if (job == Job::Ruler && !ruler) return {false, kOnlyRulersRule};
            if (job != Job::Ruler && ruler) return {false, kRulerKeepsHisJob};
        } catch (const FileError& e) {
            return {false, e.message()};
        }
    }
    Bushou edited = officer;
    edited.Job = numberOf(job);
    auto rows = abilityRows(job);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r]) continue;
        auto value = abilityFromText(boxes[r]);
        if (!value)
            return {false, std::string("「") + abilityLabel(*rows[r]) + "」の値「" + trimmed(boxes[r]) +
                               "」は登録できません。-32768 から 32767 までの数を入力してください。"};
        abilityOf(edited, *rows[r]) = *value;
    }

    auto working = folder.ini(kOfficerFile);
    auto master = folder.ini(officerMasterName(scenarioNo));
    try {
        // Everything is read and checked before the first write.
        if (!parseOfficerRecord(folder.readText(working), edited.id))
            return {false, noRecord(folder, working, edited.id)};
        auto masterRecord = parseOfficerRecord(folder.readText(master), edited.id);

        // The game's file and the master change together, so the two never disagree.
        GameFolder::DeferredWrites step(folder);
        writeOfficerRecord(folder, working, edited);
        // Fictional officers have no record in the master; only the game's file holds them.
        if (masterRecord) {
            copyJobAndAbilities(edited, *masterRecord);
            writeOfficerRecord(folder, master, *masterRecord);
        }
        step.commit();
    } catch (const FileError& e) {
        return {false, e.message()};
    }
    officer = edited;
    return {true, kRegistered};
}

EditOutcome restoreOfficerFromBackup(const GameFolder& folder, int scenarioNo, Bushou& officer) {
    auto backup = folder.ini(officerBackupName(scenarioNo));
    std::optional<Bushou> original;
    bool ruler = false;
    try {
        original = readOfficerRecord(folder, backup, officer.id);
        if (original && officer.id > 0 && original->Job != officer.Job)
            ruler = rulesAFaction(folder, scenarioInfo(scenarioNo).factionCount, officer.id);
    } catch (const FileError& e) {
        return {false, e.message()};
    }
    if (!original || officer.id <= 0) return {false, noRecord(folder, backup, officer.id)};
    int16_t job = officer.Job;
    copyJobAndAbilities(*original, officer);
    if (ruler) officer.Job = job;
    return {true, {}};
}

}  // namespace tei
