#pragma once
// A small world for the resolution's tests: three factions and eight officers in a Turn with echo
// templates, a scripted random source, and a battle double that records every battle it is asked for.
//
//   faction 1 魏 (ruler 1 曹操)   officers 2 荀彧 参謀, 3 夏侯惇 将軍
//   faction 2 呉 (ruler 4 孫堅)   officer 5 周瑜 軍師
//   faction 3 蜀 (ruler 6 劉備)   officer 7 関羽 武官
//   officer 8 徐庶 serves nobody
// Every faction starts independent in frame 0; the tests set abilities and values as they need them.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/BattleRunner.h"
#include "battle/Turn.h"
#include "resolution/Resolution.h"
#include "support/ScriptedRandom.h"
#include "support/SmallWorld.h"

namespace tei::test {

class RecordingBattles final : public BattleRunner {
public:
    struct Call {
        bool righteous;
        int attacker;
        int defender;
        int page;  // the page the battle starts on
        bool operator==(const Call&) const = default;
    };
    explicit RecordingBattles(const MessagePages& pages) : pages_(pages) {}
    void War_rtn(gun& attacker, gun& defender) override { record(false, attacker, defender); }
    void Gisen_rtn(gun& attacker, gun& defender) override { record(true, attacker, defender); }

    std::vector<Call> calls;

private:
    void record(bool righteous, const gun& a, const gun& d) { calls.push_back({righteous, a.id, d.id, pages_.page}); }
    const MessagePages& pages_;
};

class ResolutionWorld : public ::testing::Test {
protected:
    ResolutionWorld() {
        g.officerCount = 8;
        g.factionCount = 3;
        put(turn, FactionSpec{.id = 1, .name = "魏", .kunshuID = 1});
        put(turn, FactionSpec{.id = 2, .name = "呉", .kunshuID = 4});
        put(turn, FactionSpec{.id = 3, .name = "蜀", .kunshuID = 6});
        put(turn, OfficerSpec{.id = 1, .name = "曹操", .kunID = 1, .Job = Job::Ruler});
        put(turn, OfficerSpec{.id = 2, .name = "荀彧", .kunID = 1, .Job = Job::Staff});
        put(turn, OfficerSpec{.id = 3, .name = "夏侯惇", .kunID = 1, .Job = Job::General});
        put(turn, OfficerSpec{.id = 4, .name = "孫堅", .kunID = 4, .Job = Job::Ruler});
        put(turn, OfficerSpec{.id = 5, .name = "周瑜", .kunID = 4, .Job = Job::Strategist});
        put(turn, OfficerSpec{.id = 6, .name = "劉備", .kunID = 6, .Job = Job::Ruler});
        put(turn, OfficerSpec{.id = 7, .name = "関羽", .kunID = 6, .Job = Job::Military});
        put(turn, OfficerSpec{.id = 8, .name = "徐庶", .kunID = 0, .Job = Job::None});
        derive(turn);
        turn.records.officers[0] = placeholderOfficer();
        turn.records.factions[0] = placeholderFaction();
    }

    Bushou& officer(int n) { return turn.records.officers[static_cast<size_t>(n)]; }
    gun& faction(int n) { return turn.records.factions[static_cast<size_t>(n)]; }
    // Everything written on the pages, page breaks shown as "/".
    std::string story() const {
        std::string out;
        for (int i = 0; i < turn.pages.count(); ++i) {
            if (i > 0) out += "/";
            out += turn.pages.at(i);
        }
        while (!out.empty() && out.back() == '/') out.pop_back();
        return out;
    }
    // An offer already contested: the command with its winner and roll.
    OfferContest won(Command command, int winner, int roll, int target = 0, int amount = 0, int difficulty = 0,
                     int best = 0) {
        OfferContest c;
        c.command = command;
        c.winner = winner;
        c.roll = roll;
        c.target = target;
        c.amount = amount;
        c.difficulty = difficulty;
        c.best = best;
        return c;
    }
    // Faction dice d(1..19): the given sums first (each as two dice), then 2 for the rest.
    void scriptFactionDice(std::initializer_list<std::pair<int, int>> first) {
        int n = 0;
        for (auto [a, b] : first) {
            rng.dice(a, b);
            ++n;
        }
        for (; n < 19; ++n) rng.dice(1, 1);
    }

    GameGlobals g;
    ScriptedRandom rng;
    TemplateBook book = echoTemplates();
    Turn turn{g, rng, book};
    RecordingBattles battles{turn.pages};
    Resolution res{turn, battles};
};

// A command's world: the arguments of the last template shown are still "前1" and "前2", so that a
// template the command shows without setting them reads as stale.
class CommandWorld : public ResolutionWorld {
protected:
    CommandWorld() {
        g.textArg1 = "前1";
        g.textArg2 = "前2";
    }
};

}  // namespace tei::test
