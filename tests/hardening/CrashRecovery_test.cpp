// Games, saves and loads killed part-way: after every kill the next start's recovery must leave the
// files of some whole number of years of that seeded game (or the folder as it was before the game),
// and every save slot one whole save, with no temporary or journal left over.
//
// Two kinds of kill. Every instant of every step of a whole game: before each step the game forks a
// child that goes on from there and ends itself (_exit) at the k-th instant of the step (after a
// temporary, a second name, the journal, a rename, a removal), for every k; the parent settles what
// the child left, checks it and puts the folder back before it plays the step itself. And SIGKILL at
// random times into whole games, which also lands inside the system calls.
//
// A long run (5,000 kills or more, over every scenario):
//   TEIJIROKU_CRASH_KILLS=5000 build/tests/engine_tests --gtest_filter='CrashRecovery.*'

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/DiskStorage.h"
#include "game/Autoplay.h"
#include "screens/SaveSlots.h"
#include "support/Immutable.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

using Files = std::map<std::string, std::string>;  // "ini/busv.ini" -> bytes

// Under the sanitizers a fork and a game cost many times more: there every fourth instant of a step is
// killed, starting at another instant in every step so that every kind of instant is still hit, and
// fewer games are killed at random times.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 4;
#else
constexpr int kStride = 1;
#endif

constexpr int kKilled = 42;    // a child's exit status when it ended itself at its instant
constexpr int kFinished = 43;  // ... when its step ended before that instant came

// The kills of a long run (TEIJIROKU_CRASH_KILLS), a tenth of them at random times; nothing in the
// suite's run.
std::optional<int> longRun() {
    const char* v = std::getenv("TEIJIROKU_CRASH_KILLS");
    int n = v ? std::atoi(v) : 0;
    return n > 0 ? std::optional<int>(n) : std::nullopt;
}

// A game folder on the disk that flushes nothing it is not asked to: the checks need no power cut, and
// flushing every step of every game would make the suite wait on the disk.
GameFolder unflushed(const fs::path& root) {
    return GameFolder(std::make_shared<DiskStorage>(root, DiskStorage::Flush::WhenAsked));
}

