#pragma once
// Many computer games at once, for weighing a scenario or the odds of a game under way: game i of a
// sweep is the game `teijiroku-cli autoplay` plays with the same options and the seed S + i, played
// in memory. The game folder is read once, before the first game: its ini/ files (and, for games
// that start from a save, the slot's files) become one storage in memory of which every game gets a
// copy of its own, so games in several threads share nothing they write.
//
// The tally sums the games in game order whatever thread played them, so the figures do not depend
// on the number of threads. Scores and shares are the final report's (game/Reports.h).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/MemoryStorage.h"
#include "game/Autoplay.h"

namespace tei {

struct SweepOptions {
    AutoplayOptions game;  // the scenario and players, or the slot to start from
    int games = 1000;
    uint64_t seed = 1;  // game i plays with seed + i
    int jobs = 0;       // threads; 0 for one per core
    bool csv = false;
};

// Reads the options after "sweep"; on a bad option returns nothing and sets 'error' to a message in
// Japanese and English.
std::optional<SweepOptions> parseSweepOptions(const std::vector<std::string>& args, std::string& error);

// The threads to play in when none are asked for: one per core.
int defaultJobs();

// Where every game of a sweep starts: the files it needs, in memory, and how it begins.
struct SweepStart {
    std::shared_ptr<const MemoryStorage> files;
    AutoplayOptions game;  // the seed is set per game
};

// The games' start read from the game folder, which is only read: its ini/ files, and with
// game.from the five files of that save slot. A message (Japanese and English) when the slot cannot
// be loaded or a file cannot be read.
[[nodiscard]] std::optional<std::string> prepareSweep(const GameFolder& folder, const AutoplayOptions& game,
                                                      SweepStart& start);

// The game in the working files, continued: saved in memory as the save command would save it now
// (the working files, the year shown as 'year', the alliances' cohesion, the scenario), then loaded
// as a save is and played on by the computer for every faction. Reads the folder only. A message
// when a working file cannot be read.
[[nodiscard]] std::optional<std::string> continuationOf(const GameFolder& folder, const GameGlobals& g, int16_t year,
                                                        SweepStart& start);

// One faction's figures over the games of a sweep.
struct FactionTally {
    int faction = 0;
    std::string name;     // as the first game's final report lists it
    int games = 0;        // games that reached their final report
    int survived = 0;     // games in which it had not fallen at the end
    int first = 0;        // games in which its score was the highest (ties count for each)
    double scoreSum = 0;  // of its final scores, as listed
    double shareSum = 0;  // of its domination rates (制覇率)
    double meanScore() const { return games ? scoreSum / games : 0.0; }
    double meanShare() const { return games ? shareSum / games : 0.0; }
};

// Adds up the final standings of games, one game at a time, in game order.
class SweepTally {
public:
    // One game's final standings: every faction listed counts the game; the factions with the
    // highest score of the game count a first, all of them when several tie.
    void add(const std::vector<Standing>& game);
    // By faction number.
    const std::vector<FactionTally>& factions() const { return factions_; }

private:
    std::vector<FactionTally> factions_;
};

// The games of a sweep, played in threads. play() blocks; cancel() and done() may be called from any
// thread meanwhile.
class SweepRun {
public:
    SweepRun(SweepStart start, int games, uint64_t firstSeed);
    ~SweepRun();
    SweepRun(const SweepRun&) = delete;
    SweepRun& operator=(const SweepRun&) = delete;

    // Plays the games in 'jobs' threads (at least one) and returns when every game is played, a game
    // failed, or cancel() was called; a game under way when it stops is finished first. Meanwhile
    // 'tick' is called on the calling thread about ten times a second.
    void play(int jobs, const std::function<void()>& tick = {});
    void cancel();

    int games() const { return games_; }
    int done() const { return done_.load(); }
    bool cancelled() const { return cancelled_.load(); }
    // The failure of the first game in game order that failed: what it printed on stderr.
    std::optional<std::string> failure() const;
    // The figures of every faction, 1..factionCount, over all games; call after a play() that was
    // neither cancelled nor failed.
    std::vector<FactionTally> tally() const;

private:
    struct Result {
        std::vector<Standing> standings;  // empty when the game failed
        std::string error;
    };
    void work();
    Result playOne(int i) const;
    // Adds the games that are next in game order to the tally and lets go of them, so that a sweep
    // holds only the games finished ahead of one still being played. Under mutex_.
    void addReadyGames();

    SweepStart start_;
    uint64_t firstSeed_;
    int games_;
    std::atomic<int> next_{0};
    std::atomic<int> done_{0};
    std::atomic<bool> stop_{false};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    // Under mutex_:
    int running_ = 0;                // threads still working
    std::map<int, Result> waiting_;  // games played, by number, not yet added
    int added_ = 0;                  // games 0..added_-1 are in the tally
    SweepTally tally_;
    std::optional<std::string> failure_;
};

// One faction's line in the 戦況予測 window: its chances over the continuations, in percent.
struct OddsLine {
    int faction = 0;
    std::string name;
    double firstPercent = 0;     // finished first (ties count for each)
    double survivalPercent = 0;  // had not fallen at the end
    double meanScore = 0;
    bool player = false;  // a player's faction in the game on the screen
};
// The lines of every faction, the likeliest to finish first at the top, then the likeliest to
// survive, then by number. The players are those of g's slots.
std::vector<OddsLine> oddsLines(const std::vector<FactionTally>& tally, const GameGlobals& g);

// The command: plays the games and prints the table (or the CSV) on 'out', a progress bar on 'err'
// when 'progress' is set. Returns the exit status: 0, or 2 with the message on 'err'.
int runSweep(const SweepOptions& options, const GameFolder& folder, std::ostream& out, std::ostream& err,
             bool progress);

// The table of a sweep as the command prints it, and as CSV: the header
// "faction,name,games,survived,first,mean_score,mean_rate" and one row per faction.
std::string sweepTable(const std::vector<FactionTally>& tally, int games);
std::string sweepCsv(const std::vector<FactionTally>& tally);

}  // namespace tei
