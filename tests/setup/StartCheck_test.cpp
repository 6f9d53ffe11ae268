#include "setup/StartCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

TEST(StartCheck, TheShippedDataCanBePlayedAndEveryMissingFileIsNamedInItsOrder) {
    test::TempGameFolder tmp;
    tmp.copyShippedData();
    EXPECT_EQ(startProblem(tmp.folder()), std::nullopt);
    std::filesystem::remove(tmp.root() / "ini" / "Text.ini");
    std::filesystem::remove(tmp.root() / "ini" / "BUSHOU2_BK.ini");
    EXPECT_EQ(startProblem(tmp.folder()),
              "次のデータファイルが見つかりません：\r\n　ini/BUSHOU2_BK.ini\r\n　ini/Text.ini");
}

TEST(StartCheck, AFolderWithoutIniIsNamed) {
    test::TempGameFolder tmp;
    std::filesystem::remove_all(tmp.root() / "ini");
    EXPECT_EQ(startProblem(tmp.folder()),
              "ゲームのデータフォルダ ini が見つかりません（" + tmp.root().string() + "）。");
}

}  // namespace
}  // namespace tei
