#pragma once
// The interim and final reports: every faction's score, then for every player how his score is made
// up and his share of all scores (制覇率). Each report also copies the chronicle to save/tei_end.log.
//
// Score of a live faction = army x (public order + 50) / 150 + Fame x 2, plus for an alliance leader
// its alliance's troops / 100 x the alliance's cohesion. The list shows the unrounded score; the
// player details count troops in whole thousands, so a detail can be lower than the listed score.

#include <cstdint>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/RecordScratch.h"
#include "messages/MessagePages.h"

namespace tei {

inline constexpr const char* kInterimReportTitle = "中間報告（ゲーム終了１０年前）";
inline constexpr const char* kFinalReportTitle = "ゲーム最終結果";
inline constexpr const char* kEndLogName = "tei_end.log";

// One faction's standing in a report: its listed score and the share the player details would give it.
struct Standing {
    int16_t faction = 0;  // 1..factionCount
    std::string name;
    bool fallen = false;
    double score = 0;  // as listed, unrounded; 0 for a fallen faction
    // 制覇率 as the player details reckon it: the score with its troops in whole thousands over the
    // 16-bit total of the listed scores, cut after the third decimal; 0 for a fallen faction or a total
    // of 0.
    double share = 0;
};

class Reports {
public:
    Reports(const GameFolder& folder, GameGlobals& g, RecordScratch& scratch, MessagePages& report)
        : folder_(folder), g_(g), scratch_(scratch), report_(report) {}

    // Appends the report to page 0 (after the title already there) and copies the chronicle to
    // save/tei_end.log. Returns the height value of the report (4800 + 1080 per listed player).
    int Houkoku_rtn();

    // Every faction's standing, 1..factionCount, as the report computes it from the faction file.
    std::vector<Standing> standings() const;
    // The standings of the last report composed (empty before one).
    const std::vector<Standing>& reported() const { return reported_; }

private:
    // A live faction's score in its parts, unrounded: troops x (public order + 50) / 150, Fame x 2,
    // and for an alliance leader its alliance's troops / 100 x the alliance's cohesion.
    struct Score {
        double troops = 0;
        double fame = 0;
        double alliance = 0;
        double allianceShown = 0;  // the alliance's part in whole thousands, as the details show it
        bool leader = false;
        double listed() const { return troops + fame + alliance; }
        // The player details count the two troop figures in whole thousands.
        double detailed() const;
    };
    Score scoreOf(const gun& f, int faction) const;
    // The standings, and the total of the listed scores as the report adds them: rounded to a 16-bit
    // whole number after each addition.
    std::vector<Standing> standings(int16_t& total) const;
    static double share(double detailed, int16_t total);

    const GameFolder& folder_;
    GameGlobals& g_;
    RecordScratch& scratch_;
    MessagePages& report_;
    std::vector<Standing> reported_;
};

}  // namespace tei
