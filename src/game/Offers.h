#pragma once
// Dealing the year's strategy offers to the four frames. Each alliance frame gets four draws from the
// fourteen-way table (reseeding before each), frame 0 four draws from its own nine-way table; a frame
// with two offers or fewer also lists the wait offer. An offer is its command number in
// g.offerCommands[k] and its target, amount and difficulty in the offer tables at (k, position); a
// value the command does not use keeps what the table held before.

#include <cstdint>

#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/RecordScratch.h"
#include "game/Frames.h"

namespace tei {

class Offers {
public:
    Offers(GameGlobals& g, Random& rng, const RecordScratch& scratch, const Frames& frames)
        : g_(g), rng_(rng), scratch_(scratch), frames_(frames) {}

    // Deals every frame; deals nothing while msgMode is not Resolution.
    void ld_Com_rtn();

    // Pickers. Each returns entry Int(Rnd * n) of its n candidates, 0 when there are none.
    int16_t Rnd_Zai_rtn();        // a free officer (kunID 0)
    int16_t Rnd_Dou_rtn(int k);   // a faction listed in frame k; draws nothing when the frame lists none
    int16_t Rnd_Teki_rtn(int k);  // a faction outside the alliance of frame k
    int16_t rndTaMeiRtn(int k);   // the allianceLeader of a random other alliance frame
    int16_t rndGunRtn();          // a random listed faction

private:
    void dealAllianceFrame(int k);
    void dealIndependentFrame();
    // Adds an offer of command c to frame k and returns its list position.
    int add(int k, Command c);
    int16_t standardDifficulty();
    int16_t independentDifficulty();
    int16_t pick(const int16_t* candidates, int n);

    GameGlobals& g_;
    Random& rng_;
    const RecordScratch& scratch_;
    const Frames& frames_;
};

}  // namespace tei
