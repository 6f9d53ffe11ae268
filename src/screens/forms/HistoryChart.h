#pragma once
// How the game went, at a glance: one line per faction over the years for a measure chosen from 兵力,
// 名声, 畏怖, 治安, 結束力, 武将数 and 評価点, read from the history (screens/HistoryView.h). The players'
// factions are drawn thicker, a fallen faction's line ends at its fall, the legend names the
// factions, and the pointer on a line names the year, the faction and the value. Opened from the
// main screen's information menu on 兵力, and from the final faction list on 評価点 with the last
// year's ranking (順位, 軍閥, 評価点) beside the chart.

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "screens/HistoryView.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QTableWidget;
class QValueAxis;

namespace tei {

inline constexpr const char* kHistoryChartTitle = "推移グラフ";

class HistoryChart : public QDialog {
    Q_OBJECT
public:
    enum class Opening { Browse, FinalRanking };

    HistoryChart(const GameFolder& folder, const GameGlobals& g, Opening opening, QWidget* parent = nullptr);
    // Shows the window, or only the message when the history could not be read.
    int exec() override;

    // Draws the measure's lines (the choice box follows).
    void showMeasure(HistoryMeasure m);
    HistoryMeasure measure() const { return measure_; }
    QChart* chart() const { return chart_; }

private:
    void init_rtn(Opening opening);
    void fillRanking();
    void showPoint(const HistorySeries& line, QPointF at, bool entered);

    HistoryView history_;
    std::vector<int16_t> players_;
    std::string loadError_;
    HistoryMeasure measure_ = HistoryMeasure::Troops;
    QComboBox* measureBox_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QValueAxis* years_ = nullptr;
    QValueAxis* values_ = nullptr;
    QLabel* note_ = nullptr;
    QLabel* pointLabel_ = nullptr;
    QTableWidget* ranking_ = nullptr;
    std::vector<HistorySeries> shown_;  // the lines drawn, in the chart's series order
};

}  // namespace tei
