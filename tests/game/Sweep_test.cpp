#include "game/Sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "FakeHost.h"
#include "game/TurnCycle.h"
#include "screens/SaveSlots.h"
#include "setup/ScenarioSetup.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

namespace fs = std::filesystem;
using test::TempGameFolder;

std::optional<SweepOptions> parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = parseSweepOptions(args, e);
    if (error) *error = e;
    return o;
}

TEST(parseSweepOptions, ReadsEveryOptionWithTheDefaultsOfTheCommand) {
    auto d = parse({});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->games, 1000);
    EXPECT_EQ(d->seed, 1u);
    EXPECT_EQ(d->jobs, 0);
    EXPECT_EQ(d->game.scenario, 1);
    EXPECT_FALSE(d->csv);
    EXPECT_FALSE(d->game.from);

    auto o = parse({"--scenario", "3", "--players", "2,5", "--games", "40", "--seed", "7", "--jobs", "2", "--csv"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->game.scenario, 3);
    EXPECT_EQ(o->game.players, (std::vector<int>{2, 5}));
    EXPECT_EQ(o->games, 40);
    EXPECT_EQ(o->seed, 7u);
    EXPECT_EQ(o->jobs, 2);
    EXPECT_TRUE(o->csv);

    for (const char* slot : {"7", "07", "123456789012", "auto"}) {
        auto f = parse({"--from", slot});
        ASSERT_TRUE(f) << slot;
        EXPECT_EQ(f->game.from, slot);
    }
}

TEST(parseSweepOptions, RefusesBadValuesWithAMessageNamingThem) {
    struct Row {
        std::vector<std::string> args;
        std::string inMessage;
    };
    const std::vector<Row> rows = {
        {{"--games", "0"}, "0"},
        {{"--games", "1000001"}, "1000001"},
        {{"--games", "-3"}, "-3"},
        {{"--games"}, "--games"},
        {{"--jobs", "0"}, "jobs"},
        {{"--jobs", "257"}, "257"},
        {{"--seed", "x"}, "x"},
        {{"--scenario", "7"}, "7"},
        {{"--players", "1,,2"}, "faction"},
        {{"--from", ""}, "--from"},
        {{"--from", "../save/7"}, "../save/7"},
        {{"--from", "7/"}, "7/"},
        {{"--from", "/tmp/x"}, "/tmp/x"},
        {{"--from", "12a"}, "12a"},
        {{"--from", "Auto"}, "Auto"},
        {{"--from", "7", "--scenario", "2"}, "--scenario"},
        {{"--players", "1", "--from", "7"}, "--players"},
        {{"--years", "3"}, "--years"},
        // Game i plays seed S + i: the last of 3 games would pass the largest seed.
        {{"--seed", "18446744073709551614", "--games", "3"}, "18446744073709551614"},
    };
    for (const Row& row : rows) {
        std::string joined;
        for (const auto& a : row.args) joined += a + " ";
        SCOPED_TRACE(joined);
        std::string error;
        EXPECT_FALSE(parse(row.args, &error));
        EXPECT_NE(error.find(row.inMessage), std::string::npos) << error;
    }
    // The values on the edges that are still taken; the largest seed the last of 3 games may pass.
    const std::vector<std::vector<std::string>> edges = {{"--games", "1"},
                                                         {"--games", "1000000"},
                                                         {"--jobs", "1"},
                                                         {"--jobs", "256"},
                                                         {"--seed", "18446744073709551613", "--games", "3"}};
    for (const auto& args : edges) EXPECT_TRUE(parse(args)) << args[0] << " " << args[1];
}

TEST(SweepTally, CountsEveryFactionOfEveryGameAndATieForFirstForEachTiedFaction) {
    SweepTally tally;
    tally.add({{1, "甲", false, 120.5, 0.301}, {2, "乙", false, 120.5, 0.3}, {3, "丙", true, 0, 0}});
    tally.add({{1, "甲", false, 10, 0.05}, {2, "乙", false, 190, 0.95}, {3, "丙", false, 0.25, 0}});
    const auto& f = tally.factions();
    EXPECT_DOUBLE_EQ(f[2].meanScore(), 0.125);  // the CSV shows it rounded
    // The CSV: counts as integers, the means with fixed decimals, a name with a comma quoted.
    SweepTally named;
    named.add({{4, "a,\"b\"", false, 2.0 / 3, 1.0 / 3}});
    EXPECT_EQ(sweepCsv(f),
              "faction,name,games,survived,first,mean_score,mean_rate\n"
              "1,甲,2,2,1,65.25,0.1755\n"  // tied with 乙 for first in the first game: both count it
              "2,乙,2,2,2,155.25,0.6250\n"
              "3,丙,2,1,0,0.12,0.0000\n");
    EXPECT_EQ(sweepCsv(named.factions()),
              "faction,name,games,survived,first,mean_score,mean_rate\n4,\"a,\"\"b\"\"\",1,1,1,0.67,0.3333\n");
}

