// Commands 6 調停 and 7 糾弾: standing among the warlords. Mediation raises the winner's Fame and his
// alliance's cohesion; denunciation cuts the target's Fame and Cohesion and its alliance's cohesion.

#include "core/Gains.h"
#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

void Resolution::mediate(const OfferContest& c) {
    if (c.winner == 0) {
        if (c.lastFailing != 0) {
            g_.textArg1 = "調停";
            turn_.show(58);
        }
        return;
    }
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    const int16_t fameBefore = side.meisei;
    gainCapped(side.meisei, c.difficulty, 200);
    int k = frameOf(winner.gunID);
    if (k >= 0) gainCapped(g_.allianceCohesion[static_cast<size_t>(k)], winner.policy, 100);
    g_.textArg1 = winner.name;
    // The story tells the Fame actually gained (the difficulty, less what the cap took).
    g_.textArg2 = side.name + "の名声が" + Str(side.meisei - fameBefore);
    turn_.show(6);
}

// Each point of difficulty takes 5 % of the target's Fame and Cohesion; its alliance keeps two thirds
// of its cohesion.
void Resolution::denounce(const OfferContest& c) {
    if (c.winner == 0) {
        if (c.lastFailing != 0) {
            g_.textArg1 = "糾弾";
            turn_.show(58);
        }
        return;
    }
    Bushou& winner = winnerOf(c);
    if (winner.gunID == c.target) {
        g_.textArg1 = winner.name;
        turn_.show(27);
        return;
    }
    gun& target = targetFaction(c.target);
    // Int(value * (1 - difficulty / 20)), worked out on whole numbers.
    const long long kept = 20 - c.difficulty;
    target.meisei = sat16(IntRatio(target.meisei * kept, 20));
    target.kessoku = sat16(IntRatio(target.kessoku * kept, 20));
    // A target without a record stands in no frame: no alliance pays for it.
    int k = frameOf(c.target);
    if (k >= 0) {
        int16_t& cohesion = g_.allianceCohesion[static_cast<size_t>(k)];
        cohesion = to16(cohesion * 2 / 3.0);
    }
    g_.textArg1 = winner.name;
    g_.textArg2 = target.name + "の名声と、その幕僚の結束が" + Str(c.difficulty * 5);
    turn_.show(7);
}

}  // namespace tei
