#pragma once
// The interim and final reports: every faction's score, then for every player how his score is made
// up and his share of all scores (制覇率). Each report also copies the chronicle to save/tei_end.log.
//
// Score of a live faction = army x (public order + 50) / 150 + Fame x 2, plus for an alliance leader
// its alliance's troops / 100 x the alliance's cohesion. The list shows the unrounded score; the
// player details count troops in whole thousands, so a detail can be lower than the listed score.

#include <cstdint>
#include <string>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/RecordScratch.h"
#include "messages/MessagePages.h"

namespace tei {

inline constexpr const char* kInterimReportTitle = "中間報告（ゲーム終了１０年前）";
inline constexpr const char* kFinalReportTitle = "ゲーム最終結果";
inline constexpr const char* kEndLogName = "tei_end.log";

class Reports {
public:
    Reports(GameFolder& folder, GameGlobals& g, RecordScratch& scratch, MessagePages& report)
        : folder_(folder), g_(g), scratch_(scratch), report_(report) {}

    // Appends the report to page 0 (after the title already there) and copies the chronicle to
    // save/tei_end.log. Returns the height value of the report (4800 + 1080 per listed player).
    int Houkoku_rtn();

    // A faction's score as the list shows it, unrounded.
    double score(const gun& f) const;

private:
    GameFolder& folder_;
    GameGlobals& g_;
    RecordScratch& scratch_;
    MessagePages& report_;
};

}  // namespace tei
