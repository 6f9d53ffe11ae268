// Games, saves and loads killed at every instant of every step: before each step the test forks a child
// that goes on from there and ends itself (_exit) at the k-th instant of the step (after a temporary, a
// second name, the journal, a rename, a removal), for every k. The parent runs the next start's recovery
// on what the child left, which must be the files of some whole number of years of that seeded game (or
// the folder as it was before the game), every save slot one whole save, and no temporary or journal;
// then it puts the folder back and takes the step itself.
//
// A long run (5,000 kills or more, over every scenario):
//   TEIJIROKU_CRASH_KILLS=5000 build/tests/engine_tests --gtest_filter='CrashRecovery.*'

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/DiskStorage.h"
#include "game/Autoplay.h"
#include "screens/SaveSlots.h"
#include "support/Immutable.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::Files;
using test::filesOf;
using test::TempGameFolder;

// Under the sanitizers a fork and a game cost many times more: there every fourth instant of a step is
// killed, starting at another instant in every step so that every kind of instant is still hit.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 4;
#else
constexpr int kStride = 1;
#endif

constexpr int kKilled = 42;    // a child's exit status when it ended itself at its instant
constexpr int kFinished = 43;  // ... when its step ended before that instant came

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
    std::ostringstream out, err;
    TempGameFolder before, game;
    before.copyShippedData();
    game.copyShippedData();
    std::vector<Files> states = {before.files()};
    AutoplayOptions none = options;
    none.years = 0;  // the new game alone
    EXPECT_EQ(runAutoplay(none, before.folder(), out, err), 0);
    states.push_back(before.files());
    Watch watch;
    watch.root = game.root();
    watch.states = &states;
    EXPECT_EQ(runAutoplay(options, game.folder(), out, err, &watch), 0) << err.str();
    // From the new game on, every whole state holds the autosave of its year: so a kill that leaves a
    // whole state leaves a whole autosave.
    const std::pair<const char*, const char*> copies[] = {{"ini/busv.ini", "save/busvauto.ini"},
                                                          {"ini/gunsv.ini", "save/gunsvauto.ini"},
                                                          {"ini/Cmtsv.ini", "save/Cmtsvauto.ini"},
                                                          {"ini/teiji.log", "save/teilogauto.log"},
                                                          {"ini/history.csv", "save/histauto.csv"}};
    for (size_t i = 1; i < states.size(); ++i) {
        EXPECT_TRUE(states[i].count("save/saveauto.ini")) << "state " << i;
        for (auto [working, copy] : copies)
            EXPECT_EQ(states[i][copy], states[i][working]) << "state " << i << " " << copy;
    }
    return states;
}

// Kills children at every instant of the steps the caller takes next, and checks what each left. As the
// watch of a game, it does so before every press of Auto; killTheNextStep() does it for the step after.
class InstantKiller final : public AutoplayWatch {
public:
    InstantKiller(fs::path root, DiskStorage& disk) : root_(std::move(root)), disk_(disk) {}

    // For each instant (every kStride-th from 'first') a child is forked that goes on from where the
    // caller stands and ends itself there, through the storage's hook. The parent settles what each
    // left as the next start of either program does, which must leave one of 'whole', and puts the
    // folder back as it was. True in the child, which goes on with the step and ends at childDone().
    bool killEachInstant(const std::string& what, int first = 1) {
        const Files before = filesOf(root_);
        for (int stop = first;; stop += kStride) {
            pid_t pid = ::fork();
            if (pid == 0) {
                child_ = true;
                disk_.setInstantHook([stop, n = 0](const char*) mutable {
                    if (++n == stop) ::_exit(kKilled);
                });
                return true;
            }
            int status = 0;
            if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
                ADD_FAILURE() << what << ": the child could not be run or ended otherwise (status " << status << ")";
                return false;
            }
            const bool killed = WEXITSTATUS(status) == kKilled;
            if (killed) {
                ++kills;
                settleAndCheck(before, what + ", instant " + std::to_string(stop));
            }
            restore(root_, before);  // also after a child that took the whole step: the caller takes it
            if (!killed) return false;
        }
    }
    void childDone() {
        if (child_) ::_exit(kFinished);
    }
    void killTheNextStep() {
        ++step_;
        killEachInstant(game + ", step " + std::to_string(step_), 1 + step_ % kStride);
    }
    void windowShown(MsgMode, const MessagePages&) override {}
    void turnDone() override {
        childDone();
        killTheNextStep();
    }

    std::vector<Files> whole;  // the states a kill may leave
    std::string game;
    int kills = 0;

