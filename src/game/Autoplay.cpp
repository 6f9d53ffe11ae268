#include "game/Autoplay.h"

#include <charconv>
#include <memory>
#include <ostream>

#include "core/Random.h"
#include "core/Scenarios.h"
#include "game/TurnCycle.h"
#include "screens/SaveSlots.h"
#include "setup/DataCheck.h"
#include "setup/ScenarioSetup.h"

namespace tei {

const char* cliUsage() {
    return "使い方 / usage:\n"
           "  teijiroku-cli autoplay [--scenario N] [--players F,F,...] [--from SLOT] [--years K] [--seed S]\n"
           "                         [--quiet]\n"
           "  teijiroku-cli sweep [--scenario N] [--players F,F,...] [--from SLOT] [--games K] [--seed S]\n"
           "                      [--jobs J] [--csv]\n"
           "  teijiroku-cli check [DIR]\n"
           "  SLOT: セーブ番号（数字）か auto / a save number (digits) or auto\n";
}

namespace {

bool parseNumber(const std::string& text, long long& out) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseSeed(const std::string& text, uint64_t& out) {
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

    void notify(const std::string& text) override { say("[message] ", text, ""); }
    bool askYesNo(const std::string& text) override {
        say("[question] ", text, " -> はい");
        return true;
    }
    bool askOkCancel(const std::string& text) override {
        say("[question] ", text, " -> OK");
        return true;
    }
    void showMessageWindow(const WindowPages& window) override {
        if (window.mode == MsgMode::Resolution) ++yearsResolved;
        // Quiet, only the last report is printed: the other windows need not be written out.
        if (!quiet_ || window.mode == MsgMode::Report) {
            std::string shown;
            for (int i = 0; i < window.pages.count() && !window.pages.isEnd(i); ++i)
                shown += unixLines(window.pages.at(i)) + "\n" + std::string(40, '-') + "\n";
            if (window.mode == MsgMode::Report) lastReport = shown;
            if (!quiet_) out_ << shown;
        }
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
    void say(const char* head, const std::string& text, const char* tail) {
        if (!quiet_) out_ << head << unixLines(text) << tail << "\n";
    }
    std::ostream& out_;
    std::ostream& err_;
    bool quiet_;
    AutoplayWatch* watch_;
};

}  // namespace

std::optional<std::string> fromSlotProblem(std::string_view slot) {
    const std::string shown(slot);
    if (slot.empty())
        return "セーブ番号がありません。数字か auto を指定してください。 / --from needs a save number (digits) or "
               "auto.";
    if (slot == kAutoSlot) return std::nullopt;
    // Digits of any length, as the save screen takes them; one too long for a file name is refused by
    // the load, with the length the folder allows.
    if (slot.find_first_not_of("0123456789") == std::string_view::npos) return std::nullopt;
    return "セーブ番号「" + shown + "」は使えません。数字か auto を指定してください。 / not a save number: " + shown +
           " (digits or auto)";
}

namespace {

// The value after option args[i]; false with a message when there is none.
bool optionValue(const std::vector<std::string>& args, size_t& i, std::string& v, std::string& error) {
    if (i + 1 >= args.size()) {
        error = "オプション " + args[i] + " に値がありません。 / option " + args[i] + " needs a value.";
        return false;
    }
    v = args[++i];
    return true;
}

}  // namespace

std::optional<bool> parseGameOption(const std::vector<std::string>& args, size_t& i, AutoplayOptions& o,
                                    std::string& error) {
    const std::string& a = args[i];
    if (a != "--scenario" && a != "--players" && a != "--from") return std::nullopt;
    std::string v;
    if (!optionValue(args, i, v, error)) return false;
    long long n = 0;
    if (a == "--scenario") {
        if (!parseNumber(v, n) || n < 1 || n > kScenarioCount) {
            error = "シナリオ番号は 1 から 6 です: " + v + " / the scenario is 1 to 6: " + v;
            return false;
        }
        o.scenario = static_cast<int>(n);
    } else if (a == "--players") {
        o.players.clear();
        size_t start = 0;
        while (start <= v.size()) {
            size_t comma = v.find(',', start);
            std::string part = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!parseNumber(part, n) || n < 1 || n > kMaxFaction) {
                error = "軍閥番号が正しくありません: " + part + " / not a faction number: " + part;
                return false;
            }
            o.players.push_back(static_cast<int>(n));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    } else {
        if (auto problem = fromSlotProblem(v)) {
            error = *problem;
            return false;
        }
        o.from = v;
    }
    return true;
}

bool checkGameOptions(const AutoplayOptions& o, bool scenarioGiven, std::string& error) {
    if (o.from && (scenarioGiven || !o.players.empty())) {
        error =
            "--from と --scenario・--players は一緒に使えません（セーブしたゲームのシナリオで、全軍閥を"
            "コンピュータが担当します）。 / --from cannot go with --scenario or --players: the saved game "
            "has its scenario, and the computer plays every faction.";
        return false;
    }
    return true;
}

std::optional<AutoplayOptions> parseAutoplayOptions(const std::vector<std::string>& args, std::string& error) {
    AutoplayOptions o;
    bool scenarioGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (auto game = parseGameOption(args, i, o, error)) {
            if (!*game) return std::nullopt;
            scenarioGiven = scenarioGiven || a == "--scenario";
            continue;
        }
        std::string v;
        long long n = 0;
        if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--years") {
            if (!optionValue(args, i, v, error)) return std::nullopt;
            if (!parseNumber(v, n) || n < 1 || n > 1000) {
                error = "年数は 1 以上の整数です: " + v + " / years must be a whole number of 1 or more: " + v;
                return std::nullopt;
            }
            o.years = static_cast<int>(n);
        } else if (a == "--seed") {
            if (!optionValue(args, i, v, error)) return std::nullopt;
            uint64_t seed = 0;
            if (!parseSeed(v, seed)) {
                error = "乱数の種は 0 以上の整数です: " + v + " / the seed is a whole number: " + v;
                return std::nullopt;
            }
            o.seed = seed;
        } else {
            error = "不明なオプションです: " + a + " / unknown option: " + a;
            return std::nullopt;
        }
    }
    if (!checkGameOptions(o, scenarioGiven, error)) return std::nullopt;
    return o;
}

