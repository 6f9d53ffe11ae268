#include "screens/forms/HistoryChart.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTableWidget>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"

namespace tei {

namespace {

constexpr const char* kMeasureCaption = "表示：";
constexpr const char* kYearAxis = "年";
constexpr const char* kThousands = "（千）";
constexpr const char* kFallenMark = "（滅亡）";
constexpr const char* kNoYearYet = "まだ記録がありません。一年が終わるごとに、各軍閥の値が記録されます。";
constexpr const char* kRankingColumns[] = {"順位", "軍閥", "評価点"};
constexpr const char* kFallenScore = "滅亡";

constexpr int kPlayerPen = 4;
constexpr int kPen = 2;

// A colour per faction number, so a faction keeps its colour whatever the measure.
const QColor& factionColour(int faction) {
    static const QColor colours[] = {
        QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
        QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf),
        QColor(0xbc, 0xbd, 0x22), QColor(0x7f, 0x7f, 0x7f), QColor(0x39, 0x3b, 0x79), QColor(0xe7, 0xba, 0x52),
        QColor(0x84, 0x3c, 0x39), QColor(0x63, 0x79, 0x39), QColor(0x7b, 0x41, 0x73), QColor(0x31, 0x82, 0xbd),
        QColor(0xe6, 0x55, 0x0d), QColor(0x31, 0xa3, 0x54), QColor(0x75, 0x6b, 0xb1), QColor(0x63, 0x63, 0x63),
    };
    return colours[static_cast<size_t>(std::max(0, faction - 1)) % std::size(colours)];
}

// Year ticks on whole years, at most about a dozen of them.
int yearStep(int span) {
    for (int step : {1, 2, 5, 10, 20, 50})
        if (span / step <= 12) return step;
    return 100;
}

}  // namespace

HistoryChart::HistoryChart(const GameFolder& folder, const GameGlobals& g, Opening opening, QWidget* parent)
    : QDialog(parent), players_(playerFactions(g)) {
    try {
        history_ = HistoryView::load(folder);
    } catch (const FileError& e) {
        loadError_ = e.message();
    }
    init_rtn(opening);
    std::string note;
    if (history_.empty())
        note = kNoYearYet;
    else if (!history_.badLines().empty()) {
        std::string lines;
        for (int n : history_.badLines()) lines += (lines.empty() ? "" : ", ") + std::to_string(n);
        note = "ファイル「" + folder.display(folder.ini(kHistoryFile)) + "」の " + lines +
               " 行目は読めないので表示していません。";
    }
    note_->setText(qs(note));
    note_->setVisible(!note.empty());
    showMeasure(opening == Opening::FinalRanking ? HistoryMeasure::Score : HistoryMeasure::Troops);
}

int HistoryChart::exec() { return reportLoadFailure(parentWidget(), loadError_) ? Rejected : QDialog::exec(); }

void HistoryChart::init_rtn(Opening opening) {
    setObjectName(QStringLiteral("HistoryChart"));
    setWindowTitle(qs(kHistoryChartTitle));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(makeHeading(qs(kHistoryChartTitle), this));
    top->addStretch(1);
    top->addWidget(new QLabel(qs(kMeasureCaption), this));
    measureBox_ = new QComboBox(this);
    measureBox_->setObjectName(QStringLiteral("measureBox"));
    for (HistoryMeasure m : kChartMeasures) measureBox_->addItem(qs(measureInfo(m).label), static_cast<int>(m));
    connect(measureBox_, &QComboBox::activated, this,
            [this](int index) { showMeasure(static_cast<HistoryMeasure>(measureBox_->itemData(index).toInt())); });
    top->addWidget(measureBox_);
    layout->addLayout(top);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("noteLabel"));
    note_->setWordWrap(true);
    layout->addWidget(note_);

    auto* body = new QHBoxLayout;
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    view_ = new QChartView(chart_, this);  // the view owns the chart
    view_->setObjectName(QStringLiteral("chartView"));
    view_->setRenderHint(QPainter::Antialiasing);
    // A new measure changes the axis titles and labels: the whole chart is drawn again, not the parts
    // the scene reports as changed, which leave traces of the old ones.
    view_->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    years_ = new QValueAxis;
    years_->setTitleText(qs(kYearAxis));
    years_->setLabelFormat(QStringLiteral("%d"));
    years_->setTickType(QValueAxis::TicksDynamic);
    values_ = new QValueAxis;
    values_->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(years_, Qt::AlignBottom);
    chart_->addAxis(values_, Qt::AlignLeft);
    view_->setMinimumSize(640, 420);
    body->addWidget(view_, 1);
    if (opening == Opening::FinalRanking) {
        ranking_ = new QTableWidget(0, static_cast<int>(std::size(kRankingColumns)), this);
        ranking_->setObjectName(QStringLiteral("rankingTable"));
        QStringList headings;
        for (const char* c : kRankingColumns) headings << qs(c);
        ranking_->setHorizontalHeaderLabels(headings);
        ranking_->verticalHeader()->hide();
        ranking_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        ranking_->setSelectionMode(QAbstractItemView::NoSelection);
        ranking_->setFocusPolicy(Qt::NoFocus);
        ranking_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        ranking_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
        fillRanking();
        body->addWidget(ranking_);
    }
    layout->addLayout(body, 1);

    pointLabel_ = new QLabel(this);
    pointLabel_->setObjectName(QStringLiteral("pointLabel"));
    pointLabel_->setMinimumHeight(fontMetrics().height() + 4);
    auto* bottom = makeBackRow(this);
    bottom->insertWidget(0, pointLabel_, 1);
    layout->addLayout(bottom);
    resize(1040, 640);
    rememberGeometry(this);
}

