// Whole games played by the computer, as teijiroku-cli autoplay plays them, with the game's files
// checked after every year. The games run through runAutoplay in this process with a watch that
// looks between the steps; a second test runs the real program and shows that it plays the same
// games to the same bytes.
//
// TEIJIROKU_SOAK_GAMES sets the number of games (204 by default, spread over the six scenarios).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/RecordFiles.h"
#include "core/Scenarios.h"
#include "game/Autoplay.h"
#include "game/Reports.h"
#include "messages/Chronicle.h"
#include "messages/MessagePages.h"
#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

int soakGames() {
    const char* v = std::getenv("TEIJIROKU_SOAK_GAMES");
    int n = v ? std::atoi(v) : 0;
    return n > 0 ? n : 204;
}

// Checks one game between its steps and keeps what it found.
class GameCheck final : public AutoplayWatch {
public:
    GameCheck(const GameFolder& folder, int scenario)
        : folder_(folder), factionCount_(scenarioInfo(scenario).factionCount) {
        comments_ = folder.readBytes(folder.ini(kCommentMaster));
    }

    void windowShown(MsgMode mode, const MessagePages& pages) override {
        if (mode == MsgMode::Resolution) {
            ++years;
            checkPages(pages);
            checkFall();
        }
        if (mode == MsgMode::Report) {
            ++reports;
            // The report copied the chronicle as it stands (the year's writes are still held: the folder
            // shows them).
            if (folder_.readBytes(folder_.save(kEndLogName)) != folder_.readBytes(folder_.ini(kChronicleFile)))
                problem("save/tei_end.log differs from the chronicle after a report");
        }
    }

    void turnDone() override { checkFiles(); }

    int years = 0;
    int reports = 0;
    long saturated = 0;  // record values standing at a 16-bit limit
    std::vector<std::string> problems;

private:
    void problem(const std::string& what) {
        if (problems.size() < 10) problems.push_back("year " + std::to_string(years) + ": " + what);
    }

    // The year's story stays on pages 0..39 with "EOT" after it, so the window's buttons reach its last page.
    void checkPages(const MessagePages& composed) {
        if (composed.page < 0 || composed.page > composed.lastComposable()) problem("composition left pages 0..39");
        if (!composed.isEnd(composed.page + 1)) problem("no EOT after the last page");
    }

    // After the fall check every live faction has 20 Troops or more, an officer besides its ruler, or
    // Fame above Awe by more than 1 (the least the check's draw asks for).
    void checkFall() {
        RecordTables t;
        t.ld_Chr(folder_, kGameOfficerCount);
        t.ld_Gun(folder_, factionCount_);
        t.ld_Chr2(kGameOfficerCount, factionCount_);
        for (int f = 1; f <= factionCount_; ++f) {
            const gun& x = t.factions[static_cast<size_t>(f)];
            if (x.del) continue;
            bool follower = false;
            for (int o = 1; o <= kGameOfficerCount; ++o) {
                const Bushou& b = t.officers[static_cast<size_t>(o)];
                follower = follower || (b.gunID == f && b.kunID != b.id);
            }
            if (!(x.army >= 20 || follower || x.meisei - x.ifu > 1))
                problem("faction " + std::to_string(f) + " should have fallen");
        }
    }

    // The working files on the disk after a press of Auto.
    void checkFiles() {
        std::string officers = folder_.readBytes(folder_.ini(kOfficerFile));
        OfficerFile of = parseOfficerFile(officers);
        if (!wholeInOrder(of, kGameOfficerCount, 11)) problem("officer records are not 1..170 in order, whole");
        OfficerTable ot{};
        fillOfficers(of, kGameOfficerCount, ot);
        if (formatOfficers(ot, kGameOfficerCount) != officers)
            problem("the officer file does not read back as written");

        std::string factions = folder_.readBytes(folder_.ini(kFactionFile));
        FactionFile ff = parseFactionFile(factions);
        if (!wholeInOrder(ff, factionCount_, 10)) problem("faction records are not 1..factionCount in order, whole");
        FactionTable ft{};
        fillFactions(ff, factionCount_, ft);
        // The resolution writes names bare, the year end's one-record writer in double quotes.
        if (formatFactions(ft, factionCount_) != factions && quotedNames(ft) != factions)
            problem("the faction file does not read back as written");

        auto see = [&](int16_t v) { saturated += v == INT16_MIN || v == INT16_MAX; };
        for (int i = 1; i <= kGameOfficerCount; ++i)
            for (int k = 1; k <= 8; ++k) see(officerNumberField(ot[i], k));
        for (int f = 1; f <= factionCount_; ++f)
            for (int k = 1; k <= 8; ++k) see(factionNumberField(ft[f], k));

        if (folder_.readBytes(folder_.ini(kCommentFile)) != comments_) problem("the comment file changed");

        const std::string log = folder_.readBytes(folder_.ini(kChronicleFile));
        const std::string end = std::string(kCrLf) + kChronicleEnd + kCrLf;
        if (!log.ends_with(end) || log.find(end) != log.size() - end.size())
            problem("teiji.log does not end with its one end line");
    }

