#pragma once
// How the resolution of a year hands a war to the battle: the attacking and the attacked faction,
// both records of the Turn's faction table. The battle writes its own narrative and applies its own
// results to the records.

#include "core/Records.h"

namespace tei {

class BattleRunner {
public:
    virtual ~BattleRunner() = default;
    virtual void War_rtn(gun& attacker, gun& defender) = 0;
    virtual void Gisen_rtn(gun& attacker, gun& defender) = 0;
};

}  // namespace tei
