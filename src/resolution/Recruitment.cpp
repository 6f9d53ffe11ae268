// Commands that bring in people and troops: 1 人材募集 (an officer changes sides) and 2 兵力確保 (a share
// of another faction's troops, lent for good).

#include "core/Gains.h"
#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

namespace {
constexpr const char* kLenderPraisedOpen = "兵を貸した";
constexpr const char* kLenderPraisedClose = "の名声も上がった。";
}  // namespace

// The winner approaches the target officer; if the approach is made through a go-between (x = 1) it
// succeeds only when the faction's standing, (Fame - Awe) / 7, reaches the roll less 5.
void Resolution::recruit(const OfferContest& c) {
    Bushou& target = targetOfficer(c.target);
    if (c.winner == 0) {
        if (c.lastFailing != 0) {
            g_.textArg2 = target.name;
            turn_.show(52);
        }
        return;
    }
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);

    float r = turn_.rng.Rnd();
    int x = static_cast<int>(Int(r * 5.0f / 3.0f));
    if (x > 0) {
        g_.textArg1 = winner.name;
        g_.textArg2 = target.name + "は" + side.name;
        turn_.show(47);
    } else {
        g_.textArg1 = target.name;
        turn_.show(48);
    }

    bool joins = x == 0 || (side.meisei - side.ifu) / 7.0 >= c.roll - 5;
    if (joins) {
        target.kunID = winner.kunID;
        target.gunID = winner.gunID;
        g_.textArg1 = winner.name;
        g_.textArg2 = target.name + "が" + side.name;
        turn_.show(1);
    } else {
        g_.textArg1 = winner.name;
        g_.textArg2 = target.name;
        turn_.show(21);
    }
}

// The winner's faction borrows a share of the lender's troops and keeps them; the lender is thanked
// with Fame.
void Resolution::raiseTroops(const OfferContest& c) {
    if (c.winner == 0) return;
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    gun& lender = targetFaction(c.target);
    if (lender.kunshuID == winner.kunID) {
        g_.textArg1 = winner.name;
        turn_.show(53);
        return;
    }
    if (side.meisei + winner.policy / 10.0 >= c.difficulty + c.roll) {
        // Int(troops / 100 * amount), worked out on whole numbers.
        long long n = IntRatio(static_cast<long long>(lender.army) * c.amount, 100);
        lender.army = sat16(static_cast<long long>(lender.army) - n);
        gainCapped(lender.meisei, 5, 200);
        side.army = sat16(static_cast<long long>(side.army) + n);
        g_.textArg1 = winner.name;
        g_.textArg2 = side.name + "の名声により" + Str(n) + "000が" + side.name;
        turn_.show(2);
        turn_.append(std::string(kLenderPraisedOpen) + lender.name + kLenderPraisedClose + kCrLf);
    } else {
        g_.textArg1 = winner.name;
        turn_.show(22);
    }
}

}  // namespace tei
