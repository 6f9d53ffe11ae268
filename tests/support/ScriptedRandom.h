#pragma once
// A random source for tests: it returns exactly the values a test gives, in order, and fails the test
// when a rule asks for one draw too many. Values are given either as Rnd() results or as die faces:
// face(k, n) is the Rnd() value for which Int(Rnd * n) = k.

#include <cstddef>
#include <deque>
#include <initializer_list>

#include "core/Random.h"

namespace tei::test {

class ScriptedRandom final : public Random {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}

    float Rnd() override;
    void Randomize() override { ++reseeds_; }

    ScriptedRandom& then(float value) {
        values_.push_back(value);
        return *this;
    }
    // Int(Rnd * n) will give k.
    ScriptedRandom& face(int k, int n) { return then((static_cast<float>(k) + 0.5f) / static_cast<float>(n)); }
    // Two dice of six showing a and b (each 1..6): the sum a + b.
    ScriptedRandom& dice(int a, int b) { return face(a - 1, 6).face(b - 1, 6); }

    std::size_t left() const { return values_.size(); }
    int draws() const { return draws_; }
    int reseeds() const { return reseeds_; }

private:
    std::deque<float> values_;
    int draws_ = 0;
    int reseeds_ = 0;
};

// Int(Rnd * n) = k as a value for ScriptedRandom{...}.
inline float face(int k, int n) { return (static_cast<float>(k) + 0.5f) / static_cast<float>(n); }

}  // namespace tei::test
