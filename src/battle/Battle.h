#pragma once
// A battle between two factions of one year's resolution: the officers each side puts forward, the
// strength totals, the fight itself (a fixed sequence of contests that move each side's morale) and
// what victory, defeat, a draw or a surrender does to the records. Works on the Turn's tables and
// tells the battle on the Turn's pages.

#include <cstdint>

#include "battle/BattleRunner.h"
#include "battle/Turn.h"

namespace tei {

// The officer a pick puts forward for a role (0 = nobody) and his best score (0 without him).
struct Pick {
    int officer = 0;
    int16_t score = 0;
    bool operator==(const Pick&) const = default;
};

class Battle : public BattleRunner {
public:
    explicit Battle(Turn& turn) : turn_(turn) {}

    // Battles
    // A war (戦争): side A attacks side B. May end in A's victory, B's victory, a draw, or B's
    // surrender without a fight when A is overwhelming.
    void War_rtn(gun& attacker, gun& defender) override;
    // A righteous war (義戦): the attacker fields a fifth more troops, the defender starts
    // demoralised, and the fight always runs to a victory or a draw.
    void Gisen_rtn(gun& attacker, gun& defender) override;

    // Pickers: the officer a faction puts forward for a role and his score. Each candidate draws a
    // small random term, in officer order; ties keep the lower number.
    Pick Taishou_rtn(const gun& faction);  // commander: generals, rulers, chief strategists
    Pick Gunsi_rtn(const gun& faction);    // strategist: staff, chief strategists, generals at half intellect
    Pick Shougun_rtn(const gun& faction);  // general
    Pick Ikki_rtn(const gun& faction);     // champion for single combat: military officers, generals, rulers

    // Totals: one ability summed over the faction's officers of some jobs, at least 1.
    int16_t Ttl_Shou_rtn(const gun& faction);  // generals' Leadership
    int16_t Ttl_Fgt_rtn(const gun& faction);   // generals' Valor
    int16_t Ttl_Plc_rtn(const gun& faction);   // Politics of civil officials, staff, generals, chief strategists
    int16_t Ttl_Wis_rtn(const gun& faction);   // Leadership of staff, generals, chief strategists

    // Outcomes. P is the winning side's strategist (possibly the placeholder officer 0); F is 0 after a
    // fought battle and -1 after a surrender.
    void Shouri_rtn(gun& W, const gun& L, const Bushou& P, int16_t F);
    void Haiboku_rtn(gun& L, const Bushou& P);
    void Haiboku_rtn2(gun& L, const Bushou& P);
    void Hikiwake_rtn(gun& A, gun& B);
    void Kouhuku_rtn(const gun& W, gun& L);

private:
    // Draws Int(Rnd * 3) + Int(Rnd * 3) + 2, the random term of most picks.
    int pickTerm();
    // The officers that lose a defeated faction: one goes over to P's faction, one leaves service.
    void loseOfficers(const gun& L, const Bushou& P);

    Turn& turn_;
};

}  // namespace tei
