// Command 3 調略: the winner works on the target faction's officers, breaking its cohesion, and some of
// them may come over.

#include <algorithm>

#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

// The target keeps (25 - Intellect) / 25 of its Cohesion: a winner of Intellect 20 leaves a fifth. A
// winner cleverer than 25 breaks it completely; it never goes below 0.
void Resolution::subvert(const OfferContest& c) {
    gun& target = targetFaction(c.target);
    if (c.winner == 0) {
        if (c.lastFailing != 0 && turn_.officer(c.lastFailing).gunID != c.target) {
            g_.textArg1 = turn_.officer(c.lastFailing).name;
            g_.textArg2 = target.name;
            turn_.show(23);
        }
        return;
    }
    Bushou& winner = winnerOf(c);
    if (target.kunshuID == winner.kunID) {
        g_.textArg1 = winner.name;
        turn_.show(33);
        return;
    }
    double kept = Int((25 - winner.wisdom) / 25.0 * target.kessoku);
    target.kessoku = to16(std::max(0.0, kept));
    g_.textArg1 = winner.name;
    g_.textArg2 = target.name + "陣営の結束が" + Str(target.kessoku);
    turn_.show(3);
    // Officers go over only from a faction that exists: number 0 would be the lordless officers.
    if (hasFaction(c.target))
        turn_.Rnd_Shuppon2(winner.gunID, c.target);
    else
        g_.textArg1.clear();
    g_.textArg2 = factionOf(winner).name;
    // Nobody went over: there is no flight to tell.
    if (!g_.textArg1.empty()) turn_.show(13);
}

}  // namespace tei
