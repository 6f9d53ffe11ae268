#pragma once
// The two armies most battle tests fight with, and the dice of a battle in the order it draws them.
//
// 甲 (faction 1): 甲王 ruler, 甲参 staff officer, 甲将 general; troops 100, elite 5, public order 50.
// 乙 (faction 2): 乙王 ruler, 乙参 staff officer, 乙将 general; troops 90, elite 4, public order 100.
// With every pick draw at its lowest (see picks()) they field:
//            commander  cs  Capacity  strategist gi gl  general gL  duelist dv   S   sh fg pl ws
//   甲       甲王       14  7         甲参       8  6   甲将    7   甲将    8    71  7  8  9  13
//   乙       乙将       14  6         乙参       7  5   乙将    6   乙王    9    94  6  7  7  11

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "battle/Battle.h"
#include "support/ScriptedRandom.h"
#include "support/SmallWorld.h"

namespace tei::test {

// A faction's standing after a battle, in one line.
inline std::string standing(const gun& f) {
    return "army " + std::to_string(f.army) + " elite " + std::to_string(f.seihei) + " order " +
           std::to_string(f.tian) + " fame " + std::to_string(f.meisei) + " cohesion " + std::to_string(f.kessoku) +
           " awe " + std::to_string(f.ifu);
}

// A sum of two faces, the first of n1 sides, the second of n2, making 'total'.
inline void sumOf(ScriptedRandom& rng, int total, int n1, int n2) {
    int first = total < n1 - 1 ? total : n1 - 1;
    rng.face(first, n1).face(total - first, n2);
}

// The desertion rolls Int(Rnd * 10) + Int(Rnd * 10) + 2 of a defeated faction's officers, in order.
inline void tempt(ScriptedRandom& rng, std::initializer_list<int> rolls) {
    for (int r : rolls) sumOf(rng, r - 2, 10, 10);
}

// The globals, random source, echo templates, tables and pages of one battle; the placeholder entries
// 0 stand ready. Public, so that table rows can arrange the armies.
class BattleTurn : public ::testing::Test {
public:
    BattleTurn() {
        turn.records.officers[0] = placeholderOfficer();
        turn.records.factions[0] = placeholderFaction();
    }

    GameGlobals g;
    ScriptedRandom rng;
    TemplateBook book = echoTemplates();
    Turn turn{g, rng, book};
    Battle battle{turn};
};

class BattleWorld : public BattleTurn {
public:
    void SetUp() override {
        g.officerCount = 10;
        g.factionCount = 2;
        put(turn, FactionSpec{.id = 1,
                              .name = "甲",
                              .kunshuID = 1,
                              .army = 100,
                              .seihei = 5,
                              .meisei = 120,
                              .kessoku = 60,
                              .tian = 50,
                              .ifu = 30});
        put(turn, FactionSpec{.id = 2,
                              .name = "乙",
                              .kunshuID = 4,
                              .army = 90,
                              .seihei = 4,
                              .meisei = 90,
                              .kessoku = 40,
                              .tian = 100,
                              .ifu = 20});
        // number, name, lord, job; Politics, Valor, Intellect, Leadership, Capacity, Restraint
        officerOf(1, "甲王", 1, Job::Ruler, 5, 6, 4, 5, 7, 0);
        officerOf(2, "甲参", 1, Job::Staff, 6, 2, 8, 6, 3, 3);
        officerOf(3, "甲将", 1, Job::General, 3, 8, 6, 7, 4, 3);
        officerOf(4, "乙王", 4, Job::Ruler, 4, 9, 3, 4, 5, 0);
        officerOf(5, "乙参", 4, Job::Staff, 5, 1, 7, 5, 0, 3);
        officerOf(6, "乙将", 4, Job::General, 2, 7, 5, 6, 6, 3);
        derive(turn);
    }