private:
    void settleAndCheck(const Files& before, const std::string& what) {
        auto problem = GameFolder(std::make_shared<DiskStorage>(root_, DiskStorage::Flush::WhenAsked)).recover();
        EXPECT_EQ(problem, std::nullopt) << what << ": " << *problem;
        Files now = filesOf(root_);
        for (const Files& w : whole)
            if (now == w) return;
        ADD_FAILURE() << what << ": the files are no whole state; beside those before the step they differ in"
                      << differences(before, now);
    }

    fs::path root_;
    DiskStorage& disk_;
    bool child_ = false;
    int step_ = 0;
};

// The suite kills the first of these games; a long run (TEIJIROKU_CRASH_KILLS) goes on through the rest.
TEST(CrashRecovery, AGameKilledAtEveryInstantOfItsStepsLeavesAWholeYear) {
    const char* longRun = std::getenv("TEIJIROKU_CRASH_KILLS");
    const int wanted = longRun ? std::atoi(longRun) : 1;
    const std::vector<std::vector<int>> players = {{}, {2}, {1, 4}};
    int kills = 0;
    for (int round = 0; round < 3 && kills < wanted; ++round)
        for (int scenario = 1; scenario <= 6 && kills < wanted; ++scenario) {
            AutoplayOptions o;
            o.scenario = scenario;
            o.seed = static_cast<uint64_t>(100 * round + scenario);
            o.players = players[static_cast<size_t>(round + scenario) % players.size()];
            o.quiet = true;
            SCOPED_TRACE(describe(o));
            TempGameFolder tmp;
            tmp.copyShippedData();
            auto disk = std::make_shared<DiskStorage>(tmp.root(), DiskStorage::Flush::WhenAsked);
            InstantKiller killer(tmp.root(), *disk);
            killer.whole = wholeStates(o);
            killer.game = describe(o);
            killer.killTheNextStep();  // the new game's
            std::ostringstream out, err;
            GameFolder folder(disk);
            int status = runAutoplay(o, folder, out, err, &killer);
            killer.childDone();  // a child that got through the last step
            EXPECT_EQ(status, 0) << err.str();
            EXPECT_EQ(tmp.files(), killer.whole.back());
            EXPECT_GT(killer.kills, 100);  // every step has several instants
            kills += killer.kills;
        }
    std::cout << "[ kills    ] " << kills << " at the instants of the games' steps\n";
}

// A save and a load killed at every instant: the slot is the old save or the new one, whole, and the
// working files the old ones or the slot's.
TEST(CrashRecovery, ASaveOrALoadKilledAtEveryInstantLeavesWholeSlots) {
    AutoplayOptions o;
    o.scenario = 2;
    o.seed = 7;
    o.players = {3};
    const std::vector<Files> states = wholeStates(o);
    ASSERT_GT(states.size(), 5u);
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
    restore(tmp.root(), states[3]);
    ASSERT_TRUE(slots.save_rtn("1").ok);
    Files later = states[5];
    for (const auto& [name, bytes] : tmp.files())
        if (name.starts_with("save/")) later[name] = bytes;
    restore(tmp.root(), later);

    InstantKiller killer(tmp.root(), *disk);
    for (bool saving : {true, false}) {
        SCOPED_TRACE(saving ? "save" : "load");
        auto step = [&] { return saving ? slots.save_rtn("1") : slots.load_rtn("1"); };
        // The whole states: before, and after the step done without a kill.
        ASSERT_TRUE(step().ok);
        killer.whole = {later, tmp.files()};
        ASSERT_NE(killer.whole[0], killer.whole[1]);
        restore(tmp.root(), later);
        const int before = killer.kills;
        if (killer.killEachInstant(saving ? "save" : "load")) {
            (void)step();
            killer.childDone();
        }
        EXPECT_GT(killer.kills - before, 10 / kStride);
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
    const Files before = tmp.files();
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
    EXPECT_EQ(tmp.files(), before);

    EXPECT_EQ(runAutoplay(o, tmp.folder(), out, err), 0);
    EXPECT_FALSE(tmp.hasIni(".tmp-999999999-0-busv.ini"));
}

}  // namespace
}  // namespace tei
