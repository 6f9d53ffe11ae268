#include "battle/Turn.h"

namespace tei {

std::vector<int16_t> Turn::Sch_chr_rtn(int f) const {
    std::vector<int16_t> officers;
    for (int i = 1; i <= officerCount() && i <= kMaxOfficer; ++i)
        if (records.officers[i].gunID == f) officers.push_back(static_cast<int16_t>(i));
    return officers;
}

int Turn::Rnd_Shuppon(int f) {
    std::vector<int16_t> officers = Sch_chr_rtn(f);
    if (officers.size() <= 1) return 0;
    const gun& F = faction(f);
    for (int16_t o : officers) {
        int r = rng.I(10);
        r += rng.I(10) + 2;
        const Bushou& b = officer(o);
        if (r >= F.kessoku / 10.0 + b.Setu && b.id != F.kunshuID) return o;
    }
    return 0;
}

void Turn::Rnd_Shuppon2(int to, int from) {
    g.textArg1.clear();
    rng.Randomize();
    const gun& source = faction(from);
    const gun& target = faction(to);
    for (int o = 1; o <= officerCount() && o <= kMaxOfficer; ++o) {
        Bushou& b = records.officers[o];
        if (b.gunID != from) continue;
        int a = rng.I(8);
        a += rng.I(8);
        int c = rng.I(50);
        c += rng.I(50) + 2;
        if (a >= b.Setu + 2 && c > source.kessoku * 3 / 5.0 + 40 && b.id != source.kunshuID) {
            b.gunID = static_cast<int16_t>(to);
            b.kunID = target.kunshuID;
            g.textArg1 += b.name + "、";
        }
    }
}

bool Turn::isPlayer(int f) const {
    if (f <= 0) return false;
    for (int t = 0; t < kSavedSlotCount; ++t)
        if (g.slotFaction[t] == f) return true;
    return false;
}

}  // namespace tei
