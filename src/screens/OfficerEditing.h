#pragma once
// The officer editor's file work: registering an officer's job and abilities in the running game's
// officer file and in the scenario's officer master, and taking them back from the scenario's
// untouched backup master.
//
// Only the job and the six abilities are the editor's to change. The master keeps everything else of
// its own record (the lord and the comment number belong to the scenario, not to the running game),
// and a restore takes only the job and the abilities from the backup, so an edit never moves an
// officer to another lord. A ruler stays a ruler: his job cannot be edited, and a restore neither
// takes the job from a ruler nor makes anyone a ruler.

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

// The number typed into an ability box: the value of its leading number ("12abc" is 12, "abc" is 0),
// rounded half to even. Nothing when the value lies outside -32768..32767.
std::optional<int16_t> abilityFromText(std::string_view typed);

// Register: 'officer' with job 'job' and the six ability boxes as typed (rows as abilityRows(job)
// gives them; boxes of rows the job does not show are not read). Writes ini/busv.ini, then the
// scenario's officer master; on success 'officer' holds the new values. A value out of range, a
// missing file or record, or a file that cannot be written leaves every file and 'officer' as they
// were and says why.
EditOutcome registerOfficerEdits(GameFolder& folder, int scenarioNo, Bushou& officer, Job job,
                                 const std::array<std::string, kAbilityRows>& boxes);

// Restore: the job and the six abilities of the officer's record in the scenario's backup master,
// into 'officer' only. Nothing is written.
EditOutcome restoreOfficerFromBackup(const GameFolder& folder, int scenarioNo, Bushou& officer);

}  // namespace tei
