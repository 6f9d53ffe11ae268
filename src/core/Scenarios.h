#pragma once
// The six scenarios. Scenarios 4 to 6 are the what-if editions of 1 to 3: the same master files,
// with the allegiance of every officer but the rulers dealt anew when a game starts.

#include <string>

namespace tei {

inline constexpr int kScenarioCount = 6;
inline constexpr int kGameOfficerCount = 170;  // historical plus fictional officers of a running game

struct ScenarioInfo {
    const char* title;       // as the scenario list shows it
    int factionCount;        // 12 or 13
    int historicalOfficers;  // 155 or 160
    int firstYear;
    int lastYear;        // the final report is shown at the start of this year
    const char* suffix;  // completes the master file names: bushou<suffix>.ini
    bool whatIf;         // allegiances dealt anew
};

// Scenario 1..6; any other number is treated as scenario 1.
const ScenarioInfo& scenarioInfo(int scenarioNo);

// Master file names of a scenario (names inside ini/).
std::string officerMasterName(int scenarioNo);  // bushou1.ini, bushou2.ini, bushou.ini
std::string officerBackupName(int scenarioNo);  // BUSHOU1_BK.ini, ...
std::string factionMasterName(int scenarioNo);  // Gunbatu1.ini, ...

}  // namespace tei
