#include "battle/Battle.h"
#include "core/Gains.h"
#include "core/Numbers.h"

namespace tei {

namespace {

inline constexpr const char* kIndependentWarlord = "独立軍閥";

inline constexpr int kFameCap = 200;
inline constexpr int kCohesionCap = 100;
inline constexpr int kAweCap = 100;

// The share of its troops a defeated faction loses, in percent: from the winning strategist's
// Politics and Leadership.
int rateFromBoth(const Bushou& P) { return static_cast<int>(Nearest((P.policy + P.tactics) * 1.5 + 10)); }
// The same from Politics alone.
int rateFromPolitics(const Bushou& P) { return 2 * P.policy + 10; }

// What is left of the loser's troops at rate p, Int((1 - p / 100) * army) exactly; never below nothing.
int16_t troopsLeft(int16_t army, int p) {
    long long left = IntRatio(static_cast<long long>(100 - p) * army, 100);
    return left < 0 ? int16_t{0} : sat16(left);
}

}  // namespace

// The winner absorbs a share of the loser's troops (which dilutes its public order) and gains fame,
// cohesion and awe. Its rate comes from Politics alone after a battle and from Politics and
// Leadership after a surrender, the other way round from the loser's.
void Battle::Shouri_rtn(gun& W, const gun& L, const Bushou& P, int16_t F) {
    int p = F != 0 ? rateFromBoth(P) : rateFromPolitics(P);
    long long g = IntRatio(static_cast<long long>(p) * L.army, 100);
    W.army = sat16(W.army + g);
    // Public order divides by the new army, which is 0 only when both armies were; it then stays.
    // Int(order * (1 - g / army)) is worked out as order * (army - g) / army.
    if (W.army != 0) W.tian = sat16(IntRatio(W.tian * (W.army - g), W.army));
    gainCapped(W.meisei, 10, kFameCap);
    gainCapped(W.kessoku, 10, kCohesionCap);
    gainCapped(W.ifu, 5, kAweCap);
}

// A fought battle lost: troops, elite troops, fame, public order and cohesion fall, and two officers
// may be lost.
void Battle::Haiboku_rtn(gun& L, const Bushou& P) {
    L.army = troopsLeft(L.army, rateFromBoth(P));
    L.seihei = to16(Int(L.seihei * 2 / 3.0));
    L.meisei = to16(Int(L.meisei * 4 / 5.0));
    L.tian = to16(Int(L.tian / 2.0));
    L.kessoku = to16(Int(L.kessoku * 2 / 3.0));
    loseOfficers(L, P);
}

// A surrender without a fight: public order holds, fame and cohesion fall further than after a battle.
void Battle::Haiboku_rtn2(gun& L, const Bushou& P) {
    L.army = troopsLeft(L.army, rateFromPolitics(P));
    L.seihei = to16(Int(L.seihei * 2 / 3.0));
    L.meisei = to16(Int(L.meisei * 3 / 5.0));
    L.kessoku = to16(Int(L.kessoku / 2.0));
    loseOfficers(L, P);
}

// One officer of the defeated faction goes over to the winning strategist's faction, then another
// leaves service. With the placeholder as strategist (faction 0) the first one leaves service too.
void Battle::loseOfficers(const gun& L, const Bushou& P) {
    int i = turn_.Rnd_Shuppon(L.id);
    if (i > 0) {
        Bushou& defector = turn_.officer(i);
        defector.gunID = P.gunID;
        defector.kunID = P.kunID;
        turn_.g.textArg1 = defector.name;
        turn_.g.textArg2 = turn_.faction(P.gunID).name;
        turn_.show(13);
    }
    int j = turn_.Rnd_Shuppon(L.id);
    if (j > 0) {
        Bushou& deserter = turn_.officer(j);
        deserter.gunID = 0;
        deserter.kunID = 0;
        turn_.g.textArg1 = deserter.name;
        turn_.show(37);
    }
}

// Both sides lose a quarter of their troops, elite troops and public order.
void Battle::Hikiwake_rtn(gun& A, gun& B) {
    for (gun* f : {&A, &B}) {
        f->army = to16(Int(f->army * 3 / 4.0));
        f->seihei = to16(Int(f->seihei * 3 / 4.0));
        f->tian = to16(Int(f->tian * 3 / 4.0));
    }
}

// The loser of a surrender joins the winner's alliance (or becomes independent with an independent
// winner), unless it leads an alliance of its own. A faction outside every alliance leads none, even
// when its ruler number is 0 as well.
void Battle::Kouhuku_rtn(const gun& W, gun& L) {
    if (L.meishuID != 0 && L.kunshuID == L.meishuID) {
        turn_.g.textArg2 = W.name;
        turn_.g.textArg1 = L.name;
        turn_.show(57);
        return;
    }
    L.meishuID = W.meishuID;
    turn_.g.textArg2 = W.meishuID == 0 ? std::string(kIndependentWarlord) : turn_.officer(W.meishuID).name;
    turn_.g.textArg1 = L.name;
    turn_.show(41);
}

}  // namespace tei
