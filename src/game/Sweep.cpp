#include "game/Sweep.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <limits>
#include <ostream>
#include <sstream>
#include <system_error>
#include <thread>

#include "screens/SaveSlots.h"

namespace tei {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxGames = 1'000'000;
constexpr int kMaxJobs = 256;
// The slot the game on the screen is saved to in memory, to be loaded by every continuation.
constexpr const char* kContinuationSlot = "0";

bool parseWhole(const std::string& text, uint64_t& out) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

// A number written with a fixed count of decimals, whatever the locale of the program.
std::string fixed(double value, int decimals) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(text, end) : std::string("?");
}

std::string percent(int count, int games) {
    return games > 0 ? fixed(100.0 * count / games, 1) + "%" : std::string("-");
}

// The columns a text takes on a terminal: two for every character beyond ASCII (the names are
// Japanese), one for the rest.
int columns(std::string_view text) {
    int n = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            n += 1;
        else if (c >= 0xC0)
            n += 2;  // the lead byte of a character; continuation bytes add nothing
    }
    return n;
}

std::string padRight(const std::string& text, int width) {
    return text + std::string(static_cast<size_t>(std::max(0, width - columns(text))), ' ');
}

std::string padLeft(const std::string& text, int width) {
    return std::string(static_cast<size_t>(std::max(0, width - columns(text))), ' ') + text;
}

// A name as a CSV field: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// The files of ini/ in a new memory storage under the same root, so that messages name files as on
// the disk. Throws FileError.
std::shared_ptr<MemoryStorage> iniInMemory(const GameFolder& folder) {
    auto memory = std::make_shared<MemoryStorage>(folder.root());
    std::vector<Replacement> files;
    for (const std::string& name : folder.files("ini")) {
        fs::path p = folder.root() / "ini" / name;
        files.push_back({p, std::make_shared<const std::string>(folder.readBytes(p)), {}, {}});
    }
    memory->replace(files, false);
    return memory;
}

std::string cannotRead(const FileError& e) {
    return "エラー: " + e.message() + "\nerror: cannot read " + e.path() + "\n";
}

}  // namespace

std::optional<SweepOptions> parseSweepOptions(const std::vector<std::string>& args, std::string& error) {
    SweepOptions o;
    bool scenarioGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (auto game = parseGameOption(args, i, o.game, error)) {
            if (!*game) return std::nullopt;
            scenarioGiven = scenarioGiven || a == "--scenario";
            continue;
        }
        if (a == "--csv") {
            o.csv = true;
            continue;
        }
        if (a != "--games" && a != "--seed" && a != "--jobs") {
            error = "不明なオプションです: " + a + " / unknown option: " + a;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = "オプション " + a + " に値がありません。 / option " + a + " needs a value.";
            return std::nullopt;
        }
        const std::string& v = args[++i];
        uint64_t n = 0;
        bool whole = parseWhole(v, n);
        if (a == "--games") {
            if (!whole || n < 1 || n > kMaxGames) {
                error = "対局数は 1 から " + std::to_string(kMaxGames) + " です: " + v + " / games must be 1 to " +
                        std::to_string(kMaxGames) + ": " + v;
                return std::nullopt;
            }
            o.games = static_cast<int>(n);
        } else if (a == "--seed") {
            if (!whole) {
                error = "乱数の種は 0 以上の整数です: " + v + " / the seed is a whole number: " + v;
                return std::nullopt;
            }
            o.seed = n;
        } else {
            if (!whole || n < 1 || n > kMaxJobs) {
                error = "スレッド数は 1 から " + std::to_string(kMaxJobs) + " です: " + v + " / jobs must be 1 to " +
                        std::to_string(kMaxJobs) + ": " + v;
                return std::nullopt;
            }
            o.jobs = static_cast<int>(n);
        }
    }
    if (!checkGameOptions(o.game, scenarioGiven, error)) return std::nullopt;
    // Game i plays with seed S + i: the last seed must be a seed too.
    if (o.seed > std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(o.games - 1)) {
        error =
            "乱数の種が大きすぎます（種 + 対局数 - 1 が 18446744073709551615 を超えます）: " + std::to_string(o.seed) +
            " / the seed plus the games less one exceeds 18446744073709551615: " + std::to_string(o.seed);
        return std::nullopt;
    }
    return o;
}

int defaultJobs() {
    unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(std::min<unsigned>(cores, kMaxJobs)) : 1;
}

std::optional<std::string> prepareSweep(const GameFolder& folder, const AutoplayOptions& game, SweepStart& start) {
    if (!folder.hasFolder("ini"))
        return "エラー: ini フォルダが見つかりません（" + folder.root().string() + "）。\nerror: no ini folder in " +
               folder.root().string() + "\n";
    try {
        std::shared_ptr<MemoryStorage> memory = iniInMemory(folder);
        if (game.from) {
            // The slot's files as they are; one that is missing is named by the load of the first game.
            std::vector<Replacement> files;
            for (const std::string& name : SaveSlots::slotFileNames(*game.from)) {
                fs::path p = folder.save(name);
                if (folder.exists(p))
                    files.push_back({p, std::make_shared<const std::string>(folder.readBytes(p)), {}, {}});
            }
            memory->replace(files, false);
        }
        start = {std::move(memory), game};
    } catch (const FileError& e) {
        return cannotRead(e);
    }
    return std::nullopt;
}

