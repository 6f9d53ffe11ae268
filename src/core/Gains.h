#pragma once
// The two ways a value rises towards its bound. Some gains are made only while the value is still
// below the bound and may pass it (Fame 199 + 3 gives 202); others are clamped at the cap (Fame 198 + 5
// gives 200). A clamped gain never lowers a value that already stands above the cap: Fame 202 + 5 stays
// 202 (a loss still counts in full). Both saturate at the 16-bit limits.

#include <algorithm>
#include <cstdint>

#include "core/Numbers.h"

namespace tei {

inline void gainWhileBelow(int16_t& value, int gain, int bound) {
    if (value < bound) value = sat16(static_cast<long long>(value) + gain);
}

inline void gainCapped(int16_t& value, int gain, int cap) {
    long long v = static_cast<long long>(value) + gain;
    if (v > cap) v = std::max<long long>(cap, std::min<long long>(value, v));
    value = sat16(v);
}

}  // namespace tei
