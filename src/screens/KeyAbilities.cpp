#include "screens/KeyAbilities.h"

namespace tei {

const char* abilityLabel(Ability a) {
    switch (a) {
        case Ability::Politics:
            return "政治";
        case Ability::Valor:
            return "武勇";
        case Ability::Intellect:
            return "智謀";
        case Ability::Leadership:
            return "采配";
        case Ability::Capacity:
            return "器量";
        case Ability::Restraint:
            return "節度";
    }
    return "";
}

namespace {
int16_t Bushou::*fieldOf(Ability a) {
    switch (a) {
        case Ability::Politics:
            return &Bushou::policy;
        case Ability::Valor:
            return &Bushou::fight;
        case Ability::Intellect:
            return &Bushou::wisdom;
        case Ability::Leadership:
            return &Bushou::tactics;
        case Ability::Capacity:
            return &Bushou::charm;
        case Ability::Restraint:
            break;
    }
    return &Bushou::Setu;
}
}  // namespace

int16_t& abilityOf(Bushou& b, Ability a) { return b.*fieldOf(a); }
int16_t abilityOf(const Bushou& b, Ability a) { return b.*fieldOf(a); }

bool abilityCounts(Job job, Ability a) {
    switch (a) {
        case Ability::Capacity:
        case Ability::Restraint:
            return true;
        case Ability::Politics:
            return job == Job::Civil || job == Job::Staff || job == Job::Strategist || job == Job::Ruler;
        case Ability::Valor:
            return job == Job::Military || job == Job::General || job == Job::Ruler;
        case Ability::Intellect:
        case Ability::Leadership:
            return job == Job::Staff || job == Job::Strategist || job == Job::General || job == Job::Ruler;
    }
    return false;
}

std::array<std::optional<Ability>, kAbilityRows> abilityRows(Job job) {
    std::array<std::optional<Ability>, kAbilityRows> rows{};
    size_t next = 0;
    for (Ability a : {Ability::Politics, Ability::Valor, Ability::Intellect, Ability::Leadership})
        if (abilityCounts(job, a)) rows[next++] = a;
    rows[4] = Ability::Capacity;
    rows[5] = Ability::Restraint;
    return rows;
}

std::array<AbilityLine, kAbilityRows> abilityLines(const Bushou& b, Job job) {
    std::array<AbilityLine, kAbilityRows> lines{};
    auto rows = abilityRows(job);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r]) continue;
        lines[r] = {true, abilityLabel(*rows[r]), std::to_string(abilityOf(b, *rows[r]))};
    }
    return lines;
}

std::string jobLabel(Job job) {
    int n = numberOf(job);
    return n >= 0 && n < static_cast<int>(kJobLabels.size()) ? kJobLabels[static_cast<size_t>(n)] : "";
}

}  // namespace tei
