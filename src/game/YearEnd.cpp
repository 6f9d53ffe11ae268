#include "game/YearEnd.h"

#include <algorithm>

#include "core/Numbers.h"

namespace tei {

namespace {
constexpr int kSelectorPolicy = 1, kSelectorCharm = 5, kSelectorLord = 7, kSelectorJob = 8;
}

YearEnd::OfficerColumns YearEnd::readColumns(int abilitySelector) {
    OfficerColumns c;
    auto read = [&](int selector, std::array<int16_t, kMaxOfficer + 1>& into) {
        scratch_.fieldSelector = static_cast<int16_t>(selector);
        scratch_.values.fill(0);
        scratch_.ld_Abl_rtn();
        into = scratch_.values;
    };
    read(kSelectorLord, c.lord);
    read(kSelectorJob, c.job);
    read(abilitySelector, c.ability);
    return c;
}

int YearEnd::factionOf(int lord) {
    scratch_.recordNo = static_cast<int16_t>(lord);
    scratch_.ld_gID_rtn();
    return std::clamp<int>(scratch_.currentFaction, 0, kMaxFaction);
}

void YearEnd::tell(int n, int officer) {
    g_.textArg1 = scratch_.faction.name;
    int16_t factionNo = scratch_.recordNo;
    scratch_.recordNo = static_cast<int16_t>(officer);
    scratch_.ld_Chr_rtn();
    scratch_.recordNo = factionNo;
    g_.textArg2 = scratch_.officer.name;
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
                // An official without Politics counts as 1, so the divisor stays defined.
                orderDivisor[f] = static_cast<int32_t>(Nearest(static_cast<double>(r) / std::max(P, 1)));
                orderCulprit[f] = static_cast<int16_t>(i);
            }
        }
    }
    for (int f = 1; f <= g_.factionCount && f <= kMaxFaction; ++f) {
        scratch_.recordNo = static_cast<int16_t>(f);
        if (!scratch_.ld_Gun_rtn()) continue;
        scratch_.faction.tian = static_cast<int16_t>(std::min(100, scratch_.faction.tian + orderGain[f]));
        scratch_.sv_Gun_rtn();
        if (orderDivisor[f] > 0) {
            scratch_.faction.tian = to16(Int(static_cast<double>(scratch_.faction.tian) / orderDivisor[f]));
            scratch_.sv_Gun_rtn();
            tell(11, orderCulprit[f]);
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
        scratch_.recordNo = static_cast<int16_t>(f);
        if (!scratch_.ld_Gun_rtn()) continue;
        int t = rng_.twoDice();
        if (bestCapacity[f] > t) {
            scratch_.faction.kessoku = static_cast<int16_t>(std::min(100, scratch_.faction.kessoku + bestCapacity[f]));
            scratch_.sv_Gun_rtn();
            tell(45, bestOfficer[f]);
        }
        if (cohesionDivisor[f] > 0) {
            scratch_.faction.kessoku = to16(Int(static_cast<double>(scratch_.faction.kessoku) / cohesionDivisor[f]));
            scratch_.sv_Gun_rtn();
            tell(38, cohesionCulprit[f]);
        }
    }
}

}  // namespace tei
