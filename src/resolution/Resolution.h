#pragma once
// The yearly resolution. Every offer of the year is contested by the officers of the factions that
// picked it, the best officer wins it for his faction, and his command is carried out once; then fallen
// factions are struck off. Everything that happens is told on the Turn's pages, and the officer and
// faction tables of the Turn are changed in memory; the battles are reached only through the
// BattleRunner. resolveYear adds the working files around the pass.

#include <array>
#include <cstdint>

#include "battle/BattleRunner.h"
#include "battle/Turn.h"
#include "core/FileError.h"
#include "core/GameFolder.h"

namespace tei {

// One offer as the pass resolves it: where it stands, what the dealing put in it, and what the
// contest between the officers decided.
struct OfferContest {
    int frame = 0;  // 0 independents, 1..3 alliances
    int row = 0;    // list position in the frame, 0..3
    Command command = Command::Wait;
    int target = 0;  // officer or faction number, by command
    int amount = 0;  // percentage or thousands of troops, by command
    int difficulty = 0;
    int winner = 0;       // officer number of the winner, 0 = nobody took the offer
    int best = 0;         // the winning score, 16-bit
    int lastFailing = 0;  // the last officer who failed the entry test of a group C contest, 0 = none
    int roll = 0;         // the offer roll, 2d6 drawn after the contest
};

class Resolution {
public:
    Resolution(Turn& turn, BattleRunner& battles) : turn_(turn), g_(turn.g), battles_(battles) {}

    // The year of g.detailId: the banner on page 0 of fresh pages, the tables loaded from the working
    // files (ld_Chr, ld_Gun, ld_Chr2), the pass, and the officer and faction files written back
    // (sv_Chr, sv_Gun). Throws FileError when a file cannot be read or written; both working files
    // then hold what they held before the call.
    void resolveYear(GameFolder& folder);

    // The pass over every offer of the year, in memory: faction dice, every offer of frames 0..3 in
    // list order, the fall check, and "EOT" after the last page written.
    void Strate_rtn();
    // True when a player's faction was attacked during the pass: the window shows its warning label.
    bool cautionShown() const { return attacked_; }

    // Contest
    // The faction dice of the pass, d(1..19) = 2d6 in faction order; d(0) and d(20) stay 0.
    void rollFactionDice();
    int factionDie(int f) const { return (f >= 0 && f <= kMaxFaction) ? dice_[static_cast<size_t>(f)] : 0; }
    // Who takes part in offer (frame, row), their scores, the winner and the offer roll. An offer that
    // is passed over (no command 1..12) scores nobody and draws only its roll.
    OfferContest contest(int frame, int row);
    // The winner's command carried out: commands 1..12, anything else is passed over.
    void carryOut(const OfferContest& c);

    // Commands, each given the decided contest
    void recruit(const OfferContest& c);              // 1 人材募集
    void raiseTroops(const OfferContest& c);          // 2 兵力確保
    void subvert(const OfferContest& c);              // 3 調略
    void subdueYellowTurbans(const OfferContest& c);  // 4 黄巾賊退治
    void subdueBarbarians(const OfferContest& c);     // 5 異民族討伐
    void mediate(const OfferContest& c);              // 6 調停
    void denounce(const OfferContest& c);             // 7 糾弾
    void joinAlliance(const OfferContest& c);         // 8 同盟参加
    void leaveAlliance(const OfferContest& c);        // 9 脱退
    void takeOverAlliance(const OfferContest& c);     // 10 盟主交替
    void declareWar(const OfferContest& c);           // 11 戦争
    void righteousWar(const OfferContest& c);         // 12 義戦

    // Fall of factions
    void Metubou(int f);
    void looseMeishu(int f);
    void checkMetubou();
    bool checkAllMetubou() const;

    bool Metubou_Flg = false;      // a player's faction fell in this pass
    bool All_Metubou_Flg = false;  // no player's faction is left

private:
    void playerHeaders(int frame, int row);
    bool takesPart(const Bushou& b, int frame, int row, Command command) const;
    // The leader beaten by command 4 or 5 joins the winner's faction or hides.
    void captureLeader(const Bushou& winner, Bushou& leader, int capacity, int roll);
    // The battle of commands 11 and 12, after the text both share.
    void startWar(const OfferContest& c, bool righteous);
    // Rewrites the officer file, then the faction file; puts the officer file back when the faction
    // file cannot be written. Throws FileError.
    void saveRecords(GameFolder& folder);

    // Records
    Bushou& winnerOf(const OfferContest& c) { return turn_.officer(c.winner); }
    gun& factionOf(const Bushou& b) { return turn_.faction(b.gunID); }
    Bushou& lordOf(const Bushou& b) { return turn_.officer(b.kunID); }
    bool hasOfficer(int n) const { return n >= 1 && n <= turn_.officerCount() && n <= kMaxOfficer; }
    bool hasFaction(int n) const { return n >= 1 && n <= turn_.factionCount() && n <= kMaxFaction; }
    // The officer or faction an offer names. A number without a record gives a fresh copy of the
    // placeholder, so whatever the command does to it changes no table.
    Bushou& targetOfficer(int n);
    gun& targetFaction(int n);
    // The frame faction f is listed in, or -1 when f has no record or its frame is out of range.
    int frameOf(int f) const;
    // The faction whose ruler is officer 'ruler', the first in faction order; 0 when none.
    int factionRuledBy(int ruler) const;

    Turn& turn_;
    GameGlobals& g_;
    BattleRunner& battles_;
    std::array<int, kMaxFaction + 1> dice_{};
    bool attacked_ = false;
    Bushou scratchOfficer_;
    gun scratchFaction_;
};

}  // namespace tei
