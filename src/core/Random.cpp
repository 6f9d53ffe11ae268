#include "core/Random.h"

#include <chrono>

#include "core/Numbers.h"

namespace tei {

int Random::I(int n) {
    if (n <= 0) return 0;
    int v = static_cast<int>(Int(Rnd() * static_cast<float>(n)));
    return v >= n ? n - 1 : v;
}

uint64_t SplitMix::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float SplitMix::unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }

namespace {
uint64_t clockValue() {
    return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
}  // namespace

ClockRandom::ClockRandom() : gen_(clockValue()) {}

// The clock is mixed into the running state rather than replacing it, so reseeding twice within one
// clock tick does not repeat the same draws.
void ClockRandom::Randomize() { gen_.mix(clockValue()); }

}  // namespace tei
