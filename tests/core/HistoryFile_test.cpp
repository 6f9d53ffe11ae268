#include "core/HistoryFile.h"

#include <gtest/gtest.h>

#include "support/TempGameFolder.h"

namespace tei {
namespace {

using test::TempGameFolder;

HistoryRow row(int16_t year, int16_t faction, std::string name, double score = 104.8) {
    return {.year = year,
            .faction = faction,
            .name = std::move(name),
            .alive = true,
            .troops = 31,
            .elite = 5,
            .fame = 40,
            .awe = 20,
            .order = 70,
            .cohesion = 60,
            .officers = 7,
            .alliance = 18,
            .score = score};
}

TEST(HistoryFile, NamesWithCommasOrQuotesAreQuotedAndReadBack) {
    EXPECT_EQ(csvField("劉備"), "劉備");
    EXPECT_EQ(csvField("袁,術"), "\"袁,術\"");
    EXPECT_EQ(csvField("袁\"術\""), "\"袁\"\"術\"\"\"");
    for (const char* name : {"劉備", "袁,術", "袁\"術", "\"", ",", "", "a\r\nb", "\"\""}) {
        SCOPED_TRACE(name);
        HistoryRow r = row(200, 1, name);
        HistoryText read = parseHistory(emptyHistory() + formatHistoryRow(r));
        ASSERT_EQ(read.rows.size(), 1u);
        EXPECT_TRUE(read.badLines.empty());
        EXPECT_EQ(read.rows[0].name, name);
        EXPECT_EQ(read.rows[0], r);
    }
}

TEST(HistoryFile, ReadsWhatSpreadsheetsWriteAndNamesTheLinesItCannot) {
    // A BOM, LF line ends, a blank line, the header again, a name quoted without need, no last line end.
    HistoryText read = parseHistory(
        "\xEF\xBB\xBF"
        "year,faction,name,alive,troops,elite,fame,awe,order,cohesion,officers,alliance,score\n"
        "189,1,\"董卓\",1,180,30,35,75,62,35,17,0,204.4\n"
        "\n"
        "year,faction,name,alive,troops,elite,fame,awe,order,cohesion,officers,alliance,score\n"
        "189,2,\"a\nb\",1,1,1,1,1,1,1,1,0,1\n"    // a line break inside quotes: lines 5 and 6
        "189,3,曹操,1,40,15,40,20,77,85,11,18\n"  // 7: a field short
        "189,4,袁術,2,1,1,1,1,1,1,1,0,1\n"        // 8: alive is 0 or 1
        "189,5,孫堅,1,40000,1,1,1,1,1,1,0,1\n"    // 9: beyond 16 bits
        "189,6,x,1,1,1,1,1,1,1,1,0,1.5x\n"        // 10: no number
        "189,7,\"劉\"表,1,1,1,1,1,1,1,1,0,1\n"    // 11: text after the closing quote
        "189,8,劉焉,1,1,1,1,1,1,1,1,0,1e3\n"
        "190,9,\"馬騰");  // 13: the quote never closes
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[0].name, "董卓");
    EXPECT_EQ(read.rows[0].score, 204.4);
    EXPECT_EQ(read.rows[1].name, "a\nb");
    EXPECT_EQ(read.rows[2].score, 1000);
    EXPECT_EQ(read.badLines, (std::vector<int>{7, 8, 9, 10, 11, 13}));
    // A last line without its line end is read too, here the first and only one, whose score is empty.
    EXPECT_EQ(parseHistory("190,1,甲,1,1,1,1,1,1,1,1,0,").badLines, std::vector<int>{1});
}

TEST(HistoryFile, AYearIsAppendedToWhateverTheFileHolds) {
    TempGameFolder tmp;
    // No file yet (a game begun before the history was kept): the header comes first.
    appendHistory(tmp.folder(), {row(189, 1, "甲")});
    EXPECT_EQ(tmp.readIni("history.csv"), emptyHistory() + "189,1,甲,1,31,5,40,20,70,60,7,18,104.8\r\n");

    // A last line cut short gets its line end before the new rows; bytes that are not UTF-8 stay.
    tmp.writeIni("history.csv", "note \x82\xa0,by hand");
    appendHistory(tmp.folder(), {row(190, 1, "甲"), row(190, 2, "乙")});
    EXPECT_EQ(tmp.readIni("history.csv"),
              "note \x82\xa0,by hand\r\n"
              "190,1,甲,1,31,5,40,20,70,60,7,18,104.8\r\n"
              "190,2,乙,1,31,5,40,20,70,60,7,18,104.8\r\n");

    startHistory(tmp.folder());
    EXPECT_EQ(tmp.readIni("history.csv"),
              "year,faction,name,alive,troops,elite,fame,awe,order,cohesion,officers,alliance,score\r\n");
}

}  // namespace
}  // namespace tei