    // Records 1..count, each with all its fields.
    template <class RecordFile>
    static bool wholeInOrder(const RecordFile& file, int count, int fields) {
        bool inOrder = file.size() == static_cast<size_t>(count);
        for (size_t i = 0; inOrder && i < file.size(); ++i)
            inOrder = file[i].number == static_cast<int>(i + 1) && file[i].fields == fields;
        return inOrder;
    }

    // The faction file as the year end's writer lays it out: each name (a record's second line) in double quotes.
    std::string quotedNames(const FactionTable& t) const {
        std::istringstream in(formatFactions(t, factionCount_));
        std::string quoted, line;
        for (int i = 0; std::getline(in, line); ++i) {
            line.pop_back();  // CR
            quoted += (i % 4 == 1 ? "\"" + line + "\"" : line) + kCrLf;
        }
        return quoted;
    }

    const GameFolder& folder_;
    int factionCount_;
    std::string comments_;
};

AutoplayOptions gameNumber(int i) {
    AutoplayOptions o;
    o.scenario = i % kScenarioCount + 1;
    o.seed = static_cast<uint64_t>(i) + 1;
    o.quiet = true;
    // Every third game has one person at the screen (who presses Auto like the rest), so that the
    // fall of a player's faction is played too.
    if (i % 3 == 2) o.players = {1 + (i / kScenarioCount) % scenarioInfo(o.scenario).factionCount};
    return o;
}

TEST(Soak, WholeGamesKeepEveryFileSound) {
    const int games = soakGames();
    long years = 0, saturated = 0;
    int failedGames = 0;
    for (int i = 0; i < games; ++i) {
        AutoplayOptions o = gameNumber(i);
        TempGameFolder tmp;
        tmp.copyShippedData();
        GameCheck check(tmp.folder(), o.scenario);
        std::ostringstream out, err;
        int status = runAutoplay(o, tmp.folder(), out, err, &check);
        years += check.years;
        saturated += check.saturated;
        const ScenarioInfo& s = scenarioInfo(o.scenario);
        bool sound = status == 0 && check.problems.empty() && check.years == s.lastYear - s.firstYear &&
                     check.reports == 2 && out.str().starts_with("ゲーム最終結果");
        if (!sound && ++failedGames <= 5) {
            std::string found;
            for (const auto& p : check.problems) found += "\n  " + p;
            ADD_FAILURE() << "scenario " << o.scenario << " seed " << *o.seed << ": status " << status << ", "
                          << check.years << " years, " << check.reports << " reports" << found << "\n"
                          << err.str();
        }
    }
    EXPECT_EQ(failedGames, 0);
    // A value standing at a 16-bit limit is one that saturated: the rules never come near them.
    EXPECT_EQ(saturated, 0);
    std::cout << "soak: " << games << " games, " << years << " years\n";
}

#ifdef TEIJIROKU_CLI
// The real program, run in a folder of its own, plays the same games to the same bytes as the engine
// code the soak drives.
TEST(Soak, TheProgramPlaysTheSameGames) {
    for (int scenario = 1; scenario <= kScenarioCount; ++scenario) {
        SCOPED_TRACE(scenario);
        TempGameFolder viaProgram, inProcess;
        viaProgram.copyShippedData();
        inProcess.copyShippedData();
        std::string command = "cd '" + viaProgram.root().string() + "' && '" TEIJIROKU_CLI "' autoplay --scenario " +
                              std::to_string(scenario) + " --seed 77 --quiet > out.txt 2> err.txt";
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;

        AutoplayOptions o{.scenario = scenario, .players = {}, .years = {}, .seed = 77, .quiet = true, .from = {}};
        std::ostringstream out, err;
        ASSERT_EQ(runAutoplay(o, inProcess.folder(), out, err), 0);

        EXPECT_EQ(viaProgram.folder().readBytes(viaProgram.root() / "out.txt"), out.str());
        EXPECT_EQ(viaProgram.folder().readBytes(viaProgram.root() / "err.txt"), "");
        for (const char* name : {"busv.ini", "gunsv.ini", "Cmtsv.ini", "teiji.log", "teiji.img", "history.csv"})
            EXPECT_EQ(viaProgram.readIni(name), inProcess.readIni(name)) << name;
        EXPECT_EQ(viaProgram.readSave(kEndLogName), inProcess.readSave(kEndLogName));
    }
}
#endif

}  // namespace
}  // namespace tei
