#include "messages/TemplateBook.h"

#include <gtest/gtest.h>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::crlf;

const std::string kBook = crlf({".1",   "+",        "は",       "*",        "を得た。", "..",  //
                                ".2",   "+xyz",     "が動いた", ".ignored", "..",              // "+xyz" counts as "+"
                                ".3",   "前半",     "/",        "後半",     "..",              //
                                ".4",   "続く",                                                // no "..": runs into 5
                                ".5",   "五",       "..",                                      //
                                ".120", "遠い",     "..",                                      //
                                ".6",   "届かない", ".."});

TEST(TemplateBook, MarkersOfARecordAndARecordWithoutEnd) {
    TemplateBook book(kBook);
    MessagePages pages;
    book.append(1, "曹操", "許昌", pages);
    book.append(2, "袁紹", "", pages);
    book.append(4, "", "", pages);
    EXPECT_EQ(pages.at(0), "曹操は許昌を得た。\r\n袁紹が動いた\r\n\r\n続く\r\n五\r\n");
    EXPECT_EQ(pages.page, 0);
}

TEST(TemplateBook, SlashBreaksThePageOrForgetsTheTextSoFar) {
    TemplateBook book(kBook);
    MessagePages pages;
    book.append(3, "", "", pages);
    EXPECT_EQ(pages.at(0), "前半");
    EXPECT_EQ(pages.at(1), "後半\r\n");
    EXPECT_EQ(pages.page, 1);
    EXPECT_EQ(book.single(3, "", ""), "後半\r\n");
}

TEST(TemplateBook, SearchEndsAtTheFirstHeaderOf100OrMore) {
    TemplateBook book(kBook);
    EXPECT_EQ(book.single(120, "", ""), "遠い\r\n");
    EXPECT_EQ(book.single(6, "", ""), "");
    EXPECT_EQ(book.single(7, "", ""), "");  // missing record: nothing
    EXPECT_FALSE(book.has(6));
    EXPECT_TRUE(book.has(5));
}

// The search does not stop at the first record of a number: it reads on after that record's end, so
// every record of the number before the first header of 100 or more is appended, in file order. A
// header swallowed by a record without ".." is that record's line break, not a second match.
TEST(TemplateBook, EveryRecordOfTheNumberIsAppended) {
    TemplateBook book(crlf({".7", "一",  "..", ".8",  "八", "..",   ".7", "二", "/",  "三",       "..",  //
                            ".9", "九a", ".9", "九b", "..", ".150", "遠", "..", ".7", "届かない", ".."}));
    MessagePages pages;
    book.append(7, "", "", pages);
    EXPECT_EQ(pages.at(0), "一\r\n二");
    EXPECT_EQ(pages.at(1), "三\r\n");
    EXPECT_EQ(book.single(7, "", ""), "三\r\n");  // a description forgets what came before "/"
    EXPECT_EQ(book.single(8, "", ""), "八\r\n");
    EXPECT_EQ(book.single(9, "", ""), "九a\r\n九b\r\n");
    EXPECT_EQ(book.single(150, "", ""), "遠\r\n");
    EXPECT_TRUE(book.has(7));
    EXPECT_FALSE(book.has(10));
}

TEST(TemplateBook, SurvivesBeingCopied) {
    TemplateBook copy;
    {
        TemplateBook original(".1\r\nab\r\n..\r\n");
        copy = original;
    }
    EXPECT_EQ(copy.single(1, "", ""), "ab\r\n");
}

}  // namespace
}  // namespace tei
