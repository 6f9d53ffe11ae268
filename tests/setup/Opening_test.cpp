#include "setup/Opening.h"

#include <gtest/gtest.h>

namespace tei {
namespace {

TEST(Opening, TicksHideItOnTheFifthAndShowTheTitleFromTheSecond) {
    Opening o;
    EXPECT_STREQ(o.caption(), "鼎峙録製作委員会");
    o.tick();
    EXPECT_STREQ(o.caption(), "鼎峙録製作委員会");
    o.tick();
    EXPECT_STREQ(o.caption(), "鼎峙録　－　覇業編");
    o.tick();
    o.tick();
    EXPECT_FALSE(o.hidden());
    o.tick();
    EXPECT_TRUE(o.hidden());
    EXPECT_EQ(o.counter(), 5);
}

TEST(Opening, TicksAndClicksShareTheCounterThatStopsOnceHidden) {
    // Two ticks and then one click: the click takes the counter to 3, above a click's 2.
    Opening o;
    o.tick();
    o.tick();
    EXPECT_FALSE(o.hidden());
    o.click();
    EXPECT_TRUE(o.hidden());
    for (int i = 0; i < 70000; ++i) o.tick();
    EXPECT_EQ(o.counter(), 3);
    EXPECT_STREQ(o.caption(), "鼎峙録　－　覇業編");

    // A click and then ticks: the ticks still hide it only above 4.
    Opening p;
    p.click();
    p.tick();
    p.tick();
    p.tick();
    EXPECT_FALSE(p.hidden());
    p.tick();
    EXPECT_TRUE(p.hidden());
}

}  // namespace
}  // namespace tei
