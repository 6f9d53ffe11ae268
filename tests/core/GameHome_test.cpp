#include "core/GameHome.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <pwd.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/Immutable.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

const fs::path kShipped = fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini";

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write(const fs::path& p, std::string_view content) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A scratch area: 'cwd' without ini/, the player's data folder 'data', and the installed data.
struct Scratch {
    TempGameFolder tmp;
    fs::path cwd = tmp.root() / "empty";
    fs::path data = tmp.root() / "data";
    fs::path home = data / "teijiroku";
    Scratch() { fs::create_directories(cwd); }
    GameHomeSetting setting(fs::path shipped = kShipped) const { return {cwd, data, std::move(shipped)}; }
};

TEST(GameHome, PlaysInTheCurrentDirectoryWhenItHoldsIniAndTouchesNothingElse) {
    Scratch s;
    s.cwd = s.tmp.root();  // holds ini/, even an empty one
    GameHome home = locateGameHome(s.setting());
    EXPECT_TRUE(home.ready());
    EXPECT_TRUE(home.isCurrentDir);
    EXPECT_EQ(home.root, s.tmp.root());
    EXPECT_TRUE(home.seeded.empty());
    EXPECT_FALSE(fs::exists(s.data));
    EXPECT_TRUE(fs::is_empty(s.tmp.root() / "ini"));
}

TEST(GameHome, MakesAndSeedsThePlayersFolderOnceFromTheInstalledData) {
    Scratch s;
    GameHome home = locateGameHome(s.setting());
    ASSERT_TRUE(home.ready()) << home.problem;
    EXPECT_FALSE(home.isCurrentDir);
    EXPECT_EQ(home.root, s.home);
    EXPECT_TRUE(fs::is_directory(s.home / "save"));
    // Every shipped file, byte for byte, and no temporary left beside them.
    std::vector<std::string> shipped = namesIn(kShipped);
    EXPECT_EQ(home.seeded, shipped);
    EXPECT_EQ(namesIn(s.home / "ini"), shipped);
    for (const auto& name : shipped) EXPECT_EQ(bytesOf(s.home / "ini" / name), bytesOf(kShipped / name)) << name;
    EXPECT_TRUE(fs::is_empty(s.cwd));

    // The next start finds everything there and copies nothing.
    GameHome again = locateGameHome(s.setting());
    EXPECT_TRUE(again.ready());
    EXPECT_TRUE(again.seeded.empty());
}

// Started inside the player's folder, the game tops it up with what it lacks and keeps the player's
// files, whatever the case of their names: no second officer master under the shipped spelling.
TEST(GameHome, TopsUpThePlayersFolderAlsoWhenStartedInsideItAndKeepsThePlayersFiles) {
    Scratch s;
    write(s.home / "ini" / "BUSHOU1.INI", "edited officers");
    write(s.home / "ini" / "Comment.ini", "own comments");
    write(s.home / "ini" / "busv.ini", "a running game");
    s.cwd = s.home;
    GameHome home = locateGameHome(s.setting());
    ASSERT_TRUE(home.ready()) << home.problem;
    EXPECT_TRUE(home.isCurrentDir);
    EXPECT_EQ(home.root, s.home);
    EXPECT_EQ(home.seeded.size(), namesIn(kShipped).size() - 2);
    EXPECT_EQ(namesIn(s.home / "ini").size(), namesIn(kShipped).size() + 1);
    EXPECT_EQ(bytesOf(s.home / "ini" / "BUSHOU1.INI"), "edited officers");
    EXPECT_EQ(bytesOf(s.home / "ini" / "Comment.ini"), "own comments");
    EXPECT_EQ(bytesOf(s.home / "ini" / "busv.ini"), "a running game");
    EXPECT_EQ(bytesOf(s.home / "ini" / "Command.ini"), bytesOf(kShipped / "Command.ini"));
}

TEST(GameHome, AFolderThatCannotBeMadeOrFilledIsNamed) {
    {
        SCOPED_TRACE("no data folder known");
        Scratch s;
        GameHome home = locateGameHome({s.cwd, {}, kShipped});
        EXPECT_FALSE(home.ready());
        EXPECT_NE(home.problem.find("XDG_DATA_HOME"), std::string::npos) << home.problem;
    }
    {
        SCOPED_TRACE("a file stands where the game folder should be");
        Scratch s;
        write(s.home, "not a folder");
        GameHome home = locateGameHome(s.setting());
        EXPECT_EQ(home.problem, "ゲームフォルダ「" + s.home.string() + "」を作れません。");
        EXPECT_EQ(bytesOf(s.home), "not a folder");
    }
    {
        SCOPED_TRACE("no installed data for a new folder");
        Scratch s;
        GameHome home = locateGameHome(s.setting(s.tmp.root() / "share" / "ini"));
        EXPECT_EQ(home.problem,
                  "ゲームのデータ「" + (s.tmp.root() / "share" / "ini").string() + "」が見つかりません。");
        GameHome unknown = locateGameHome(s.setting(fs::path()));
        EXPECT_EQ(unknown.problem, "インストールされたゲームのデータが見つかりません。");
    }
    {
        SCOPED_TRACE("no installed data for a folder seeded before");
        Scratch s;
        ASSERT_TRUE(locateGameHome(s.setting()).ready());
        GameHome home = locateGameHome(s.setting(s.tmp.root() / "moved"));
        EXPECT_TRUE(home.ready()) << home.problem;
        EXPECT_EQ(home.root, s.home);
    }
}