// The table lines up on a terminal, where a Japanese character takes two columns.
TEST(sweepTable, PadsEveryColumnToItsWidthCountingJapaneseAsTwoColumns) {
    auto sp = [](int n) { return std::string(static_cast<size_t>(n), ' '); };
    const std::vector<FactionTally> tally = {{12, "公孫瓚", 4, 3, 1, 1001, 0.3}};
    EXPECT_EQ(sweepTable(tally, 4),
              "軍閥" + sp(2) + "名前" + sp(8) + sp(4) + "対局" + sp(12) + "生存" + sp(13) + "1位" + sp(2) +
                  "平均スコア" + sp(2) + "平均制覇率\n" +                                                      //
                  " no." + sp(2) + "name" + sp(8) + sp(3) + "games" + sp(8) + "survived" + sp(11) + "first" +  //
                  sp(2) + "mean score" + sp(3) + "mean rate\n" +                                               //
                  "  12" + sp(2) + "公孫瓚" + sp(6) + sp(7) + "4" + sp(7) + "3 (75.0%)" + sp(7) + "1 (25.0%)" + sp(6) +
                  "250.25" + sp(6) + "0.0750\n");
}

TEST(oddsLines, PutTheLikeliestFirstThenTheLikeliestToSurviveAndMarkThePlayers) {
    std::vector<FactionTally> tally = {{1, "甲", 4, 4, 1, 400, 1.0},
                                       {2, "乙", 4, 2, 2, 300, 0.8},
                                       {3, "丙", 4, 3, 1, 200, 0.4},
                                       {4, "丁", 4, 0, 0, 0, 0}};
    GameGlobals g;
    g.slotFaction[5] = 3;
    std::vector<OddsLine> lines = oddsLines(tally, g);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].name, "乙");
    EXPECT_DOUBLE_EQ(lines[0].firstPercent, 50);
    EXPECT_DOUBLE_EQ(lines[0].survivalPercent, 50);
    EXPECT_EQ(lines[1].name, "甲");  // 25% first like 丙, but surviving in all four games
    EXPECT_EQ(lines[2].name, "丙");
    EXPECT_TRUE(lines[2].player);
    EXPECT_FALSE(lines[0].player || lines[1].player || lines[3].player);
    EXPECT_DOUBLE_EQ(lines[2].meanScore, 50);
    EXPECT_EQ(lines[3].name, "丁");
}

