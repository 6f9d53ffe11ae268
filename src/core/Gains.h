#pragma once
// The two ways a value rises towards its bound. Some gains are made only while the value is still
// below the bound and may pass it (Fame 199 + 3 gives 202); others are clamped at the cap (Fame 198 + 5
// gives 200). Both saturate at the 16-bit limits.

#include <cstdint>

#include "core/Numbers.h"

namespace tei {

inline void gainWhileBelow(int16_t& value, int gain, int bound) {
    if (value < bound) value = sat16(static_cast<long long>(value) + gain);
}

inline void gainCapped(int16_t& value, int gain, int cap) {
    long long v = static_cast<long long>(value) + gain;
    value = sat16(v > cap ? cap : v);
}

}  // namespace tei
