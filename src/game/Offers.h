#pragma once
// Dealing the year's strategy offers to the four frames. Each alliance frame gets four draws from the
// fourteen-way table (reseeding before each), frame 0 four draws from its own nine-way table; a frame
// with two offers or fewer also lists the wait offer. An offer is its command number in
// g.offerCommands[k] and its target, amount and difficulty in the offer tables at (k, position); a
// value the command does not use keeps what the table held before.
//
// The random pickers leave their result in the record scratch's current record number, as the
// dealing expects (a frame without members leaves that number as it was).

#include <cstdint>

#include "core/GameGlobals.h"
#include "core/Random.h"
#include "core/RecordScratch.h"
#include "game/Frames.h"

namespace tei {

class Offers {
public:
    Offers(GameGlobals& g, Random& rng, RecordScratch& scratch, const Frames& frames)
        : g_(g), rng_(rng), scratch_(scratch), frames_(frames) {}

    // Deals every frame; deals nothing while msgMode is not Resolution.
    void ld_Com_rtn();

    // Pickers
    void Rnd_Zai_rtn();          // a free officer (kunID 0) into recordNo, 0 when none
    void Rnd_Dou_rtn();          // a member of frame frameArg into recordNo (unchanged when empty)
    void Rnd_Teki_rtn();         // a faction outside frameArg's alliance into recordNo
    int16_t rndTaMeiRtn(int k);  // the allianceLeader of a random other alliance frame
    int16_t rndGunRtn();         // a random listed faction

    int16_t frameArg = 0;

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
    RecordScratch& scratch_;
    const Frames& frames_;
};

}  // namespace tei
