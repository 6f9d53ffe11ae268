// The fall of factions at the end of the pass, and the hand-over of an alliance whose leader fell.

#include <algorithm>

#include "core/Numbers.h"
#include "resolution/Resolution.h"

namespace tei {

void Resolution::Metubou(int f) {
    if (!hasFaction(f)) return;
    gun& x = turn_.records.factions[static_cast<size_t>(f)];
    x.del = true;
    x.meishuID = 0;
}

// The alliance led by the fallen faction f passes to its highest-numbered live member. With no member
// left, a new leader is raised so that an alliance remains: the first live independent faction, else
// the first live follower of another alliance.
void Resolution::looseMeishu(int f) {
    if (!hasFaction(f)) return;
    auto& factions = turn_.records.factions;
    gun& fallen = factions[static_cast<size_t>(f)];
    int L = fallen.kunshuID;
    int count = std::min(turn_.factionCount(), kMaxFaction);
    int successor = 0;
    for (int s = 1; s <= count; ++s) {
        const gun& x = factions[static_cast<size_t>(s)];
        if (!x.del && x.meishuID == L && x.kunshuID != x.meishuID) successor = s;
    }
    if (successor != 0) {
        int16_t ruler = factions[static_cast<size_t>(successor)].kunshuID;
        g_.textArg1 = turn_.officer(ruler).name;
        turn_.show(59);
        for (int s = 1; s <= count; ++s)
            if (factions[static_cast<size_t>(s)].meishuID == L) factions[static_cast<size_t>(s)].meishuID = ruler;
    } else {
        int raised = 0;
        for (int s = 1; s <= count && raised == 0; ++s) {
            const gun& x = factions[static_cast<size_t>(s)];
            if (!x.del && x.meishuID == 0) raised = s;
        }
        for (int s = 1; s <= count && raised == 0; ++s) {
            const gun& x = factions[static_cast<size_t>(s)];
            if (!x.del && x.meishuID != 0 && x.kunshuID != x.meishuID) raised = s;
        }
        if (raised != 0) {
            gun& x = factions[static_cast<size_t>(raised)];
            x.meishuID = x.kunshuID;
            g_.textArg1 = x.name;
            turn_.show(59);
        }
    }
    fallen.meishuID = 0;
}

// A live faction falls when it has fewer than 20 Troops, nobody but its ruler, and Fame that does not
// beat Awe by more than a fresh Int(Rnd * 50) + 1. A fallen player's faction leaves its player slot.
void Resolution::checkMetubou() {
    Metubou_Flg = false;
    int count = std::min(turn_.factionCount(), kMaxFaction);
    for (int f = 1; f <= count; ++f) {
        gun& x = turn_.records.factions[static_cast<size_t>(f)];
        if (x.del) continue;
        bool hasFollower = false;
        for (int o = 1; o <= turn_.officerCount() && o <= kMaxOfficer; ++o) {
            const Bushou& b = turn_.records.officers[static_cast<size_t>(o)];
            if (b.gunID == f && b.kunID != b.id) hasFollower = true;
        }
        // Every faction examined draws, whatever the other two tests say.
        int luck = turn_.rng.I(50) + 1;
        if (x.army >= 20 || hasFollower || x.meisei - x.ifu > luck) continue;

        // A faction without a ruler (0) leads nothing, even though 0 = 0.
        bool ledAlliance = x.meishuID != 0 && x.kunshuID == x.meishuID;
        Metubou(f);
        g_.textArg1 = x.name;
        g_.textArg2 = "";
        turn_.show(60);
        if (ledAlliance) looseMeishu(f);
        if (turn_.isPlayer(f)) {
            for (auto& slot : g_.slotFaction)
                if (slot == f) slot = 0;
            Metubou_Flg = true;
        }
    }
    All_Metubou_Flg = checkAllMetubou();
}

// True when no player slot holds a live faction (a number without a faction record holds none).
bool Resolution::checkAllMetubou() const {
    for (int16_t f : g_.slotFaction)
        if (hasFaction(f) && !turn_.records.factions[static_cast<size_t>(f)].del) return false;
    return true;
}

}  // namespace tei
