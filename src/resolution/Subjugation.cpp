// Commands 4 黄巾賊退治 and 5 異民族討伐: a campaign against rebels or barbarians that brings troops,
// Fame and Awe, and may bring their leader into service.

#include <algorithm>

#include "core/Gains.h"
#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

namespace {
constexpr const char* kLeaderHidden = "は身を隠したようだった。";
}  // namespace

// Yellow Turbans: nothing at all happens unless the battle is won. A won battle may rout the rebels'
// troops into the winner's faction, and their leader may join: the winner's lord's Capacity decides.
void Resolution::subdueYellowTurbans(const OfferContest& c) {
    if (c.winner == 0) return;
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    Bushou& leader = targetOfficer(c.target);

    int bar = c.difficulty + c.roll;
    if (!(c.best >= bar || winner.tactics > bar)) {
        g_.textArg1 = winner.name;
        turn_.show(43);
        return;
    }
    g_.textArg1 = winner.name;
    turn_.show(4);
    gainWhileBelow(side.meisei, 3, 200);
    gainWhileBelow(side.ifu, 1, 100);

    int s = turn_.rng.I(10);
    s += turn_.rng.I(10) + 2;
    if (side.tian + s >= c.amount / 3.0) {
        side.army = sat16(static_cast<long long>(side.army) + c.amount);
        gainWhileBelow(side.meisei, 3, 200);
        gainWhileBelow(side.ifu, 1, 100);
        g_.textArg1 = side.name;
        g_.textArg2 = Str(c.amount) + "000が" + side.name;
        turn_.show(14);
    } else {
        g_.textArg1 = side.name;
        g_.textArg2 = Str(c.amount) + "000";
        turn_.show(24);
    }
    captureLeader(winner, leader, lordOf(winner).charm, c.roll);
}

// Barbarians: the Elite troops and the unrest come with the campaign whether the battle is won or not.
void Resolution::subdueBarbarians(const OfferContest& c) {
    if (c.winner == 0) {
        if (c.lastFailing != 0) {
            g_.textArg1 = turn_.officer(c.lastFailing).name;
            turn_.show(43);
        }
        return;
    }
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    Bushou& leader = targetOfficer(c.target);

    g_.textArg1 = winner.name;
    turn_.show(5);
    double elite = Int(static_cast<double>(c.amount) * (winner.charm + 1) / 10.0);
    side.seihei = to16(static_cast<double>(side.seihei) + elite);
    side.tian = static_cast<int16_t>(std::max(0, side.tian - 5));

    if (winner.fight + 4 >= c.difficulty + c.roll) {
        g_.textArg1 = winner.name;
        g_.textArg2 = side.name;
        turn_.show(46);
        gainWhileBelow(side.meisei, 3, 200);
        gainWhileBelow(side.ifu, 3, 100);
    }
    gainWhileBelow(side.meisei, 1, 200);
    gainWhileBelow(side.ifu, 3, 100);
    g_.textArg1 = winner.name;
    g_.textArg2 = Str(c.amount) + "000が" + side.name;
    turn_.show(15);
    captureLeader(winner, leader, winner.charm, c.roll);
}

// The defeated leader joins the winner's faction when 'capacity' + a fresh 2d6 reaches his own
// Capacity + the offer roll; otherwise he hides.
void Resolution::captureLeader(const Bushou& winner, Bushou& leader, int capacity, int roll) {
    int mine = capacity + turn_.rng.twoDice();
    if (mine >= leader.charm + roll) {
        leader.kunID = winner.kunID;
        leader.gunID = winner.gunID;
        g_.textArg1 = winner.name;
        g_.textArg2 = leader.name + "が" + turn_.faction(winner.gunID).name;
        turn_.show(1);
    } else {
        turn_.append(leader.name + kLeaderHidden + kCrLf + kCrLf);
    }
}

}  // namespace tei
