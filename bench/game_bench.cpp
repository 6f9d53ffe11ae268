// Speed of the game without a window, on the shipped scenario 1 data, file work included: one year
// (dealing, computer choice, resolution, year end, year change) and a whole computer-only game of 27
// years, in a temporary game folder on the disk as the programs keep it (every step flushed to the
// disk), on the disk without the flushes (what is left is the journal of the steps), and in memory.
// Then sweeps, timed by the wall clock: games of scenario 1 in one and two threads, and the 500
// continuations of 戦況予測 from the first year of a game.
//
//   build/bench/game_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
//   build/bench/game_bench --benchmark_filter=Sweep10000   # the 10,000 games, about a minute

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "core/DiskStorage.h"
#include "core/GameFolder.h"
#include "core/MemoryStorage.h"
#include "core/Random.h"
#include "game/Autoplay.h"
#include "game/Sweep.h"
#include "game/TurnCycle.h"
#include "setup/ScenarioSetup.h"

namespace fs = std::filesystem;

namespace {

// A fresh game folder seeded from the shipped data.
class BenchFolder {
public:
    BenchFolder() {
        root_ = fs::temp_directory_path() / ("teijiroku-bench-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "save");
        fs::copy(fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini", root_ / "ini");
    }
    ~BenchFolder() { fs::remove_all(root_); }
    const fs::path& root() const { return root_; }

private:
    fs::path root_;
};

// Says nothing and answers Yes; the turn cycle resolves every year as the game does.
class QuietHost final : public tei::Host {
public:
    void notify(const std::string&) override {}
    bool askYesNo(const std::string&) override { return true; }
    bool askOkCancel(const std::string&) override { return true; }
    void showMessageWindow(const tei::WindowPages&) override {}
    void showStrategy() override {}
    void showFactionDetail() override {}
    void showFactionList() override {}
    void showSaveLoad() override {}
    void endProgram() override {}
};

}  // namespace

void playWholeGame(benchmark::State& state, const tei::GameFolder& folder) {
    tei::AutoplayOptions o;
    o.seed = 1;
    o.quiet = true;
    std::ostringstream out, err;
    if (tei::runAutoplay(o, folder, out, err) != 0) state.SkipWithError("autoplay failed");
}

static void WholeGameScenario1(benchmark::State& state) {
    BenchFolder dir;
    for (auto _ : state) playWholeGame(state, tei::GameFolder(dir.root()));
}
BENCHMARK(WholeGameScenario1)->Unit(benchmark::kMillisecond);

static void WholeGameScenario1Unflushed(benchmark::State& state) {
    BenchFolder dir;
    using tei::DiskStorage;
    for (auto _ : state)
        playWholeGame(state, tei::GameFolder(std::make_shared<DiskStorage>(dir.root(), DiskStorage::Flush::WhenAsked)));
}
BENCHMARK(WholeGameScenario1Unflushed)->Unit(benchmark::kMillisecond);

// Each game gets its own memory storage, a copy of one read from the disk before the clock starts.
static void WholeGameInMemory(benchmark::State& state) {
    BenchFolder dir;
    const tei::MemoryStorage shipped = tei::MemoryStorage::readFrom(dir.root());
    for (auto _ : state) playWholeGame(state, tei::GameFolder(std::make_shared<tei::MemoryStorage>(shipped)));
}
BENCHMARK(WholeGameInMemory)->Unit(benchmark::kMillisecond);

// K games of scenario 1 (seeds 1..K) in J threads, as teijiroku-cli sweep plays them; the game
// folder is read into memory before the clock starts.
static void SweepScenario1(benchmark::State& state) {
    BenchFolder dir;
    tei::SweepStart start;
    if (auto problem = tei::prepareSweep(tei::GameFolder(dir.root()), tei::AutoplayOptions{}, start)) {
        state.SkipWithError(problem->c_str());
        return;
    }
    const int games = static_cast<int>(state.range(0)), jobs = static_cast<int>(state.range(1));
    for (auto _ : state) {
        tei::SweepRun run(start, games, 1);
        run.play(jobs);
        if (run.failure()) state.SkipWithError("a game failed");
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SweepScenario1)->Args({200, 1})->Args({200, 2})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SweepScenario1)->Name("Sweep10000")->Args({10000, 2})->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// 戦況予測 on the first year of a new game: the game saved in memory, then 500 continuations in two
// threads, as the window plays them.
static void Continuations500FromFirstYear(benchmark::State& state) {
    BenchFolder dir;
    tei::GameFolder folder(dir.root());
    tei::SeededRandom rng(1);
    tei::GameGlobals g;
    QuietHost host;
    tei::ScenarioSetup title(folder, g, rng);
    (void)title.Form_Load();
    (void)title.startNewGame({2});
    tei::TurnCycle cycle(folder, g, rng, host);
    cycle.Form_Load();
    for (auto _ : state) {
        tei::SweepStart start;
        if (auto problem = tei::continuationOf(folder, g, cycle.yearCounter, start)) {
            state.SkipWithError(problem->c_str());
            break;
        }
        tei::SweepRun run(std::move(start), 500, 1);
        run.play(2);
        if (run.failure()) state.SkipWithError("a game failed");
    }
}
BENCHMARK(Continuations500FromFirstYear)->Unit(benchmark::kMillisecond)->UseRealTime();

static void OneYearScenario1(benchmark::State& state) {
    BenchFolder dir;
    tei::GameFolder folder(dir.root());
    tei::SeededRandom rng(1);
    tei::GameGlobals g;
    QuietHost host;
    std::unique_ptr<tei::TurnCycle> cycle;
    auto newGame = [&] {
        g = tei::GameGlobals{};
        tei::ScenarioSetup title(folder, g, rng);
        (void)title.Form_Load();
        title.ori_Chr_rtn();
        cycle = std::make_unique<tei::TurnCycle>(folder, g, rng, host);
        cycle->Form_Load();
    };
    newGame();
    for (auto _ : state) {
        cycle->Command1_Click(3);  // nobody plays: one press is one year
        if (cycle->ended()) {
            state.PauseTiming();
            newGame();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(OneYearScenario1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
