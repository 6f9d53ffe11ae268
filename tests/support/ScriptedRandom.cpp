#include "support/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace tei::test {

float ScriptedRandom::Rnd() {
    ++draws_;
    if (values_.empty()) {
        ADD_FAILURE() << "the rule drew random value number " << draws_ << ", one more than the test gave";
        return 0.0f;
    }
    float v = values_.front();
    values_.pop_front();
    return v;
}

}  // namespace tei::test
