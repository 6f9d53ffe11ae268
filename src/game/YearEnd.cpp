#include "game/YearEnd.h"

#include <algorithm>

#include "core/Numbers.h"

namespace tei {

namespace {
constexpr int kSelectorPolicy = 1, kSelectorCharm = 5, kSelectorLord = 7, kSelectorJob = 8;
}

YearEnd::OfficerColumns YearEnd::readColumns(int abilitySelector) {
    return {scratch_.ld_Abl_rtn(kSelectorLord), scratch_.ld_Abl_rtn(kSelectorJob),
            scratch_.ld_Abl_rtn(abilitySelector)};
}

int YearEnd::factionOf(int lord) { return std::clamp<int>(scratch_.ld_gID_rtn(lord), 0, kMaxFaction); }

void YearEnd::tell(int n, const gun& faction, int officer) {
    g_.textArg1 = faction.name;
    g_.textArg2 = scratch_.ld_Chr_rtn(officer).name;
    g_.textNo = static_cast<int16_t>(n);
    text_.append(g_.textNo, g_.textArg1, g_.textArg2, report_);
}

void YearEnd::Policy_rtn() {
    rng_.Randomize();
    std::array<int16_t, kMaxFaction + 1> orderGain{};
    std::array<int32_t, kMaxFaction + 1> orderDivisor{};
    std::array<int16_t, kMaxFaction + 1> orderCulprit{};
    scratch_.ld_Kunshu_rtn();
    OfficerColumns c = readColumns(kSelectorPolicy);
    for (int i = 1; i <= g_.officerCount && i <= kMaxOfficer; ++i) {
        Job job = Job(c.job[i]);
        if (c.lord[i] == 0 || job == Job::Military || job == Job::General) continue;
        int P = c.ability[i];
        int f = factionOf(c.lord[i]);
        if (P >= 5) orderGain[f] = sat16(orderGain[f] + P - 4);
        if (P <= 5) {
            int r = rng_.I(2);
            r *= rng_.I(6);
            if (r > P) {
                // An official without Politics counts as 1, so the divisor stays defined. A negative
                // Politics divides as it is: the divisor is then 0 or below and cuts nothing.
                orderDivisor[f] = static_cast<int32_t>(Nearest(static_cast<double>(r) / (P == 0 ? 1 : P)));
                orderCulprit[f] = static_cast<int16_t>(i);
            }
        }
    }
    for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) {
        std::optional<gun> F = scratch_.ld_Gun_rtn(f);
        if (!F || F->del) continue;
        F->tian = static_cast<int16_t>(std::min(100, F->tian + orderGain[f]));
        scratch_.sv_Gun_rtn(f, *F);
        if (orderDivisor[f] > 0) {
            F->tian = to16(Int(static_cast<double>(F->tian) / orderDivisor[f]));
            scratch_.sv_Gun_rtn(f, *F);
            tell(11, *F, orderCulprit[f]);
        }
    }
}

void YearEnd::Jinji_rtn() {
    rng_.Randomize();
    std::array<int16_t, kMaxFaction + 1> bestCapacity{};
    std::array<int16_t, kMaxFaction + 1> bestOfficer{};
    std::array<int32_t, kMaxFaction + 1> cohesionDivisor{};
    std::array<int16_t, kMaxFaction + 1> cohesionCulprit{};
    scratch_.ld_Kunshu_rtn();
    OfficerColumns c = readColumns(kSelectorCharm);
    for (int i = 1; i <= g_.officerCount && i <= kMaxOfficer; ++i) {
        Job job = Job(c.job[i]);
        if (c.lord[i] == 0 || job == Job::Civil || job == Job::Military) continue;
        int C = c.ability[i];
        int f = factionOf(c.lord[i]);
        int n = rng_.twoDice();
        if (bestCapacity[f] <= C + n) {
            bestCapacity[f] = static_cast<int16_t>(C);
            bestOfficer[f] = static_cast<int16_t>(i);
        }
        if (C <= 5) {
            int r = rng_.I(2);
            r *= rng_.I(6);
            if (r > C) {
                cohesionDivisor[f] = static_cast<int32_t>(Nearest(r / 2.0));
                cohesionCulprit[f] = static_cast<int16_t>(i);
            }
        }
    }
    for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) {
        std::optional<gun> F = scratch_.ld_Gun_rtn(f);
        if (!F || F->del) continue;
        int t = rng_.twoDice();
        if (bestCapacity[f] > t) {
            F->kessoku = static_cast<int16_t>(std::min(100, F->kessoku + bestCapacity[f]));
            scratch_.sv_Gun_rtn(f, *F);
            tell(45, *F, bestOfficer[f]);
        }
        if (cohesionDivisor[f] > 0) {
            F->kessoku = to16(Int(static_cast<double>(F->kessoku) / cohesionDivisor[f]));
            scratch_.sv_Gun_rtn(f, *F);
            tell(38, *F, cohesionCulprit[f]);
        }
    }
}

}  // namespace tei