// Every entry of ini/ and save/, temporaries and journals included.
Files filesOf(const fs::path& root) {
    Files all;
    for (const char* sub : {"ini", "save"}) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(root / sub, ec)) {
            std::ifstream in(e.path(), std::ios::binary);
            all[std::string(sub) + "/" + e.path().filename().string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return all;
}

// Puts the folder back to the given files: every file a new one (no second names shared).
void restore(const fs::path& root, const Files& to) {
    Files now = filesOf(root);
    for (const auto& [name, bytes] : now)
        if (!to.count(name)) fs::remove(root / name);
    for (const auto& [name, bytes] : to) {
        auto it = now.find(name);
        if (it != now.end() && it->second == bytes) continue;
        fs::remove(root / name);
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
}

// The files that differ between two states, for messages.
std::string differences(const Files& a, const Files& b) {
    std::string out;
    for (const auto& [name, bytes] : a)
        if (!b.count(name) || b.at(name) != bytes) out += " " + name;
    for (const auto& [name, bytes] : b)
        if (!a.count(name)) out += " " + name;
    return out;
}

std::string describe(const AutoplayOptions& o) {
    std::string s = "scenario " + std::to_string(o.scenario) + " seed " + std::to_string(*o.seed) + " players";
    for (int f : o.players) s += " " + std::to_string(f);
    return s;
}

// The whole states of a seeded game: the folder before it, after its new game, and after every press
// of Auto. Played as the program plays it, watched between the steps.
std::vector<Files> wholeStates(const AutoplayOptions& options) {
    struct Watch final : AutoplayWatch {
        fs::path root;
        std::vector<Files>* states;
        void windowShown(MsgMode, const MessagePages&) override {}
        void turnDone() override { states->push_back(filesOf(root)); }
    };
    std::vector<Files> states;
    std::ostringstream out, err;
    TempGameFolder before;
    before.copyShippedData();
    states.push_back(filesOf(before.root()));
    AutoplayOptions none = options;
    none.years = 0;  // the new game alone
    GameFolder first = unflushed(before.root());
    EXPECT_EQ(runAutoplay(none, first, out, err), 0);
    states.push_back(filesOf(before.root()));
    TempGameFolder game;
    game.copyShippedData();
    Watch watch;
    watch.root = game.root();
    watch.states = &states;
    GameFolder played = unflushed(game.root());
    EXPECT_EQ(runAutoplay(options, played, out, err, &watch), 0) << err.str();
    // From the new game on, every whole state holds the autosave of its year: so a kill that leaves
    // a whole state leaves a whole autosave.
    const std::pair<const char*, const char*> copies[] = {{"ini/busv.ini", "save/busvauto.ini"},
                                                          {"ini/gunsv.ini", "save/gunsvauto.ini"},
                                                          {"ini/Cmtsv.ini", "save/Cmtsvauto.ini"},
                                                          {"ini/teiji.log", "save/teilogauto.log"},
                                                          {"ini/history.csv", "save/histauto.csv"}};
    for (size_t i = 1; i < states.size(); ++i) {
        EXPECT_TRUE(states[i].count("save/saveauto.ini")) << "state " << i;
        for (auto [working, copy] : copies)
            EXPECT_TRUE(states[i].count(copy) && states[i][copy] == states[i][working]) << "state " << i << " " << copy;
    }
    return states;
}

// What the next start of either program does first, and what it must leave: one of the whole states.
void settleAndCheck(const fs::path& root, const std::vector<Files>& whole, const Files& before,
                    const std::string& what) {
    auto problem = unflushed(root).recover();
    EXPECT_EQ(problem, std::nullopt) << what << ": " << *problem;
    Files now = filesOf(root);
    for (const Files& w : whole)
        if (now == w) return;
    ADD_FAILURE() << what << ": the files are no whole state; beside those before the step they differ in"
                  << differences(before, now);
}

// Kills children at the instants of the step the caller takes next: for each instant (every
// kStride-th from 'first') a child is forked that goes on from where the caller stands and ends itself
// there, through the storage's hook. The parent settles and checks what each left, puts the folder back
// as it was, and gets the number of kills; the child gets nothing and goes on with the step. A child
// that gets through the whole step ends at its next call of childDone().
class InstantKiller {
public:
    explicit InstantKiller(DiskStorage& disk) : disk_(disk) {}

    std::optional<int> killEach(const fs::path& root, const std::vector<Files>& whole, const std::string& what,
                                int first = 1) {
        const Files before = filesOf(root);
        int kills = 0;
        for (int stop = first;; stop += kStride) {
            pid_t pid = ::fork();
            if (pid == 0) {
                child_ = true;
                disk_.setInstantHook([stop, n = 0](const char*) mutable {
                    if (++n == stop) ::_exit(kKilled);
                });
                return std::nullopt;
            }
            int status = 0;
            if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
                ADD_FAILURE() << what << ": the child could not be run or ended otherwise (status " << status << ")";
                return kills;
            }
            if (WEXITSTATUS(status) == kKilled) {
                ++kills;
                settleAndCheck(root, whole, before, what + ", instant " + std::to_string(stop));
            }
            // Also after a child that took the whole step: the caller takes it itself.
            restore(root, before);
            if (WEXITSTATUS(status) != kKilled) return kills;
        }
    }
    void childDone() {
        if (child_) ::_exit(kFinished);
    }

private:
    DiskStorage& disk_;
    bool child_ = false;
};

// Kills a game at the instants of every step: before the new game and after every press of Auto.
class KillEveryStep final : public AutoplayWatch {
public:
    KillEveryStep(const fs::path& root, DiskStorage& disk, const std::vector<Files>& whole, std::string game)
        : root_(root), killer_(disk), whole_(whole), game_(std::move(game)) {}

    void killTheNextStep() {
        ++step_;
        if (auto k = killer_.killEach(root_, whole_, game_ + ", step " + std::to_string(step_), 1 + step_ % kStride))
            kills += *k;
    }
    void childDone() { killer_.childDone(); }
    void windowShown(MsgMode, const MessagePages&) override {}
    void turnDone() override {
        killer_.childDone();
        killTheNextStep();
    }

    int kills = 0;

private:
    fs::path root_;
    InstantKiller killer_;
    const std::vector<Files>& whole_;
    std::string game_;
    int step_ = 0;
};

// The games the crash tests play, the suite's first; a long run goes on through the rest.
std::vector<AutoplayOptions> crashGames() {
    std::vector<AutoplayOptions> games;
    const std::vector<std::vector<int>> players = {{}, {2}, {1, 4}};
    for (int round = 0; round < 3; ++round)
        for (int scenario = 1; scenario <= 6; ++scenario) {
            AutoplayOptions o;
            o.scenario = scenario;
            o.seed = static_cast<uint64_t>(100 * round + scenario);
            o.players = players[static_cast<size_t>(round + scenario) % players.size()];
            o.quiet = true;
            games.push_back(o);
        }
    return games;
}

TEST(CrashRecovery, AGameKilledAtEveryInstantOfItsStepsLeavesAWholeYear) {
    const int wanted = longRun() ? *longRun() - *longRun() / 10 : 1;  // the suite plays one game
    int kills = 0;
    for (const AutoplayOptions& o : crashGames()) {
        SCOPED_TRACE(describe(o));
        const std::vector<Files> whole = wholeStates(o);
        TempGameFolder tmp;
        tmp.copyShippedData();
        auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
        KillEveryStep watch(tmp.root(), *disk, whole, describe(o));
        watch.killTheNextStep();  // the new game's
        std::ostringstream out, err;
        GameFolder folder(disk);
        int status = runAutoplay(o, folder, out, err, &watch);
        watch.childDone();  // a child that got through the last step
        EXPECT_EQ(status, 0) << err.str();
        EXPECT_EQ(filesOf(tmp.root()), whole.back());
        EXPECT_GT(watch.kills, 100);  // every step has several instants
        kills += watch.kills;
        if (kills >= wanted) break;
    }
    std::cout << "[ kills    ] " << kills << " at the instants of the games' steps\n";
}

// SIGKILL at random times into whole games, which lands inside system calls too.
TEST(CrashRecovery, AGameKilledAtRandomTimesLeavesAWholeYear) {
    const int wanted = longRun() ? *longRun() / 10 : 30 / kStride;
    std::mt19937 random(20240601);
    const std::vector<AutoplayOptions> games = crashGames();
    const int perGame = std::max<int>(20, wanted / static_cast<int>(games.size()) + 1);
    int kills = 0;
    for (const AutoplayOptions& o : games) {
        SCOPED_TRACE(describe(o));
        const std::vector<Files> whole = wholeStates(o);
        // How long the game takes on this machine, so that the kills fall over all of it.
        TempGameFolder timed;
        timed.copyShippedData();
        std::ostringstream out, err;
        auto start = std::chrono::steady_clock::now();
        GameFolder timedFolder = unflushed(timed.root());
        ASSERT_EQ(runAutoplay(o, timedFolder, out, err), 0);
        const auto length = std::chrono::steady_clock::now() - start;
        for (int i = 0; i < perGame && kills < wanted; ++i) {
            TempGameFolder tmp;
            tmp.copyShippedData();
            auto delay = std::chrono::duration_cast<std::chrono::microseconds>(length) *
                         std::uniform_real_distribution<double>(0.0, 1.1)(random);
            pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
                GameFolder folder(disk);
                ::_exit(runAutoplay(o, folder, out, err));
            }
            std::this_thread::sleep_for(delay);
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            ++kills;
            settleAndCheck(tmp.root(), whole, whole.front(), "killed after " + std::to_string(delay.count()) + " µs");
        }
        if (kills >= wanted) break;
    }
    std::cout << "[ kills    ] " << kills << " at random times\n";
}

