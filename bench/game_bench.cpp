// Speed of the game without a window, on the shipped scenario 1 data, file work included: one year
// (dealing, computer choice, resolution, year end, year change) and a whole computer-only game of 27
// years, in a temporary game folder on the disk as the programs keep it (every step flushed to the
// disk), on the disk without the flushes (what is left is the journal of the steps), and in memory.
//
//   build/bench/game_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

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

// The folder is a copy: copies of a game folder share its storage.
void playWholeGame(benchmark::State& state, tei::GameFolder folder) {
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