int runAutoplay(const AutoplayOptions& options, const GameFolder& folder, std::ostream& out, std::ostream& err,
                AutoplayWatch* watch) {
    return playAutoplay(options, folder, out, err, watch).status;
}

namespace {

std::string setUpFailed(const std::string& message) {
    return "エラー: " + message + "\nerror: the game could not be set up\n";
}

// The title screen: the scenario, then a new game with the players' rows, or every faction to the
// computer when there are none. What to print on stderr when it cannot be done.
std::optional<std::string> setUpNewGame(const AutoplayOptions& options, const GameFolder& folder, GameGlobals& g,
                                        Random& rng) {
    ScenarioSetup title(folder, g, rng);
    if (auto o = title.Form_Load(); !o.ok) return setUpFailed(o.message);
    if (auto o = title.chooseScenario(options.scenario - 1); !o.ok) return setUpFailed(o.message);
    std::vector<int> rows;
    for (int f : options.players) {
        if (f > g.factionCount) {
            const std::string scenario = std::to_string(options.scenario), last = std::to_string(g.factionCount),
                              faction = std::to_string(f);
            return "エラー: シナリオ" + scenario + "の軍閥は 1 から " + last + " です: " + faction +
                   "\nerror: scenario " + scenario + " has factions 1 to " + last + ": " + faction + "\n";
        }
        rows.push_back(f - 1);
    }
    if (rows.empty()) {
        // Nobody plays: the computer plays every faction.
        try {
            title.ori_Chr_rtn();
        } catch (const FileError& e) {
            return setUpFailed(e.message());
        }
        g.gameMode = GameMode::New;
        for (int t = 0; t < kSlotCount; ++t) g.slotFaction[t] = g.slotRuler[t] = 0;
    } else if (auto o = title.startNewGame(rows); !o.ok) {
        return setUpFailed(o.message);
    }
    return std::nullopt;
}

// The load of a saved game, as the load screen does it, then every player slot emptied so that the
// computer plays every faction. What to print on stderr when the slot cannot be loaded.
std::optional<std::string> setUpSavedGame(const std::string& slot, const GameFolder& folder, GameGlobals& g) {
    if (auto problem = fromSlotProblem(slot)) return "エラー: " + *problem + "\n";
    SaveSlots slots(folder, g);
    if (SlotResult loaded = slots.load_rtn(slot); !loaded.ok)
        return "エラー: save" + slot + ": " + unixLines(loaded.text) + "\nerror: save slot " + slot +
               " cannot be loaded\n";
    for (int t = 0; t < kSlotCount; ++t) {
        g.slotFaction[t] = g.slotRuler[t] = g.slotLeader[t] = 0;
        g.slotName[t].clear();
    }
    g.gameMode = GameMode::Continue;
    return std::nullopt;
}

}  // namespace