// The same seeded games played one by one on the disk, as autoplay plays them, added up in order.
std::vector<FactionTally> playOneByOne(const TempGameFolder& source, AutoplayOptions o, uint64_t firstSeed, int games) {
    SweepTally tally;
    for (int i = 0; i < games; ++i) {
        TempGameFolder tmp;
        fs::copy(source.root(), tmp.root(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        o.seed = firstSeed + static_cast<uint64_t>(i);
        o.quiet = true;
        std::ostringstream out, err;
        AutoplayResult played = playAutoplay(o, tmp.folder(), out, err);
        EXPECT_EQ(played.status, 0) << err.str();
        tally.add(played.finalStandings);
    }
    return tally.factions();
}

std::vector<FactionTally> sweep(const GameFolder& folder, const AutoplayOptions& game, uint64_t seed, int games,
                                int jobs) {
    SweepStart start;
    auto problem = prepareSweep(folder, game, start);
    EXPECT_FALSE(problem) << *problem;
    SweepRun run(start, games, seed);
    run.play(jobs);
    EXPECT_FALSE(run.failure()) << *run.failure();
    EXPECT_EQ(run.done(), games);
    return run.tally();
}

void expectEqual(const std::vector<FactionTally>& a, const std::vector<FactionTally>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) {
        SCOPED_TRACE(a[k].name);
        EXPECT_EQ(std::tie(a[k].faction, a[k].games, a[k].survived, a[k].first, a[k].scoreSum, a[k].shareSum),
                  std::tie(b[k].faction, b[k].games, b[k].survived, b[k].first, b[k].scoreSum, b[k].shareSum));
    }
}

// Every file of a game folder, by path, with its bytes.
std::map<std::string, std::string> filesOf(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

TEST(SweepRun, CountsWhatTheSameSeededGamesPlayedOneByOneReportAndOnlyReadsTheFolder) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    AutoplayOptions game;
    game.scenario = 2;
    game.players = {3};
    const auto before = filesOf(tmp.root());
    std::vector<FactionTally> tally = sweep(tmp.folder(), game, 40, 4, 2);
    EXPECT_EQ(filesOf(tmp.root()), before);
    expectEqual(tally, playOneByOne(tmp, game, 40, 4));
    ASSERT_EQ(tally.size(), 12u);  // scenario 2 has 12 factions, in number order
    EXPECT_EQ(tally.front().faction, 1);
    EXPECT_EQ(tally.back().faction, 12);
    // Exactly the same figures in one thread or three: the games are added in game order either way.
    expectEqual(sweep(tmp.folder(), game, 40, 4, 1), tally);
    expectEqual(sweep(tmp.folder(), game, 40, 4, 3), tally);
}

TEST(runSweep, PrintsTheCsvOrStopsWithTheMessageOfTheFirstGameAndStatus2) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    SweepOptions o;
    o.games = 2;
    o.jobs = 2;
    o.csv = true;
    std::ostringstream out, err;
    ASSERT_EQ(runSweep(o, tmp.folder(), out, err, false), 0) << err.str();
    const std::string csv = out.str();
    EXPECT_TRUE(csv.starts_with("faction,name,games,survived,first,mean_score,mean_rate\n1,董卓,2,")) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 14);  // the header and 13 factions
    EXPECT_EQ(err.str(), "");

    o.games = 5;
    o.game.from = "7";
    std::ostringstream out2, err2;
    EXPECT_EQ(runSweep(o, tmp.folder(), out2, err2, false), 2);
    EXPECT_NE(err2.str().find("save/busv7.ini"), std::string::npos) << err2.str();
    EXPECT_TRUE(err2.str().starts_with("乱数の種 1 のゲーム")) << "the first game in order: " << err2.str();
    EXPECT_EQ(out2.str(), "");
}

// The game a window shows, continued: the same games as a save made now and swept --from it.
TEST(continuationOf, PlaysOnAsASaveOfTheGameNowWouldAndLeavesTheFolderAsItWas) {
    TempGameFolder tmp;
    tmp.copyShippedData();
    GameGlobals g;
    SeededRandom rng(5);
    test::FakeHost host(g);
    ScenarioSetup title(tmp.folder(), g, rng);
    ASSERT_TRUE(title.Form_Load().ok);
    ASSERT_TRUE(title.chooseScenario(1).ok);
    ASSERT_TRUE(title.startNewGame({0, 4}).ok);
    TurnCycle cycle(tmp.folder(), g, rng, host);
    ASSERT_TRUE(cycle.Form_Load());
    for (int press = 0; press < 4; ++press) ASSERT_TRUE(cycle.Command1_Click(3));  // two players: two years
    ASSERT_EQ(cycle.yearCounter, 197);

    const auto before = filesOf(tmp.root());
    SweepStart start;
    ASSERT_FALSE(continuationOf(tmp.folder(), g, cycle.yearCounter, start));
    EXPECT_EQ(filesOf(tmp.root()), before);
    SweepRun run(start, 3, 1);
    run.play(2);
    ASSERT_FALSE(run.failure()) << *run.failure();

    GameGlobals saving = g;
    fillSaveHeader(saving, cycle.yearCounter);
    ASSERT_TRUE(SaveSlots(tmp.folder(), saving).save_rtn("5").ok);
    AutoplayOptions game;
    game.from = "5";
    expectEqual(run.tally(), sweep(tmp.folder(), game, 1, 3, 1));
    // Swept from the save, the games are autoplay's from it, where the saved players are the computer's.
    expectEqual(run.tally(), playOneByOne(tmp, game, 1, 3));
    game.seed = 1;
    std::ostringstream out, err;
    ASSERT_EQ(runAutoplay(game, tmp.folder(), out, err), 0) << err.str();
    EXPECT_EQ(out.str().find("の番です"), std::string::npos);
    EXPECT_NE(out.str().find("ゲーム最終結果"), std::string::npos);
}

}  // namespace
}  // namespace tei