std::optional<std::string> continuationOf(const GameFolder& folder, const GameGlobals& g, int16_t year,
                                          SweepStart& start) {
    std::shared_ptr<MemoryStorage> memory;
    try {
        memory = iniInMemory(folder);
    } catch (const FileError& e) {
        return e.message();
    }
    // Saved in memory exactly as the save command saves the game; the window's game is not touched.
    GameGlobals saving = g;
    fillSaveHeader(saving, year);
    SlotResult saved = SaveSlots(GameFolder(memory), saving).save_rtn(kContinuationSlot);
    if (!saved.ok) return saved.text;
    AutoplayOptions game;
    game.from = kContinuationSlot;
    start = {std::move(memory), game};
    return std::nullopt;
}

// Running

SweepRun::SweepRun(SweepStart start, int games, uint64_t firstSeed)
    : start_(std::move(start)), firstSeed_(firstSeed), games_(std::max(0, games)) {}

SweepRun::~SweepRun() = default;

void SweepRun::cancel() {
    cancelled_ = true;
    stop_ = true;
}

SweepRun::Result SweepRun::playOne(int i) const {
    Result r;
    const uint64_t seed = firstSeed_ + static_cast<uint64_t>(i);
    AutoplayOptions o = start_.game;
    o.seed = seed;
    o.quiet = true;
    o.years.reset();
    std::ostream discard(nullptr);  // the last report, which the standings already hold
    std::ostringstream err;
    try {
        GameFolder folder(std::make_shared<MemoryStorage>(*start_.files));
        AutoplayResult played = playAutoplay(o, folder, discard, err);
        if (played.status != 0)
            r.error = err.str();
        else if (played.finalStandings.empty())
            r.error = "エラー: 最終結果の前にゲームが終わりました。\nerror: the game ended before its final report\n";
        else
            r.standings = std::move(played.finalStandings);
    } catch (const std::exception& e) {
        r.error = std::string("エラー: ") + e.what() + "\n";
    }
    if (!r.error.empty())
        r.error = "乱数の種 " + std::to_string(seed) + " のゲーム / the game of seed " + std::to_string(seed) + ":\n" +
                  r.error;
    return r;
}

void SweepRun::work() {
    while (!stop_) {
        int i = next_.fetch_add(1);
        if (i >= games()) break;
        Result r = playOne(i);
        if (!r.error.empty()) stop_ = true;
        {
            std::lock_guard lock(mutex_);
            waiting_.emplace(i, std::move(r));
            addReadyGames();
        }
        ++done_;
    }
    std::lock_guard lock(mutex_);
    if (--running_ == 0) finished_.notify_all();
}

void SweepRun::addReadyGames() {
    // Games are handed out in order and every game handed out is finished, so the first failure
    // reached here is the first in game order.
    for (auto next = waiting_.begin(); !failure_ && next != waiting_.end() && next->first == added_;
         next = waiting_.erase(next), ++added_) {
        if (!next->second.error.empty())
            failure_ = next->second.error;
        else
            tally_.add(next->second.standings);
    }
}

void SweepRun::play(int jobs, const std::function<void()>& tick) {
    jobs = std::clamp(jobs, 1, std::max(1, games()));
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        running_ = jobs;
    }
    for (int j = 0; j < jobs; ++j) {
        try {
            threads.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            // No more threads to be had: those running play every game.
            std::lock_guard lock(mutex_);
            running_ -= jobs - j;
            break;
        }
    }
    if (threads.empty()) {
        running_ = 1;
        work();
    }
    {
        std::unique_lock lock(mutex_);
        while (running_ > 0) {
            finished_.wait_for(lock, std::chrono::milliseconds(100));
            if (tick && running_ > 0) {
                lock.unlock();
                tick();
                lock.lock();
            }
        }
    }
    for (std::thread& t : threads) t.join();
    if (tick) tick();
}

std::optional<std::string> SweepRun::failure() const {
    std::lock_guard lock(mutex_);
    return failure_;
}

std::vector<FactionTally> SweepRun::tally() const {
    std::lock_guard lock(mutex_);
    return tally_.factions();
}

void SweepTally::add(const std::vector<Standing>& game) {
    if (game.empty()) return;
    double best = game.front().score;
    for (const Standing& s : game) best = std::max(best, s.score);
    for (const Standing& s : game) {
        auto t = std::lower_bound(factions_.begin(), factions_.end(), s.faction,
                                  [](const FactionTally& f, int faction) { return f.faction < faction; });
        if (t == factions_.end() || t->faction != s.faction) t = factions_.insert(t, FactionTally{s.faction, s.name});
        ++t->games;
        t->survived += s.fallen ? 0 : 1;
        t->first += s.score == best ? 1 : 0;
        t->scoreSum += s.score;
        t->shareSum += s.share;
    }
}

