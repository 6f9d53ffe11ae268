#include "screens/HistoryView.h"

#include <gtest/gtest.h>

#include <sstream>

#include "screens/HistoryCommand.h"
#include "screens/ScreensWorld.h"

namespace tei {
namespace {

using test::kWorldHistory;
using test::TempGameFolder;

// The lines and the ranking as drawn are checked on the chart window; here what only the file shows.
TEST(HistoryView, ALineForEveryFactionThatStoodTheLaterRowOfAYearWrittenTwice) {
    HistoryView view = HistoryView::parse(kWorldHistory);
    EXPECT_EQ(view.years(), (std::vector<int>{189, 190, 191, 192}));
    auto series = view.series(HistoryMeasure::Score, {4});
    ASSERT_EQ(series.size(), 3u);  // 丙 has no line
    EXPECT_EQ(series[0].name, "甲国");
    EXPECT_EQ(series[0].points[1].value, 165.25);
    EXPECT_FALSE(series[0].player);
    EXPECT_TRUE(series[2].player);
    ASSERT_EQ(series[1].points.size(), 3u);  // 乙 ends in 191, with its fall
    EXPECT_TRUE(series[1].points.back().fallen);
    EXPECT_EQ(series[1].points.back().value, 0);
}

TEST(HistoryView, ValuesReadAsTheGameShowsThem) {
    EXPECT_EQ(measureText(152, HistoryMeasure::Troops), "152000");
    EXPECT_EQ(measureText(0, HistoryMeasure::Elite), "0");
    EXPECT_EQ(measureText(73, HistoryMeasure::Officers), "73");
    EXPECT_EQ(measureText(668.593333333333, HistoryMeasure::Score), "668.59");
    EXPECT_EQ(measureText(104.8, HistoryMeasure::Score), "104.8");
    EXPECT_EQ(measureText(677, HistoryMeasure::Score), "677");
    EXPECT_EQ(measureText(0, HistoryMeasure::Score), "0");
    EXPECT_EQ(measureByKey("cohesion"), HistoryMeasure::Cohesion);
    EXPECT_FALSE(measureByKey("兵力"));
    EXPECT_EQ(std::string(measureInfo(HistoryMeasure::Score).label), "評価点");
}

TEST(HistoryView, PlayersAreTheSlotsFactionsAndTheRowsOfThoseThatFell) {
    GameGlobals g;
    g.slotFaction[0] = 1;
    g.slotRuler[0] = 10;
    g.slotRuler[2] = 12;  // its faction, row 2's, fell: the slot keeps its ruler
    g.slotFaction[5] = 0;
    EXPECT_EQ(playerFactions(g), (std::vector<int16_t>{1, 3}));
}

class HistoryCommandTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        std::string error;
        auto o = parseHistoryOptions(args, error);
        if (!o) {
            err << error;
            return -1;
        }
        return runHistory(*o, tmp.folder(), out, err);
    }
    TempGameFolder tmp;
    std::ostringstream out, err;
};

TEST_F(HistoryCommandTest, PrintsTheFileAsItIsOrATableOfOneMeasure) {
    tmp.writeIni("history.csv", kWorldHistory);
    tmp.writeIni(".tmp-999999999-0-history.csv", "half a history");  // a temporary of a killed run
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(out.str(), kWorldHistory);
    EXPECT_FALSE(tmp.hasIni(".tmp-999999999-0-history.csv"));  // settled before reading
    EXPECT_EQ(run({"--measure", "troops"}), 0);
    EXPECT_EQ(out.str(),
              " 年    甲国     乙  丙     丁\n"
              "189  100000  30000   -  20000\n"
              "190  115000  25000   -  21000\n"
              "191  120000  18000   -  22000\n"
              "192  130000      -   -  23000\n");
    EXPECT_EQ(run({"--measure", "score"}), 0);
    EXPECT_EQ(out.str().substr(out.str().find("190")),
              "190  165.25  110   -   81\n"
              "191     190    0   -   82\n"
              "192     200    -   -  200\n");
    EXPECT_TRUE(err.str().empty());
}

TEST_F(HistoryCommandTest, BadOptionsAndFilesGetAMessage) {
    EXPECT_EQ(run({"--measure"}), -1);
    EXPECT_EQ(err.str(), "オプション --measure に値がありません。 / option --measure needs a value.");
    EXPECT_EQ(run({"--measure", "gold"}), -1);
    EXPECT_EQ(
        err.str(),
        "表示する値は troops|elite|fame|awe|order|cohesion|officers|score のどれかです: gold / the measure is one "
        "of troops|elite|fame|awe|order|cohesion|officers|score: gold");
    EXPECT_EQ(run({"--years", "3"}), -1);
    EXPECT_EQ(err.str(), "不明なオプションです: --years / unknown option: --years");

    for (std::vector<std::string> args : {std::vector<std::string>{}, {"--measure", "fame"}}) {
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(err.str(),
                  "エラー: ファイル「ini/history.csv」が見つかりません。\nerror: cannot use ini/history.csv\n");
    }
    tmp.writeIni("history.csv", "\xff\xfe\r\n");  // neither UTF-8 nor Shift_JIS
    EXPECT_EQ(run({"--measure", "fame"}), 2);
    EXPECT_EQ(run({}), 0);  // as it is, whatever it holds

    tmp.writeIni("history.csv", emptyHistory() + "189,1,\"甲\r\n国\",1,1,1,1,1,1,1,1,0,1\r\nbroken\r\n189,2,乙\r\n");
    EXPECT_EQ(run({"--measure", "fame"}), 1);
    EXPECT_EQ(out.str(), " 年  甲  国\n189       1\n");  // a name in quotes may hold a line break
    EXPECT_EQ(err.str(),
              "注意: ファイル「ini/history.csv」の 4, 5 行目は読めないので表に入れていません。\n"
              "note: lines 4, 5 of ini/history.csv are not rows and were left out\n");
}

}  // namespace
}  // namespace tei
