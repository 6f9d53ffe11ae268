#include "game/Autoplay.h"

#include <charconv>
#include <memory>
#include <ostream>

#include "core/Random.h"
#include "core/Scenarios.h"
#include "game/TurnCycle.h"
#include "setup/DataCheck.h"
#include "setup/ScenarioSetup.h"

namespace tei {

const char* cliUsage() {
    return "使い方 / usage:\n"
           "  teijiroku-cli autoplay [--scenario N] [--players F,F,...] [--years K] [--seed S] [--quiet]\n"
           "  teijiroku-cli check [DIR]\n";
}

namespace {

bool parseNumber(const std::string& text, long long& out) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string unixLines(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// Answers every question with Yes and prints what the screens would show.
class TextHost final : public Host {
public:
    TextHost(std::ostream& out, std::ostream& err, bool quiet, AutoplayWatch* watch)
        : out_(out), err_(err), quiet_(quiet), watch_(watch) {}

    void notify(const std::string& text) override { say("[message] " + text); }
    bool askYesNo(const std::string& text) override {
        say("[question] " + text + " -> はい");
        return true;
    }
    bool askOkCancel(const std::string& text) override {
        say("[question] " + text + " -> OK");
        return true;
    }
    void showMessageWindow(const WindowPages& window) override {
        std::string shown;
        for (int i = 0; i < window.pages.count() && !window.pages.isEnd(i); ++i)
            shown += unixLines(window.pages.at(i)) + "\n" + std::string(40, '-') + "\n";
        if (window.mode == MsgMode::Resolution) ++yearsResolved;
        if (window.mode == MsgMode::Report) lastReport = shown;
        if (!quiet_) out_ << shown;
        if (watch_) watch_->windowShown(window.mode, window.pages);
    }
    void showStrategy() override {}
    void showFactionDetail() override {}
    void showFactionList() override {}
    void showSaveLoad() override {}
    void endProgram() override { ended = true; }
    void reportFileError(const FileError& e) override {
        err_ << "エラー: " << e.message() << "\nerror: cannot use " << e.path() << "\n";
        failed = true;
    }

    int yearsResolved = 0;
    bool ended = false;
    bool failed = false;
    std::string lastReport;

private:
    void say(const std::string& line) {
        if (!quiet_) out_ << unixLines(line) << "\n";
    }
    std::ostream& out_;
    std::ostream& err_;
    bool quiet_;
    AutoplayWatch* watch_;
};

}  // namespace

std::optional<AutoplayOptions> parseAutoplayOptions(const std::vector<std::string>& args, std::string& error) {
    AutoplayOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                error = "オプション " + a + " に値がありません。 / option " + a + " needs a value.";
                return false;
            }
            v = args[++i];
            return true;
        };
        std::string v;
        long long n = 0;
        if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--scenario") {
            if (!value(v)) return std::nullopt;
            if (!parseNumber(v, n) || n < 1 || n > kScenarioCount) {
                error = "シナリオ番号は 1 から 6 です: " + v + " / the scenario is 1 to 6: " + v;
                return std::nullopt;
            }
            o.scenario = static_cast<int>(n);
        } else if (a == "--years") {
            if (!value(v)) return std::nullopt;
            if (!parseNumber(v, n) || n < 1 || n > 1000) {
                error = "年数は 1 以上の整数です: " + v + " / years must be a whole number of 1 or more: " + v;
                return std::nullopt;
            }
            o.years = static_cast<int>(n);
        } else if (a == "--seed") {
            if (!value(v)) return std::nullopt;
            uint64_t seed = 0;
            auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), seed);
            if (v.empty() || ec != std::errc() || end != v.data() + v.size()) {
                error = "乱数の種は 0 以上の整数です: " + v + " / the seed is a whole number: " + v;
                return std::nullopt;
            }
            o.seed = seed;
        } else if (a == "--players") {
            if (!value(v)) return std::nullopt;
            size_t start = 0;
            while (start <= v.size()) {
                size_t comma = v.find(',', start);
                std::string part = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                if (!parseNumber(part, n) || n < 1 || n > kMaxFaction) {
                    error = "軍閥番号が正しくありません: " + part + " / not a faction number: " + part;
                    return std::nullopt;
                }
                o.players.push_back(static_cast<int>(n));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else {
            error = "不明なオプションです: " + a + " / unknown option: " + a;
            return std::nullopt;
        }
    }
    return o;
}

