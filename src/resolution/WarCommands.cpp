// Commands 11 戦争 and 12 義戦: the winner's faction goes to war on the target faction. The declaration
// is told here; the battle itself starts on a new page and is the BattleRunner's.

#include "core/Gains.h"
#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

namespace {
constexpr const char* kPlayerAttacked = "*** プレイヤーの国が攻撃を受けました ***";
}  // namespace

void Resolution::declareWar(const OfferContest& c) {
    if (c.winner == 0) return;
    startWar(c, false);
}

void Resolution::righteousWar(const OfferContest& c) {
    if (c.winner == 0) return;
    gainCapped(factionOf(winnerOf(c)).meisei, 5, 200);
    startWar(c, true);
}

// A target that won the offer against itself calls the war off. Otherwise the war is declared, a
// player under attack is warned, and the battle is fought on the next page. A target number without a
// faction record is told as "某国", but there is nobody to fight.
void Resolution::startWar(const OfferContest& c, bool righteous) {
    Bushou& winner = winnerOf(c);
    gun& side = factionOf(winner);
    if (winner.gunID == c.target) {
        g_.textArg1 = winner.name;
        g_.textArg2 = "";
        turn_.show(32);
        return;
    }
    gun& target = targetFaction(c.target);
    g_.textArg1 = winner.name;
    g_.textArg2 = side.name + (righteous ? "は" : "を中心とした連合軍は、") + target.name;
    turn_.show(12);
    if (turn_.isPlayer(c.target)) {
        turn_.append(std::string(kPlayerAttacked) + kCrLf);
        attacked_ = true;
    }
    turn_.pages.nextPage();
    if (!hasFaction(c.target)) return;
    if (righteous)
        battles_.Gisen_rtn(side, target);
    else
        battles_.War_rtn(side, target);
}

}  // namespace tei