AutoplayResult playAutoplay(const AutoplayOptions& options, const GameFolder& folder, std::ostream& out,
                            std::ostream& err, AutoplayWatch* watch) {
    if (!folder.hasFolder("ini")) {
        err << "エラー: ini フォルダが見つかりません（" << folder.root().string() << "）。\n"
            << "error: no ini folder in " << folder.root().string() << "\n";
        return {2, {}};
    }
    // A step a killed run left half done is settled before anything is read.
    if (auto problem = folder.recover()) {
        err << "エラー: " << *problem << "\nerror: an interrupted write cannot be settled\n";
        return {2, {}};
    }
    std::unique_ptr<Random> rng;
    if (options.seed)
        rng = std::make_unique<SeededRandom>(*options.seed);
    else
        rng = std::make_unique<ClockRandom>();
    GameGlobals g;

    // The files of the new game (or of the load) reach the folder as one step once the main screen
    // has opened it.
    GameFolder::DeferredWrites start(folder);
    std::optional<std::string> problem =
        options.from ? setUpSavedGame(*options.from, folder, g) : setUpNewGame(options, folder, g, *rng);
    if (problem) {
        err << *problem;
        return {2, {}};
    }
    TextHost host(out, err, options.quiet, watch);
    TurnCycle cycle(folder, g, *rng, host);
    if (!cycle.Form_Load()) return {2, {}};
    try {
        start.commit();
    } catch (const FileError& e) {
        err << setUpFailed(e.message());
        return {2, {}};
    }
    while (!host.ended && !host.failed && !cycle.ended()) {
        if (options.years && host.yearsResolved >= *options.years) break;
        if (!cycle.Command1_Click(3)) break;
        if (watch) watch->turnDone();
    }
    if (host.failed) return {2, {}};
    if (options.quiet) out << host.lastReport;
    return {0, cycle.finalStandings()};
}

int runCheck(const std::filesystem::path& iniDir, std::ostream& out) {
    // A step a killed run left half done in the game folder of the checked ini folder is settled first.
    std::filesystem::path dir = std::filesystem::absolute(iniDir).lexically_normal();
    if (!dir.has_filename()) dir = dir.parent_path();
    if (auto problem = GameFolder(dir.parent_path()).recover()) {
        out << *problem << "\n";
        return 1;
    }
    DataCheckReport report = checkDataFolder(iniDir);
    for (const auto& p : report.problems) out << p << "\n";
    for (const auto& n : report.notes) out << "注意: " << n << "\n";
    return report.problems.empty() ? 0 : 1;
}

}  // namespace tei
