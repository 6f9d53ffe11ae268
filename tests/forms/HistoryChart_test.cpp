#include "screens/forms/HistoryChart.h"

#include <QChart>
#include <QComboBox>
#include <QFont>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTableWidget>

#include "ScreenFixture.h"
#include "core/HistoryFile.h"

namespace tei {
namespace {

using test::kWorldHistory;
using test::ModalSequence;
using test::ScreenTest;

class HistoryChartTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        tmp.writeIni("history.csv", kWorldHistory);
        g.slotFaction.fill(0);
        g.slotRuler.fill(0);
        g.slotFaction[0] = 1;  // 甲 is played
        g.slotRuler[0] = 1;
    }
    static QLineSeries* line(HistoryChart& w, int i) { return static_cast<QLineSeries*>(w.chart()->series().at(i)); }
    static std::vector<QPointF> points(HistoryChart& w, int i) {
        auto p = line(w, i)->points();
        return {p.begin(), p.end()};
    }
};

TEST_F(HistoryChartTest, ALinePerFactionThickerForPlayersEndingAtTheFallNamedUnderThePointer) {
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
    w.show();
    EXPECT_EQ(w.windowTitle(), "推移グラフ");
    auto* box = child<QComboBox>(&w, "measureBox");
    EXPECT_EQ(box->currentText(), "兵力");
    EXPECT_EQ(w.findChild<QTableWidget*>("rankingTable"), nullptr);

    ASSERT_EQ(w.chart()->series().size(), 3);  // 丙 fell before the first year: no line
    EXPECT_EQ(line(w, 0)->name(), "甲国");
    EXPECT_EQ(line(w, 0)->pen().width(), 4);
    EXPECT_EQ(line(w, 1)->pen().width(), 2);
    // A year written twice shows its later row; 乙's line ends at its fall.
    EXPECT_EQ(points(w, 0), (std::vector<QPointF>{{189, 100}, {190, 115}, {191, 120}, {192, 130}}));
    EXPECT_EQ(points(w, 1), (std::vector<QPointF>{{189, 30}, {190, 25}, {191, 18}}));
    EXPECT_EQ(w.chart()->title(), "兵力（千）");
    // The legend names the factions, the player in bold.
    auto markers = w.chart()->legend()->markers();
    ASSERT_EQ(markers.size(), 3);
    EXPECT_EQ(markers[2]->label(), "丁");
    EXPECT_TRUE(markers[0]->font().bold());
    EXPECT_FALSE(markers[1]->font().bold());

    // The last entry, from the keyboard as a player picks it.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    EXPECT_EQ(w.measure(), HistoryMeasure::Score);
    EXPECT_EQ(points(w, 0), (std::vector<QPointF>{{189, 150.5}, {190, 165.25}, {191, 190}, {192, 200}}));
    EXPECT_EQ(w.chart()->title(), "評価点");
    // The pointer on a line names the nearest year, the faction and the value.
    auto* label = child<QLabel>(&w, "pointLabel");
    emit line(w, 0)->hovered(QPointF(189.4, 150), true);
    EXPECT_EQ(label->text(), "189年　甲国　評価点 150.5");
    QTest::keyClick(box, Qt::Key_Home);
    EXPECT_EQ(w.measure(), HistoryMeasure::Troops);
    emit line(w, 1)->hovered(QPointF(190.8, 19), true);
    EXPECT_EQ(label->text(), "191年　乙　兵力 18000（滅亡）");
    emit line(w, 1)->hovered(QPointF(190.8, 19), false);
    EXPECT_EQ(label->text(), "");
    press(&w, "backButton");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(HistoryChartTest, AtTheEndTheScoresShowBesideTheLastYearsRanking) {
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::FinalRanking);
    w.show();
    EXPECT_EQ(child<QComboBox>(&w, "measureBox")->currentText(), "評価点");
    auto* table = child<QTableWidget>(&w, "rankingTable");
    ASSERT_EQ(table->rowCount(), 4);
    std::vector<QStringList> rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows.push_back({table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text()});
    EXPECT_EQ(rows, (std::vector<QStringList>{
                        {"1", "甲国", "200"}, {"1", "丁", "200"}, {"3", "乙", "滅亡"}, {"3", "丙", "滅亡"}}));
    EXPECT_TRUE(table->item(0, 1)->font().bold());  // the player
    EXPECT_FALSE(table->item(1, 1)->font().bold());
    press(&w, "backButton");
}

TEST_F(HistoryChartTest, AnEmptyOrMissingHistorySaysSoAndABadFileIsReported) {
    std::filesystem::remove(tmp.root() / "ini" / "history.csv");  // a game begun before the history
    {
        HistoryChart w(tmp.folder(), g, HistoryChart::Opening::FinalRanking);
        w.show();
        EXPECT_TRUE(w.chart()->series().isEmpty());
        EXPECT_EQ(child<QTableWidget>(&w, "rankingTable")->rowCount(), 0);
        EXPECT_EQ(text(&w, "noteLabel"), "まだ記録がありません。一年が終わるごとに、各軍閥の値が記録されます。");
    }
    tmp.writeIni("history.csv", kWorldHistory + "192,5,戊\r\n");
    {
        HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
        w.show();
        EXPECT_EQ(w.chart()->series().size(), 3);
        EXPECT_EQ(text(&w, "noteLabel"), "ファイル「ini/history.csv」の 19 行目は読めないので表示していません。");
    }
    tmp.writeIni("history.csv", "\xff\xfe\r\n");  // neither UTF-8 nor Shift_JIS
    HistoryChart w(tmp.folder(), g, HistoryChart::Opening::Browse);
    ModalSequence s;
    s.box("ファイル「ini/history.csv」は UTF-8 のテキストではありません。", "OK");
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_TRUE(s.done());
}

}  // namespace
}  // namespace tei