std::vector<OddsLine> oddsLines(const std::vector<FactionTally>& tally, const GameGlobals& g) {
    std::vector<OddsLine> lines;
    for (const FactionTally& t : tally) {
        OddsLine line{t.faction, t.name};
        if (t.games > 0) {
            line.firstPercent = 100.0 * t.first / t.games;
            line.survivalPercent = 100.0 * t.survived / t.games;
        }
        line.meanScore = t.meanScore();
        line.player = std::find(g.slotFaction.begin(), g.slotFaction.end(), t.faction) != g.slotFaction.end();
        lines.push_back(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const OddsLine& a, const OddsLine& b) {
        if (a.firstPercent != b.firstPercent) return a.firstPercent > b.firstPercent;
        if (a.survivalPercent != b.survivalPercent) return a.survivalPercent > b.survivalPercent;
        return a.faction < b.faction;
    });
    return lines;
}

// The command

std::string sweepTable(const std::vector<FactionTally>& tally, int games) {
    std::string out = padLeft("軍閥", 4) + "  " + padRight("名前", 12) + padLeft("対局", 8) + padLeft("生存", 16) +
                      padLeft("1位", 16) + padLeft("平均スコア", 12) + padLeft("平均制覇率", 12) + "\n";
    out += padLeft("no.", 4) + "  " + padRight("name", 12) + padLeft("games", 8) + padLeft("survived", 16) +
           padLeft("first", 16) + padLeft("mean score", 12) + padLeft("mean rate", 12) + "\n";
    for (const FactionTally& t : tally) {
        out += padLeft(std::to_string(t.faction), 4) + "  " + padRight(t.name, 12) +
               padLeft(std::to_string(t.games), 8) +
               padLeft(std::to_string(t.survived) + " (" + percent(t.survived, games) + ")", 16) +
               padLeft(std::to_string(t.first) + " (" + percent(t.first, games) + ")", 16) +
               padLeft(fixed(t.meanScore(), 2), 12) + padLeft(fixed(t.meanShare(), 4), 12) + "\n";
    }
    return out;
}

std::string sweepCsv(const std::vector<FactionTally>& tally) {
    std::string out = "faction,name,games,survived,first,mean_score,mean_rate\n";
    for (const FactionTally& t : tally)
        out += std::to_string(t.faction) + "," + csvField(t.name) + "," + std::to_string(t.games) + "," +
               std::to_string(t.survived) + "," + std::to_string(t.first) + "," + fixed(t.meanScore(), 2) + "," +
               fixed(t.meanShare(), 4) + "\n";
    return out;
}

int runSweep(const SweepOptions& options, const GameFolder& folder, std::ostream& out, std::ostream& err,
             bool progress) {
    // A step a killed run left half done is settled before anything is read, as every start does.
    if (auto problem = folder.recover()) {
        err << "エラー: " << *problem << "\nerror: an interrupted write cannot be settled\n";
        return 2;
    }
    SweepStart start;
    if (auto problem = prepareSweep(folder, options.game, start)) {
        err << *problem;
        return 2;
    }
    SweepRun run(std::move(start), options.games, options.seed);
    auto bar = [&] {
        const int width = 40, done = run.done(), all = run.games();
        const int filled = all > 0 ? static_cast<int>(static_cast<long long>(width) * done / all) : width;
        err << "\r[" << std::string(static_cast<size_t>(filled), '#')
            << std::string(static_cast<size_t>(width - filled), '.') << "] " << done << "/" << all << std::flush;
    };
    run.play(options.jobs > 0 ? options.jobs : defaultJobs(), progress ? std::function<void()>(bar) : nullptr);
    if (progress) err << "\n";
    if (auto failed = run.failure()) {
        err << *failed;
        return 2;
    }
    std::vector<FactionTally> tally = run.tally();
    if (options.csv) {
        out << sweepCsv(tally);
        return 0;
    }
    const std::string last = std::to_string(options.seed + static_cast<uint64_t>(options.games - 1));
    if (options.game.from)
        out << "save" << *options.game.from << " から / from save" << *options.game.from;
    else
        out << "シナリオ" << options.game.scenario << " / scenario " << options.game.scenario;
    if (!options.game.players.empty()) {
        out << ", プレイヤー / players";
        for (size_t k = 0; k < options.game.players.size(); ++k) out << (k ? "," : " ") << options.game.players[k];
    }
    out << ", " << options.games << " 局 / games, 乱数の種 / seeds " << options.seed << ".." << last << "\n";
    out << sweepTable(tally, options.games);
    return 0;
}

}  // namespace tei
