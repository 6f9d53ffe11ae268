#pragma once
// The one source of chance. Every rule draws through a Random passed to it, never a global one.
//   Rnd()        uniform single-precision value in [0, 1)
//   Randomize()  reseed from the clock (a seeded source ignores it, so a seed fixes a whole game)
//   I(n)         Int(Rnd() * n), a whole number 0..n-1
// Ranges are mapped by hand from Rnd(), never through std:: distributions, so that a seed gives the
// same game with every standard library.

#include <cstdint>

namespace tei {

class Random {
public:
    virtual ~Random() = default;
    virtual float Rnd() = 0;
    virtual void Randomize() = 0;

    int I(int n);
    // Two dice of six: Int(Rnd * 6) + Int(Rnd * 6) + 2.
    int twoDice() {
        int a = I(6);
        return a + I(6) + 2;
    }
};

// A small, fast generator with a 64-bit state (splitmix64), the same on every platform.
class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float unit();  // [0, 1) with 24 bits
    void mix(uint64_t value) { state_ ^= value * 0x9E3779B97F4A7C15ull; }

private:
    uint64_t state_;
};

// Seeded from the clock at construction and at every Randomize.
class ClockRandom final : public Random {
public:
    ClockRandom();
    float Rnd() override { return gen_.unit(); }
    void Randomize() override;

private:
    SplitMix gen_;
};

// A fixed seed; Randomize does nothing.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(uint64_t seed) : gen_(seed) {}
    float Rnd() override { return gen_.unit(); }
    void Randomize() override {}

private:
    SplitMix gen_;
};

}  // namespace tei
