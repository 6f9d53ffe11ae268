// Every reader of the game's text files ends a line at CR LF, LF or a lone CR: the line readers
// (templates, chronicle, save information, the one-record rewrites) and the item reader agree, so a
// file saved by an editor that writes lone CRs reads as the same file written with CR LF.

#include <gtest/gtest.h>

#include <string>

#include "core/OfficerRecordFile.h"
#include "core/RecordFiles.h"
#include "core/TextLines.h"
#include "messages/Chronicle.h"
#include "messages/TemplateBook.h"
#include "screens/SaveSlots.h"

namespace tei {
namespace {

// The text with every CR LF replaced by 'end'.
std::string withLineEnds(const std::string& text, const std::string& end) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += end;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

const char* const kEnds[] = {"\n", "\r"};

TEST(LineEnds, SplitLinesTakesALoneCrAsALineEnd) {
    EXPECT_EQ(splitLines("a\rb\r\nc\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\r\nb\r"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(LineEnds, ChronicleWithLoneCrsKeepsOneEndLine) {
    const std::string log = "鼎峙録の記録\r\n＝＝\r\n＝＝ 　189年　＝＝\r\n＝＝\r\n戦の話\r\nEOT=======\r\n";
    MessagePages pages;
    pages.at(0) = "190年の話";
    pages.at(1) = kEndOfPages;
    const std::string expected =
        "鼎峙録の記録\r\n＝＝\r\n＝＝ 　189年　＝＝\r\n＝＝\r\n戦の話\r\n190年の話\r\nEOT=======\r\n";
    for (const char* end : kEnds) {
        SCOPED_TRACE(end[0] == '\r' ? "CR" : "LF");
        std::string other = withLineEnds(log, end);
        EXPECT_EQ(appendYear(other, pages), expected);
        ChroniclePages cut = cutChronicle(other);
        EXPECT_EQ(cut.pages[0], cutChronicle(log).pages[0]);
        EXPECT_EQ(cut.lineCounts[0], 5);
    }
}

TEST(LineEnds, TemplatesSaveInformationAndRecordsReadTheSameWithEveryLineEnd) {
    const std::string templates = "\xEF\xBB\xBF.1\r\n前\r\n+\r\n.\r\n後\r\n..\r\n.2\r\n二\r\n..\r\n";
    GameGlobals g;
    g.saveHeader = {190, 50, 55, 0, 1, 0, 0, 0};
    g.slotName[0] = "曹操";
    g.slotRuler[0] = 29;
    g.slotFaction[0] = 3;
    const std::string info = formatSaveInfo(g);
    // Record 1 is cut short after its abilities: the reader stops at the marker that starts the
    // next line instead of taking ".2" for a value.
    const std::string officers = ".1\r\n\"甲\"\r\n1,2,3,4\r\n.2\r\n乙\r\n5,6,7,8\r\n9,9\r\n0,1\r\n\"x\"\r\n3\r\n";
    const std::string comments = ".3\r\n乙\r\n一行目\r\n二行目\r\n.\r\n.4\r\n丙\r\nx\r\n.\r\n";
    for (const char* end : kEnds) {
        SCOPED_TRACE(end[0] == '\r' ? "CR" : "LF");
        EXPECT_EQ(TemplateBook(withLineEnds(templates, end)).single(1, "甲", ""), "前甲\r\n後\r\n");
        auto parsed = parseSaveInfo(withLineEnds(info, end));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->header[0], 190);
        EXPECT_EQ(parsed->players[0].name, "曹操");

        OfficerFile read = parseOfficerFile(withLineEnds(officers, end));
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[0].fields, 5);
        EXPECT_EQ(read[1].officer.name, "乙");
        EXPECT_EQ(read[1].officer.commentID, 3);

        EXPECT_EQ(commentFromText(withLineEnds(comments, end), 3), "  一行目\r\n  二行目\r\n");
        // The one-record rewrite finds the record and writes CR LF everywhere.
        Bushou b = read[1].officer;
        b.policy = 1;
        EXPECT_EQ(replaceOfficerRecord(withLineEnds(officers, end), b),
                  ".1\r\n\"甲\"\r\n1,2,3,4\r\n.2\r\n乙\r\n1,6,7,8\r\n9,9\r\n0,1\r\nx\r\n3\r\n");
    }
}

}  // namespace
}  // namespace tei
