#pragma once
// What the officer status screen shows for one officer: his record as the officer file holds it, his
// job, the six ability rows of his job and his comment. Read anew each time the screen draws, so it
// shows what the editors last wrote.

#include <array>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Records.h"
#include "screens/KeyAbilities.h"

namespace tei {

inline constexpr const char* kStatusHeading = "武将の説明";

struct OfficerStatus {
    Bushou officer;      // the record read; the nobody "何某" when the file has none
    bool found = false;  // the officer file holds the record, so the editors may change it
    std::string job;     // the job's label
    std::array<AbilityLine, kAbilityRows> rows;
    std::string comment;  // each line indented by two blanks and ended by CR LF
};

// Reads officer 'officerNo' from ini/busv.ini (records above officerCount are not looked at) and his
// comment from ini/Cmtsv.ini. Throws FileError.
OfficerStatus loadOfficerStatus(GameFolder& folder, const GameGlobals& g, int officerNo);

}  // namespace tei
