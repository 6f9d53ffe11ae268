#include "core/Records.h"

namespace tei {

Bushou placeholderOfficer() {
    Bushou b;
    b.name = kNobodyName;
    b.policy = 0;
    b.fight = 0;
    b.jpg = kFootSoldierPicture;
    return b;
}

gun placeholderFaction() {
    gun g;
    g.name = kNowhereName;
    g.del = true;
    return g;
}

}  // namespace tei
