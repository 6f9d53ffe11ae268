#include "screens/forms/HistoryChart.h"

#include <QChart>
#include <QComboBox>
#include <QFont>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTableWidget>
#include <QValueAxis>

#include "ScreenFixture.h"
#include "core/HistoryFile.h"

namespace tei {
namespace {

using test::ModalSequence;
using test::ScreenTest;

// 甲 stands throughout and is renamed 甲国 in the last year; 乙 falls in 191; 丙 had fallen before the
// history began; 丁 ends level with 甲国.
const std::string kMadeUp = emptyHistory() +
                            "189,1,甲,1,100,10,50,20,60,70,5,0,150.5\r\n"
                            "189,2,乙,1,30,0,40,10,50,60,3,0,120\r\n"
                            "189,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                            "189,4,丁,1,20,0,30,0,70,0,2,0,80\r\n"
                            "190,1,甲,1,115,10,52,20,60,70,5,0,165.25\r\n"
                            "190,2,乙,1,25,0,40,10,50,60,3,0,110\r\n"
                            "190,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                            "190,4,丁,1,21,0,30,0,70,0,2,0,81\r\n"
                            "191,1,甲,1,120,10,54,20,60,70,5,0,190\r\n"
                            "191,2,乙,0,18,0,40,10,50,60,1,0,0\r\n"
                            "191,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                            "191,4,丁,1,22,0,30,0,70,0,2,0,82\r\n"
                            "192,1,甲国,1,130,10,56,20,60,70,5,0,200\r\n"
                            "192,2,乙,0,18,0,40,10,50,60,1,0,0\r\n"
                            "192,3,丙,0,5,0,10,0,0,0,1,0,0\r\n"
                            "192,4,丁,1,23,0,30,0,70,0,2,0,200\r\n";

class HistoryChartTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        tmp.writeIni("history.csv", kMadeUp);
        g.slotFaction.fill(0);
        g.slotRuler.fill(0);
        g.slotFaction[0] = 1;  // 甲 is played
        g.slotRuler[0] = 1;
    }
    static std::vector<QLineSeries*> lines(HistoryChart& w) {
        std::vector<QLineSeries*> out;
        for (QAbstractSeries* s : w.chart()->series()) out.push_back(static_cast<QLineSeries*>(s));
        return out;
    }
    static std::vector<QPointF> points(QLineSeries* s) {
        auto p = s->points();
        return {p.begin(), p.end()};
    }
};

