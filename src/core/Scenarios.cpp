#include "core/Scenarios.h"

#include <array>

namespace tei {

namespace {
constexpr std::array<ScenarioInfo, kScenarioCount> kScenarios = {{
    {"シナリオ１・暴君打倒", 13, 155, 189, 216, "1", false},
    {"シナリオ２・群雄割拠", 12, 155, 195, 221, "2", false},
    {"シナリオ３・諸星集夢", 13, 160, 200, 226, "", false},
    {"シナリオ４・暴君打倒（仮想）", 13, 155, 189, 216, "1", true},
    {"シナリオ５・群雄割拠（仮想）", 12, 155, 195, 221, "2", true},
    {"シナリオ６・諸星集夢（仮想）", 13, 160, 200, 226, "", true},
}};
}  // namespace

const ScenarioInfo& scenarioInfo(int scenarioNo) {
    if (scenarioNo < 1 || scenarioNo > kScenarioCount) scenarioNo = 1;
    return kScenarios[scenarioNo - 1];
}

std::string officerMasterName(int scenarioNo) {
    return std::string("bushou") + scenarioInfo(scenarioNo).suffix + ".ini";
}

std::string officerBackupName(int scenarioNo) {
    return std::string("BUSHOU") + scenarioInfo(scenarioNo).suffix + "_BK.ini";
}

std::string factionMasterName(int scenarioNo) {
    return std::string("Gunbatu") + scenarioInfo(scenarioNo).suffix + ".ini";
}

}  // namespace tei