TEST(GameHome, AFileThatCannotBeCopiedInIsNamedAndLeavesNoPart) {
    Scratch s;
    fs::create_directories(s.home / "ini");
    fs::create_directories(s.home / "save");
    write(s.home / "ini" / "BUSHOU1_BK.ini", "mine");
    if (!test::setImmutable(s.home / "ini", true)) GTEST_SKIP() << "the file system has no immutable flag";
    GameHome home = locateGameHome(s.setting());
    test::setImmutable(s.home / "ini", false);
    // Files are copied in name order; the first shipped name the player lacks is BUSHOU2_BK.ini.
    EXPECT_EQ(home.problem,
              "ゲームフォルダにファイル「" + (s.home / "ini" / "BUSHOU2_BK.ini").string() + "」を作れません。");
    EXPECT_EQ(namesIn(s.home / "ini"), std::vector<std::string>{"BUSHOU1_BK.ini"});
}

// An installed file the game may not read is named, and nothing stands in for it.
TEST(GameHome, AnInstalledFileThatCannotBeReadIsNamed) {
    Scratch s;
    const fs::path shipped = s.tmp.root() / "share";
    write(shipped / "a.ini", "x");
    fs::permissions(shipped / "a.ini", fs::perms::none);
    fs::create_directories(s.home / "ini");
    fs::create_directories(s.home / "save");
    // Root reads any file through two capabilities: this thread puts them aside for the call, keeping
    // its user, so the folders it made stay its own wherever the temporary folder lies.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{}, held[2]{};
    ASSERT_EQ(::syscall(SYS_capget, &header, held), 0);
    std::copy(std::begin(held), std::end(held), std::begin(caps));
    caps[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    ASSERT_EQ(::syscall(SYS_capset, &header, caps), 0);
    const bool readable = std::ifstream(shipped / "a.ini").is_open();
    GameHome home = locateGameHome(s.setting(shipped));
    ASSERT_EQ(::syscall(SYS_capset, &header, held), 0);
    if (readable) GTEST_SKIP() << "an unreadable file cannot be made here";
    EXPECT_EQ(home.problem, "ゲームのデータ「" + (shipped / "a.ini").string() + "」を読めません。");
    EXPECT_TRUE(fs::is_empty(s.home / "ini"));
}

// A file that opens but fails to read (here a folder, which opens and then refuses to be read, as a
// failing disk would) is named, and nothing is left where the copy would go.
TEST(GameHome, AFileThatOpensButCannotBeReadIsNamed) {
    Scratch s;
    fs::create_directories(s.home / "ini");
    EXPECT_EQ(seedFile(s.cwd, s.home / "ini" / "a.ini"), "ゲームのデータ「" + s.cwd.string() + "」を読めません。");
    EXPECT_TRUE(fs::is_empty(s.home / "ini"));
}

TEST(GameHome, ThePlayersDataFolderFollowsTheBaseDirectoryRules) {
    EXPECT_EQ(playerDataHome("/x/data", "/home/p"), fs::path("/x/data"));
    EXPECT_EQ(playerDataHome(nullptr, "/home/p"), fs::path("/home/p/.local/share"));
    EXPECT_EQ(playerDataHome("", "/home/p"), fs::path("/home/p/.local/share"));
    EXPECT_EQ(playerDataHome("relative/data", "/home/p"), fs::path("/home/p/.local/share"));
    EXPECT_EQ(playerDataHome(nullptr, "relative"), fs::path());
    EXPECT_EQ(playerDataHome(nullptr, nullptr), fs::path());
}

TEST(GameHome, FindsTheInstalledDataFromTheProgramsOwnFile) {
    EXPECT_EQ(shippedDataOf("/opt/tei/games/teijiroku", "../share/games/teijiroku"),
              fs::path("/opt/tei/share/games/teijiroku/ini"));
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", "/x/data", 1);
    GameHomeSetting s = thisProcessSetting("../data");
    old ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(s.dataHome, fs::path("/x/data"));
    EXPECT_EQ(s.currentDir, fs::current_path());
    // This test program lives in <build>/tests/.
    fs::path program = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(program.parent_path().filename(), "tests");
    EXPECT_EQ(s.shippedData, program.parent_path().parent_path() / "data" / "ini");

    // Started without HOME or XDG_DATA_HOME (a service, a cleaned environment), the player's home
    // comes from the password database.
    const char* oldHome = std::getenv("HOME");
    std::string savedHome = oldHome ? oldHome : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_DATA_HOME");
    GameHomeSetting bare = thisProcessSetting("../data");
    oldHome ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");
    old ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(bare.dataHome, fs::path(user->pw_dir) / ".local" / "share");
}

}  // namespace
}  // namespace tei
