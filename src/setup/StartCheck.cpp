#include "setup/StartCheck.h"

#include "core/RecordFiles.h"
#include "core/Scenarios.h"
#include "messages/TemplateBook.h"
#include "setup/ScenarioSetup.h"

namespace tei {

std::vector<std::string> requiredGameFiles() {
    std::vector<std::string> names;
    // Scenarios 4 to 6 share the files of 1 to 3.
    for (int s = 1; s <= 3; ++s) {
        names.push_back(officerMasterName(s));
        names.push_back(officerBackupName(s));
        names.push_back(factionMasterName(s));
    }
    for (const char* n : {kCommentMaster, kFamilyNameFile, kGivenNameFile, kTextTemplates, kCommandTemplates})
        names.emplace_back(n);
    return names;
}

std::optional<std::string> startProblem(const GameFolder& folder) {
    if (!folder.hasFolder("ini"))
        return "ゲームのデータフォルダ ini が見つかりません（" + folder.root().string() + "）。";
    std::string missing;
    for (const auto& name : requiredGameFiles()) {
        std::filesystem::path p = folder.ini(name);
        if (!folder.exists(p)) missing += std::string(kCrLf) + "　" + folder.display(p);
    }
    if (missing.empty()) return std::nullopt;
    return "次のデータファイルが見つかりません：" + missing;
}

}  // namespace tei
