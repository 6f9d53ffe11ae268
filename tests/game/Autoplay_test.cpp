#include "game/Autoplay.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

std::optional<AutoplayOptions> parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = parseAutoplayOptions(args, e);
    if (error) *error = e;
    return o;
}

TEST(parseAutoplayOptions, ReadsEveryOptionAndRefusesBadOnes) {
    auto o = parse({"--scenario", "5", "--players", "1,3", "--years", "4", "--seed", "99", "--quiet"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->scenario, 5);
    EXPECT_EQ(o->players, (std::vector<int>{1, 3}));
    EXPECT_EQ(o->years, 4);
    EXPECT_EQ(o->seed, 99u);
    EXPECT_TRUE(o->quiet);
    std::string error;
    EXPECT_FALSE(parse({"--scenario", "7"}, &error));
    EXPECT_EQ(error, "シナリオ番号は 1 から 6 です: 7 / the scenario is 1 to 6: 7");
    EXPECT_FALSE(parse({"--players", "1,x"}, &error));
    EXPECT_FALSE(parse({"--years", "0"}));
    EXPECT_FALSE(parse({"--seed"}));
    EXPECT_FALSE(parse({"--fast"}, &error));
    EXPECT_EQ(error, "不明なオプションです: --fast / unknown option: --fast");
}

TEST(runCheck, ShippedDataPassesAndABrokenCopyDoesNot) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    std::ostringstream out;
    EXPECT_EQ(runCheck(tmp.root() / "ini", out), 0) << out.str();
    tmp.writeIni("Gunbatu.ini", "");
    std::ostringstream broken;
    EXPECT_EQ(runCheck(tmp.root() / "ini", broken), 1);
    EXPECT_NE(broken.str().find("Gunbatu.ini"), std::string::npos);
}

}  // namespace
}  // namespace tei
