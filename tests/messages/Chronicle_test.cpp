#include "messages/Chronicle.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;
using test::TempGameFolder;

MessagePages turnPages(std::initializer_list<std::string> texts) {
    MessagePages pages;
    int i = 0;
    for (const auto& t : texts) pages.at(i++) = t;
    pages.at(i) = kEndOfPages;
    return pages;
}

TEST(Chronicle, ALogWithoutItsEndLineIsHealed) {
    MessagePages year = turnPages({"新"});
    EXPECT_EQ(appendYear("鼎峙録の記録\r\n古い行", year), crlf({"鼎峙録の記録", "古い行", "新", "EOT======="}));
    // Whatever stands after the end line is dropped with it.
    EXPECT_EQ(appendYear("a\nEOT=======\nstray\r\n", year), crlf({"a", "新", "EOT======="}));
    // Only the exact line ends the record.
    EXPECT_EQ(appendYear("EOT======= \r\n", year), crlf({"EOT======= ", "新", "EOT======="}));
}

TEST(Chronicle, OnlyPagesZeroToThirtyNineAreRecorded) {
    MessagePages full;
    for (int i = 0; i < full.count(); ++i) full.at(i) = "p" + std::to_string(i);
    std::string log = appendYear("", full);
    EXPECT_TRUE(log.ends_with(crlf({"p38", "p39", "EOT======="})));
    EXPECT_EQ(log.find("p40"), std::string::npos);
}

TEST(Chronicle, AMissingLogIsReportedAndNothingIsWritten) {
    TempGameFolder tmp;
    EXPECT_THROW(mkLog(tmp.folder(), turnPages({"x"})), FileError);
    EXPECT_FALSE(tmp.hasIni("teiji.img"));
    EXPECT_FALSE(tmp.hasIni("teiji.log"));
}

std::string banner(int year) {
    return crlf({"＝＝＝＝＝＝＝＝＝", "＝＝ 　" + std::to_string(year) + "年　＝＝", "＝＝＝＝＝＝＝＝＝"});
}

TEST(ChronicleCutter, OnePagePerYearWithTheHeadingOnTheFirst) {
    std::string log = "鼎峙録の記録\r\n" + banner(189) + "董卓が動いた。\r\n\r\n" + banner(190) + "袁紹が動いた。\n" +
                      "EOT=======\r\n" + banner(191) + "読まれない\r\n";
    ChroniclePages cut = cutChronicle(log);
    EXPECT_EQ(cut.pages[0], "鼎峙録の記録\r\n" + banner(189) + "董卓が動いた。\r\n\r\n");
    EXPECT_EQ(cut.lineCounts[0], 6);
    EXPECT_EQ(cut.pages[1], banner(190) + "袁紹が動いた。\r\n");
    EXPECT_EQ(cut.lineCounts[1], 4);
    EXPECT_EQ(cut.pages[2], "");
    EXPECT_EQ(cut.lineCounts[2], 0);
}

TEST(ChronicleCutter, StopsAfterFortyOnePagesAndCutsNothingFromNothing) {
    std::string log;
    for (int year = 0; year < 45; ++year) log += banner(200 + year) + "年" + std::to_string(year) + "\r\n";
    ChroniclePages cut = cutChronicle(log);
    EXPECT_EQ(cut.pages[40], banner(240) + "年40\r\n");
    for (const auto& p : cut.pages) EXPECT_EQ(p.find("年41"), std::string::npos);
    EXPECT_TRUE(cutChronicle("").pages[0].empty());
}

}  // namespace
}  // namespace tei
