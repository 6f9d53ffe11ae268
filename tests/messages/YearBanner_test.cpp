#include "messages/YearBanner.h"

#include <gtest/gtest.h>

namespace tei {
namespace {

TEST(yearBanner, NamesTheYearInPlainDigitsBetweenTwoRules) {
    EXPECT_EQ(yearBanner(189),
              "＝＝＝＝＝＝＝＝＝\r\n"
              "＝＝ 　189年　＝＝\r\n"
              "＝＝＝＝＝＝＝＝＝\r\n");
}

TEST(beginYearPages, ClearsEveryPageAndStartsOnPageZero) {
    MessagePages pages;
    pages.at(0) = "old";
    pages.at(7) = "EOT";
    pages.page = 12;
    beginYearPages(pages, 216);
    EXPECT_EQ(pages.page, 0);
    EXPECT_EQ(pages.at(0), yearBanner(216));
    for (int i = 1; i < pages.count(); ++i) EXPECT_EQ(pages.at(i), "") << "page " << i;
}

}  // namespace
}  // namespace tei