TEST_F(HistoryChartTest, ALinePerFactionThickerForPlayersEndingAtTheFallAndTheMeasureSwitches) {
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
    w.show();
    EXPECT_EQ(w.windowTitle(), "推移グラフ");
    auto* box = child<QComboBox>(&w, "measureBox");
    QStringList offered;
    for (int i = 0; i < box->count(); ++i) offered << box->itemText(i);
    EXPECT_EQ(offered, (QStringList{"兵力", "名声", "畏怖", "治安", "結束力", "武将数", "評価点"}));
    EXPECT_EQ(box->currentText(), "兵力");
    EXPECT_FALSE(child<QLabel>(&w, "noteLabel")->isVisible());
    EXPECT_EQ(w.findChild<QTableWidget*>("rankingTable"), nullptr);

    auto drawn = lines(w);
    ASSERT_EQ(drawn.size(), 3u);  // 丙 fell before the first year: no line
    EXPECT_EQ(drawn[0]->name(), "甲国");
    EXPECT_EQ(drawn[1]->name(), "乙");
    EXPECT_EQ(drawn[2]->name(), "丁");
    EXPECT_EQ(drawn[0]->pen().width(), 4);
    EXPECT_EQ(drawn[1]->pen().width(), 2);
    EXPECT_EQ(points(drawn[0]), (std::vector<QPointF>{{189, 100}, {190, 115}, {191, 120}, {192, 130}}));
    EXPECT_EQ(points(drawn[1]), (std::vector<QPointF>{{189, 30}, {190, 25}, {191, 18}}));  // ends at its fall
    EXPECT_EQ(w.chart()->title(), "兵力（千）");
    auto* years = static_cast<QValueAxis*>(w.chart()->axes(Qt::Horizontal).front());
    EXPECT_EQ(years->min(), 189);
    EXPECT_EQ(years->max(), 192);
    // The legend names the factions, the player in bold.
    auto markers = w.chart()->legend()->markers();
    ASSERT_EQ(markers.size(), 3);
    EXPECT_EQ(markers[0]->label(), "甲国");
    EXPECT_TRUE(markers[0]->font().bold());
    EXPECT_FALSE(markers[1]->font().bold());

    // The last entry, from the keyboard as a player picks it.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    EXPECT_EQ(w.measure(), HistoryMeasure::Score);
    drawn = lines(w);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(points(drawn[0]), (std::vector<QPointF>{{189, 150.5}, {190, 165.25}, {191, 190}, {192, 200}}));
    EXPECT_EQ(points(drawn[1]).back(), QPointF(191, 0));
    EXPECT_EQ(w.chart()->title(), "評価点");
    QTest::keyClick(box, Qt::Key_Home);
    EXPECT_EQ(w.measure(), HistoryMeasure::Troops);
    press(&w, "backButton");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(HistoryChartTest, ThePointerOnALineNamesTheYearTheFactionAndTheValue) {
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
    w.show();
    auto drawn = lines(w);
    auto* label = child<QLabel>(&w, "pointLabel");
    emit drawn[0]->hovered(QPointF(190.3, 112), true);
    EXPECT_EQ(label->text(), "190年　甲国　兵力 115000");
    emit drawn[1]->hovered(QPointF(190.8, 19), true);
    EXPECT_EQ(label->text(), "191年　乙　兵力 18000（滅亡）");
    emit drawn[1]->hovered(QPointF(190.8, 19), false);
    EXPECT_EQ(label->text(), "");

    w.showMeasure(HistoryMeasure::Score);
    emit lines(w)[0]->hovered(QPointF(189.4, 150), true);
    EXPECT_EQ(label->text(), "189年　甲国　評価点 150.5");
}

TEST_F(HistoryChartTest, AtTheEndTheScoresShowBesideTheLastYearsRanking) {
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::FinalRanking);
    w.show();
    EXPECT_EQ(child<QComboBox>(&w, "measureBox")->currentText(), "評価点");
    EXPECT_EQ(w.chart()->title(), "評価点");
    auto* table = child<QTableWidget>(&w, "rankingTable");
    ASSERT_EQ(table->rowCount(), 4);
    QStringList headings;
    for (int c = 0; c < table->columnCount(); ++c) headings << table->horizontalHeaderItem(c)->text();
    EXPECT_EQ(headings, (QStringList{"順位", "軍閥", "評価点"}));
    std::vector<QStringList> rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows.push_back({table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text()});
    EXPECT_EQ(rows, (std::vector<QStringList>{
                        {"1", "甲国", "200"}, {"1", "丁", "200"}, {"3", "乙", "滅亡"}, {"3", "丙", "滅亡"}}));
    EXPECT_TRUE(table->item(0, 1)->font().bold());  // the player
    EXPECT_FALSE(table->item(1, 1)->font().bold());
    press(&w, "backButton");
}

TEST_F(HistoryChartTest, AnEmptyHistorySaysSoAndABadFileIsReported) {
    tmp.writeIni("history.csv", emptyHistory());
    {
        HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
        w.show();
        EXPECT_TRUE(w.chart()->series().isEmpty());
        EXPECT_EQ(text(&w, "noteLabel"), "まだ記録がありません。一年が終わるごとに、各軍閥の値が記録されます。");
    }
    std::filesystem::remove(tmp.root() / "ini" / "history.csv");  // a game begun before the history
    {
        HistoryChart w(tmp.folder(), g, HistoryChart::Opening::FinalRanking);
        w.show();
        EXPECT_EQ(child<QTableWidget>(&w, "rankingTable")->rowCount(), 0);
        EXPECT_TRUE(child<QLabel>(&w, "noteLabel")->isVisible());
    }
    tmp.writeIni("history.csv", kMadeUp + "192,5,戊\r\n");
    {
        HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
        w.show();
        EXPECT_EQ(w.chart()->series().size(), 3);
        EXPECT_EQ(text(&w, "noteLabel"), "ファイル「ini/history.csv」の 18 行目は読めないので表示していません。");
    }
    tmp.writeIni("history.csv", "\x82\xa0\r\n");
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
    ModalSequence s;
    s.box("ファイル「ini/history.csv」は UTF-8 のテキストではありません。", "OK");
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_TRUE(s.done());
}

}  // namespace
}  // namespace tei