int runAutoplay(const AutoplayOptions& options, GameFolder& folder, std::ostream& out, std::ostream& err,
                AutoplayWatch* watch) {
    if (!folder.hasFolder("ini")) {
        err << "エラー: ini フォルダが見つかりません（" << folder.root().string() << "）。\n"
            << "error: no ini folder in " << folder.root().string() << "\n";
        return 2;
    }
    // A step a killed run left half done is settled before anything is read.
    if (auto problem = folder.recover()) {
        err << "エラー: " << *problem << "\nerror: an interrupted write cannot be settled\n";
        return 2;
    }
    std::unique_ptr<Random> rng;
    if (options.seed)
        rng = std::make_unique<SeededRandom>(*options.seed);
    else
        rng = std::make_unique<ClockRandom>();
    GameGlobals g;

    // The title screen: the scenario, then a new game with the players' rows. The files of the new
    // game reach the folder as one step once the main screen has opened it.
    GameFolder::DeferredWrites newGame(folder);
    ScenarioSetup title(folder, g, *rng);
    auto fail = [&](const std::string& message) {
        err << "エラー: " << message << "\nerror: the game could not be set up\n";
        return 2;
    };
    if (auto o = title.Form_Load(); !o.ok) return fail(o.message);
    if (auto o = title.chooseScenario(options.scenario - 1); !o.ok) return fail(o.message);
    std::vector<int> rows;
    for (int f : options.players) {
        if (f > g.factionCount) {
            err << "エラー: シナリオ" << options.scenario << "の軍閥は 1 から " << g.factionCount << " です: " << f
                << "\nerror: scenario " << options.scenario << " has factions 1 to " << g.factionCount << ": " << f
                << "\n";
            return 2;
        }
        rows.push_back(f - 1);
    }
    if (rows.empty()) {
        // Nobody plays: the computer plays every faction.
        try {
            title.ori_Chr_rtn();
        } catch (const FileError& e) {
            return fail(e.message());
        }
        g.gameMode = GameMode::New;
        for (int t = 0; t < kSlotCount; ++t) g.slotFaction[t] = g.slotRuler[t] = 0;
    } else if (auto o = title.startNewGame(rows); !o.ok) {
        return fail(o.message);
    }

    TextHost host(out, err, options.quiet, watch);
    TurnCycle cycle(folder, g, *rng, host);
    if (!cycle.Form_Load()) return 2;
    try {
        newGame.commit();
    } catch (const FileError& e) {
        return fail(e.message());
    }
    while (!host.ended && !host.failed && !cycle.ended()) {
        if (options.years && host.yearsResolved >= *options.years) break;
        if (!cycle.Command1_Click(3)) break;
        if (watch) watch->turnDone();
    }
    if (host.failed) return 2;
    if (options.quiet) out << host.lastReport;
    return 0;
}

int runCheck(const std::filesystem::path& iniDir, std::ostream& out) {
    // A step a killed run left half done in the game folder of the checked ini folder is settled first.
    std::filesystem::path dir = std::filesystem::absolute(iniDir).lexically_normal();
    if (!dir.has_filename()) dir = dir.parent_path();
    if (auto problem = GameFolder(dir.parent_path()).recover()) {
        out << *problem << "\n";
        return 1;
    }
    std::vector<std::string> notes;
    auto problems = checkDataFolder(iniDir, &notes);
    for (const auto& n : notes) out << n << "\n";
    for (const auto& p : problems) out << p << "\n";
    return problems.empty() ? 0 : 1;
}

}  // namespace tei
