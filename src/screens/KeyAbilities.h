#pragma once
// Which abilities count for an officer's job, and the six ability rows the status screen and the
// officer editor show. Capacity and Restraint always count; of Politics, Valor, Intellect and
// Leadership only the job's key abilities do:
//   文官 Politics            武官 Valor
//   参謀, 軍師 Politics, Intellect, Leadership
//   将軍 Valor, Intellect, Leadership
//   君主 all four
// Job 0 (no job) and any unknown job have no key ability.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Records.h"

namespace tei {

enum class Ability { Politics, Valor, Intellect, Leadership, Capacity, Restraint };

inline constexpr int kAbilityRows = 6;  // rows 0..3 the key abilities, 4 Capacity, 5 Restraint

// The ability's screen name: "政治", "武勇", "智謀", "采配", "器量", "節度".
const char* abilityLabel(Ability a);

int16_t& abilityOf(Bushou& b, Ability a);
int16_t abilityOf(const Bushou& b, Ability a);

bool abilityCounts(Job job, Ability a);

// The ability each of the six rows shows for the job: rows 0..3 the key abilities in the order
// Politics, Valor, Intellect, Leadership, the unused rows empty; rows 4 and 5 Capacity and Restraint.
std::array<std::optional<Ability>, kAbilityRows> abilityRows(Job job);

// One row as a screen shows it.
struct AbilityLine {
    bool visible = false;
    std::string label;  // the ability's name
    std::string value;  // decimal digits without blanks
};

// The six rows of an officer shown as if his job were 'job'.
std::array<AbilityLine, kAbilityRows> abilityLines(const Bushou& b, Job job);

// The job's screen label, empty for job 0 and any number outside 1..6.
std::string jobLabel(Job job);

}  // namespace tei
