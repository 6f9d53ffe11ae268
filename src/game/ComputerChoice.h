#pragma once
// The computer's pick for every faction listed in the frames, players' factions included (their
// pick stands as the default until the player confirms one of his own). Every peaceful offer is
// acceptable; a war offer only when the faction's weighted strength beats the target's, or is large
// in itself (over 2000). One acceptable offer is taken at random.
//
// Strength = troops x strategist score, the score being the best Intellect + Leadership - 10 among
// the faction's staff officers, generals, rulers and chief strategists (at least 1).

#include <cstdint>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/Records.h"
#include "game/Frames.h"

namespace tei {

class ComputerChoice {
public:
    ComputerChoice(const GameFolder& folder, GameGlobals& g, Random& rng, const Frames& frames)
        : folder_(folder), g_(g), rng_(rng), frames_(frames) {}

    void Tagun_rtn();
    void ld_Gun();
    void loadGunshi();
    // The list position chosen for faction f in frame k, also stored in factionChoice(f).
    int16_t searchCommand(int f, int k);
    // The position chosen by the strength rule, or -1 when no offer is acceptable.
    int16_t searchGunbi(int f, int k);

    const FactionTable& factions() const { return factions_; }

private:
    const GameFolder& folder_;
    GameGlobals& g_;
    Random& rng_;
    const Frames& frames_;
    FactionTable factions_{};
};

}  // namespace tei
