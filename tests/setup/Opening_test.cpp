#include "setup/Opening.h"

#include <gtest/gtest.h>

namespace tei {
namespace {

// Ticks (t) and clicks (c) share one counter: a tick hides the opening when it takes the counter above
// 4, a click above 2. The caption shows the game's title from the second step on.
TEST(Opening, TicksAndClicksShareOneCounterEachHidingOnItsOwnEdge) {
    struct Row {
        const char* steps;
        int counter;
        bool hidden;
        const char* caption;
    };
    const Row rows[] = {
        {"", 0, false, "鼎峙録製作委員会"},       {"t", 1, false, "鼎峙録製作委員会"},
        {"tt", 2, false, "鼎峙録　－　覇業編"},   {"tttt", 4, false, "鼎峙録　－　覇業編"},
        {"ttttt", 5, true, "鼎峙録　－　覇業編"}, {"cc", 2, false, "鼎峙録　－　覇業編"},
        {"ccc", 3, true, "鼎峙録　－　覇業編"},   {"ttc", 3, true, "鼎峙録　－　覇業編"},
        {"cttt", 4, false, "鼎峙録　－　覇業編"}, {"ctttt", 5, true, "鼎峙録　－　覇業編"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        Opening o;
        for (const char* s = row.steps; *s != '\0'; ++s) *s == 't' ? o.tick() : o.click();
        EXPECT_EQ(o.counter(), row.counter);
        EXPECT_EQ(o.hidden(), row.hidden);
        EXPECT_STREQ(o.caption(), row.caption);
    }
}

// Once hidden the counter stops, however long the screen stays open.
TEST(Opening, TheCounterStopsOnceHidden) {
    Opening o;
    o.click();
    o.click();
    o.click();
    for (int i = 0; i < 70000; ++i) o.tick();
    EXPECT_EQ(o.counter(), 3);
}

}  // namespace
}  // namespace tei
