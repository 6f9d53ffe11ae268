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

}  // namespace

std::optional<int16_t> abilityFromText(std::string_view typed) {
    double v = Nearest(Val(typed));
    if (!(v >= -32768.0 && v <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(v);
}

EditOutcome registerOfficerEdits(GameFolder& folder, int scenarioNo, Bushou& officer, Job job,
                                 const std::array<std::string, kAbilityRows>& boxes) {
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
    try {
        original = readOfficerRecord(folder, backup, officer.id);
    } catch (const FileError& e) {
        return {false, e.message()};
    }
    if (!original || officer.id <= 0) return {false, noRecord(folder, backup, officer.id)};
    int16_t job = officer.Job;
    copyJobAndAbilities(*original, officer);
    if (Job(job) == Job::Ruler || Job(original->Job) == Job::Ruler) officer.Job = job;
    return {true, {}};
}

}  // namespace tei