// A save and a load killed at every instant: the slot is the old save or the new one, whole, and the
// working files the old ones or the slot's.
TEST(CrashRecovery, ASaveOrALoadKilledAtEveryInstantLeavesWholeSlots) {
    AutoplayOptions o;
    o.scenario = 2;
    o.seed = 7;
    o.players = {3};
    const std::vector<Files> whole = wholeStates(o);
    ASSERT_GT(whole.size(), 5u);
    TempGameFolder tmp;
    auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
    GameFolder folder(disk);
    GameGlobals g;
    g.saveHeader = {196, 40, 50, 60, 2, 0};
    g.slotName[2] = "曹操";
    g.slotFaction[2] = 3;
    g.slotRuler[2] = 12;
    SaveSlots slots(folder, g);
    // Slot 1 holds the game of one year; the working files are two years on.
    restore(tmp.root(), whole[3]);
    ASSERT_TRUE(slots.save_rtn("1").ok);
    Files later = whole[5];
    for (const auto& [name, bytes] : filesOf(tmp.root()))
        if (name.starts_with("save/")) later[name] = bytes;
    restore(tmp.root(), later);

    InstantKiller killer(*disk);
    for (bool saving : {true, false}) {
        SCOPED_TRACE(saving ? "save" : "load");
        auto step = [&] { return saving ? slots.save_rtn("1") : slots.load_rtn("1"); };
        // The whole states: before, and after the step done without a kill.
        ASSERT_TRUE(step().ok);
        const std::vector<Files> states = {later, filesOf(tmp.root())};
        ASSERT_NE(states[0], states[1]);
        restore(tmp.root(), later);
        std::optional<int> kills = killer.killEach(tmp.root(), states, saving ? "save" : "load");
        if (!kills) {
            (void)step();
            killer.childDone();
        }
        EXPECT_GT(*kills, 10 / kStride);
    }
}

// The command line settles what a killed run left before it reads or writes anything, and stops with
// the message when it cannot.
TEST(CrashRecovery, TheCommandLineSettlesFirstAndStopsWhenItCannot) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    tmp.writeIni(".tmp-999999999-0-busv.ini", "half an officer file");  // a temporary of a run now gone
    const fs::path ini = tmp.root() / "ini";
    if (!test::setImmutable(ini, true)) GTEST_SKIP() << "this file system cannot mark a folder immutable";
    const Files before = filesOf(tmp.root());
    AutoplayOptions o;
    o.seed = 1;
    o.years = 1;
    o.quiet = true;
    std::ostringstream out, err;
    int status = runAutoplay(o, tmp.folder(), out, err);
    test::setImmutable(ini, false);
    EXPECT_EQ(status, 2);
    EXPECT_NE(
        err.str().find("エラー: ファイル「ini/.tmp-999999999-0-busv.ini」は前回途中で止まった書き込みの一時ファイル"
                       "ですが、削除できません。"),
        std::string::npos)
        << err.str();
    EXPECT_EQ(filesOf(tmp.root()), before);

    EXPECT_EQ(runAutoplay(o, tmp.folder(), out, err), 0);
    EXPECT_FALSE(tmp.hasIni(".tmp-999999999-0-busv.ini"));
}

}  // namespace
}  // namespace tei