    // An officer, with his abilities in the order of the officer file.
    void officerOf(int16_t id, const char* name, int16_t kunID, Job job, int16_t policy, int16_t fight, int16_t wisdom,
                   int16_t tactics, int16_t charm, int16_t Setu) {
        put(turn, OfficerSpec{id, name, kunID, job, policy, fight, wisdom, tactics, charm, Setu});
    }
    // Another faction with its ruler (officer number 'ruler'), in the alliance 'meishuID' (0 = none).
    void addFaction(int16_t id, const char* name, int16_t ruler, const char* rulerName, int16_t meishuID,
                    int16_t army) {
        if (g.factionCount < id) g.factionCount = id;
        put(turn, FactionSpec{.id = id, .name = name, .kunshuID = ruler, .meishuID = meishuID, .army = army});
        put(turn, OfficerSpec{.id = ruler, .name = rulerName, .kunID = ruler, .Job = Job::Ruler});
        derive(turn);
    }
    // Alliance frame k at the given cohesion, listing the given factions.
    void frame(int k, int16_t cohesion, std::initializer_list<int> members) {
        g.allianceCohesion[static_cast<size_t>(k)] = cohesion;
        for (int f : members) g.factionAlliance[static_cast<size_t>(f)] = static_cast<int16_t>(k);
    }

    gun& ko() { return turn.faction(1); }
    gun& otsu() { return turn.faction(2); }
    Bushou& officer(int n) { return turn.officer(n); }
    const std::string& page(int n) const { return turn.pages.at(n); }
    // The opening clash as told: from the line after template 17 up to the middle phase.
    std::string opening() const {
        const std::string& p = page(0);
        size_t start = p.find("[17:");
        start = p.find("\r\n", start) + 2;
        size_t end = p.find("その流れのまま中盤戦に入り、");
        return p.substr(start, end - start);
    }
    // The first or last bytes of page n, as many as 'expected' has (the whole page when shorter).
    std::string startOf(int n, const std::string& expected) const { return page(n).substr(0, expected.size()); }
    std::string endOf(int n, const std::string& expected) const {
        const std::string& p = page(n);
        return p.size() < expected.size() ? p : p.substr(p.size() - expected.size());
    }
    // The tactic announcement.
    std::string announcement() const {
        const std::string& p = page(0);
        size_t start = p.find("[17:");
        return p.substr(start, p.find("\r\n", start) - start);
    }

    // The dice, in the order a battle draws them.
    // Int(Rnd * n) = k for n = 2, 3, 4, 6 and 10 alike.
    void zeros(int count) {
        for (int i = 0; i < count; ++i) rng.then(0.0f);
    }
    // Commanders, strategists, generals and champions of 甲 and 乙, every draw at its lowest: 24 draws.
    void picks() { zeros(24); }
    void pair(int total, int n1, int n2) { sumOf(rng, total, n1, n2); }
    // The morale draws r = Int(Rnd * 4) + Int(Rnd * 6) + 2 of A, then B (2..10).
    void morale(int rA, int rB) {
        pair(rA - 2, 4, 6);
        pair(rB - 2, 4, 6);
    }
    // The strategy contest r = Int(Rnd * 2) + Int(Rnd * 2) + 2 of A, then B (2..4).
    void contest(int rA, int rB) {
        pair(rA - 2, 2, 2);
        pair(rB - 2, 2, 2);
    }
    // The duel's score draw, two dice of six (2..12).
    void duelScore(int r) { pair(r - 2, 6, 6); }
    // The opening clash and the middle phase: two dice of six without the constant (0..10), A then B.
    void clash(int rA, int rB) {
        pair(rA, 6, 6);
        pair(rB, 6, 6);
    }
    // The duel itself: Int(Rnd * 4) + Int(Rnd * 4) + 2 (2..8), A then B.
    void duel(int rA, int rB) {
        pair(rA - 2, 4, 4);
        pair(rB - 2, 4, 4);
    }
    // The usual start: lowest picks, morale draws 5 and 10 (only 甲王 adds his Capacity: 214 and 177),
    // contest 4 and 2 (甲参 plans) and a duel score of 7.
    void usualStart() {
        picks();
        morale(5, 10);
        contest(4, 2);
        duelScore(7);
    }
    // Draws after what a test looks at: all at their lowest, more than any battle can use. With every
    // Restraint 3 and rolls of 2, nobody deserts after a defeat.
    void rest() { zeros(40); }
};

}  // namespace tei::test
