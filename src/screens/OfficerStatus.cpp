#include "screens/OfficerStatus.h"

#include "core/OfficerRecordFile.h"
#include "core/RecordScratch.h"

namespace tei {

OfficerStatus loadOfficerStatus(const GameFolder& folder, const GameGlobals& g, int officerNo) {
    RecordScratch scratch(folder, g.officerCount, g.factionCount);
    scratch.recordNo = static_cast<int16_t>(officerNo);
    scratch.ld_Chr_rtn();

    OfficerStatus s;
    s.officer = scratch.officer;
    s.found = officerNo > 0 && s.officer.id == officerNo;
    s.job = jobLabel(Job(s.officer.Job));
    s.rows = abilityLines(s.officer, Job(s.officer.Job));
    if (s.found) s.comment = ld_Comment_rtn(folder, s.officer.commentID);
    return s;
}

}  // namespace tei