void HistoryChart::fillRanking() {
    const std::vector<RankingLine> lines = history_.ranking();
    ranking_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < ranking_->rowCount(); ++r) {
        const RankingLine& line = lines[static_cast<size_t>(r)];
        const bool player = std::find(players_.begin(), players_.end(), line.faction) != players_.end();
        auto cell = [&](int column, const QString& text, Qt::Alignment align) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(align | Qt::AlignVCenter);
            if (player) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            ranking_->setItem(r, column, item);
        };
        cell(0, QString::number(line.rank), Qt::AlignRight);
        cell(1, qs(line.name), Qt::AlignLeft);
        cell(2, qs(line.alive ? measureText(line.score, HistoryMeasure::Score) : kFallenScore), Qt::AlignRight);
    }
}

void HistoryChart::showMeasure(HistoryMeasure m) {
    measure_ = m;
    measureBox_->setCurrentIndex(measureBox_->findData(static_cast<int>(m)));
    pointLabel_->clear();
    chart_->removeAllSeries();
    shown_ = history_.series(m, players_);
    const bool thousands = m == HistoryMeasure::Troops || m == HistoryMeasure::Elite;
    // Named above the chart: a title along the axis would stand Japanese on its side.
    chart_->setTitle(qs(measureInfo(m).label) + (thousands ? qs(kThousands) : QString()));

    int firstYear = 0, lastYear = 0;
    double low = 0, high = 0;
    bool any = false;
    for (const HistorySeries& s : shown_) {
        auto* line = new QLineSeries;
        line->setName(qs(s.name));
        QPen pen(factionColour(s.faction));
        pen.setWidth(s.player ? kPlayerPen : kPen);
        line->setPen(pen);
        line->setPointsVisible(true);
        line->setMarkerSize(s.player ? 6 : 4);
        for (const HistoryPoint& p : s.points) {
            line->append(p.year, p.value);
            firstYear = any ? std::min(firstYear, p.year) : p.year;
            lastYear = any ? std::max(lastYear, p.year) : p.year;
            low = std::min(low, p.value);
            high = any ? std::max(high, p.value) : std::max(0.0, p.value);
            any = true;
        }
        chart_->addSeries(line);
        line->attachAxis(years_);
        line->attachAxis(values_);
        const size_t index = static_cast<size_t>(chart_->series().size() - 1);
        connect(line, &QLineSeries::hovered, this,
                [this, index](const QPointF& at, bool entered) { showPoint(shown_[index], at, entered); });
        if (s.player) {
            QFont bold = chart_->legend()->font();
            bold.setBold(true);
            for (QLegendMarker* marker : chart_->legend()->markers(line)) marker->setFont(bold);
        }
    }
    if (!any) firstYear = lastYear = 0;
    // A single year still gets an axis a year wide on each side.
    const int from = firstYear == lastYear ? firstYear - 1 : firstYear;
    const int to = firstYear == lastYear ? lastYear + 1 : lastYear;
    years_->setRange(from, to);
    years_->setTickAnchor(from);
    years_->setTickInterval(yearStep(to - from));
    values_->setRange(low, high > low ? high : low + 1);
    values_->applyNiceNumbers();
}

void HistoryChart::showPoint(const HistorySeries& line, QPointF at, bool entered) {
    if (!entered || line.points.empty()) {
        pointLabel_->clear();
        QToolTip::hideText();
        return;
    }
    // The point of the line nearest the pointer, by year.
    const HistoryPoint* nearest = &line.points.front();
    for (const HistoryPoint& p : line.points)
        if (std::abs(p.year - at.x()) < std::abs(nearest->year - at.x())) nearest = &p;
    std::string text = std::to_string(nearest->year) + "年　" + line.name + "　" + measureInfo(measure_).label + " " +
                       measureText(nearest->value, measure_) + (nearest->fallen ? kFallenMark : "");
    pointLabel_->setText(qs(text));
    if (view_->underMouse()) QToolTip::showText(QCursor::pos(), qs(text), view_);
}

}  // namespace tei
