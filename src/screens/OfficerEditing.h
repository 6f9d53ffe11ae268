#pragma once
// The officer editor's file work: registering an officer's job and abilities in the running game's
// officer file and in the scenario's officer master, and taking them back from the scenario's
// untouched backup master.
//
// Only the job and the six abilities are the editor's to change. The master keeps everything else of
// its own record (the lord and the comment number belong to the scenario, not to the running game),
// and a restore takes only the job and the abilities from the backup, so an edit never moves an
// officer to another lord.
//
// A ruler is the officer a faction of the faction file names as its ruler (kunshuID), whatever his
// job number says. A ruler's job cannot be edited and a restore leaves it; nobody else can be made
// 君主 (one who holds job 5 already may keep it), and a restore gives anyone else the backup's job.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameFolder.h"
#include "core/Records.h"
#include "screens/EditOutcome.h"
#include "screens/KeyAbilities.h"

namespace tei {

inline constexpr const char* kRegisterQuestion = "編集した内容を登録しますか？";
inline constexpr const char* kRegistered = "登録しました。";

// The number typed into an ability box, rounded half to even: a whole text of an optional sign,
// digits and a fraction, blanks around it allowed, full-width forms read as their half-width twins.
// Nothing for any other text ("abc", "12abc", an empty box) and for a value outside -32768..32767.
std::optional<int16_t> abilityFromText(std::string_view typed);

inline constexpr const char* kOnlyRulersRule = "君主にできるのは軍閥の君主だけです。";
inline constexpr const char* kRulerKeepsHisJob = "軍閥の君主の職業は変えられません。";

// True when officer 'id' is the ruler of one of factions 1..factionCount of ini/gunsv.ini (a fallen
// faction's included). Throws FileError.
bool rulesAFaction(const GameFolder& folder, int factionCount, int id);

// Register: 'officer' with job 'job' and the six ability boxes as typed (rows as abilityRows(job)
// gives them; boxes of rows the job does not show are not read). Writes ini/busv.ini, then the
// scenario's officer master; on success 'officer' holds the new values. A value that is no number or
// is out of range, job 5 for one who rules nothing, another job for a ruler, a missing file or
// record, or a file that cannot be written leaves every file and 'officer' as they were and says why.
EditOutcome registerOfficerEdits(const GameFolder& folder, int scenarioNo, Bushou& officer, Job job,
                                 const std::array<std::string, kAbilityRows>& boxes);

// Restore: the six abilities of the officer's record in the scenario's backup master, and its job
// unless he is a ruler, into 'officer' only. Nothing is written.
EditOutcome restoreOfficerFromBackup(const GameFolder& folder, int scenarioNo, Bushou& officer);

}  // namespace tei
