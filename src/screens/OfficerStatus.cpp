#include "screens/OfficerStatus.h"

#include "core/OfficerRecordFile.h"
#include "core/RecordScratch.h"

namespace tei {

OfficerStatus loadOfficerStatus(GameFolder& folder, const GameGlobals& g, int officerNo) {
    OfficerStatus s;
    s.officer = RecordScratch(folder, g.officerCount, g.factionCount).ld_Chr_rtn(officerNo);
    s.found = officerNo > 0 && s.officer.id == officerNo;
    s.job = jobLabel(Job(s.officer.Job));
    s.rows = abilityLines(s.officer, Job(s.officer.Job));
    if (s.found) s.comment = ld_Comment_rtn(folder, s.officer.commentID);
    return s;
}

}  // namespace tei
