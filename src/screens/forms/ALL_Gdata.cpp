#include "screens/forms/ALL_Gdata.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/WorldView.h"
#include "screens/forms/All_Bdata.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/HistoryChart.h"

namespace tei {

namespace {
constexpr const char* kHeading = "軍閥一覧";
constexpr const char* kColumns[] = {"君主", "総兵力\n（千）", "精兵\n（千）", "政安", "結束",
                                    "名声", "畏怖",           "武将数",       "盟主"};
constexpr int kMaxRowsShown = 13;
}  // namespace

ALL_Gdata::ALL_Gdata(const GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g) {
    init_rtn();
    Dsp_rtn();
    fitTable();
    rememberGeometry(this);
}

int ALL_Gdata::exec() { return reportLoadFailure(parentWidget(), loadError_) ? Rejected : QDialog::exec(); }

void ALL_Gdata::init_rtn() {
    setObjectName(QStringLiteral("ALL_Gdata"));
    setWindowTitle(qs(kHeading));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(qs(kHeading), this));

    table_ = new QTableWidget(0, static_cast<int>(std::size(kColumns)), this);
    table_->setObjectName(QStringLiteral("factionTable"));
    QStringList headings;
    for (const char* c : kColumns) headings << qs(c);
    table_->setHorizontalHeaderLabels(headings);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setFocusPolicy(Qt::NoFocus);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { factionTable_DoubleClick(row); });
    layout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    buttons_ = buttons;
    buttons->addStretch(1);
    const char* captions[] = {"戻る", "武将リスト"};
    for (int i : {1, 0}) {
        auto* b = new QPushButton(qs(captions[i]), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(b);
        if (i == 0) b->setFocus();
    }
    layout->addLayout(buttons);
}

void ALL_Gdata::Dsp_rtn() {
    std::vector<FactionListRow> rows;
    try {
        rows = WorldView::load(folder_, g_).factionList();
    } catch (const FileError& e) {
        loadError_ = e.message();
    }
    table_->setRowCount(static_cast<int>(rows.size()));
    QStringList factionNames;
    factions_.clear();
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        factionNames << qs(row.name);
        factions_.push_back(row.faction);
        auto text = [&](int column, const std::string& s) { table_->setItem(r, column, new QTableWidgetItem(qs(s))); };
        auto number = [&](int column, int v) {
            auto* item = new QTableWidgetItem(QString::number(v));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, column, item);
        };
        text(0, row.ruler);
        number(1, row.army);
        number(2, row.seihei);
        number(3, row.tian);
        number(4, row.kessoku);
        number(5, row.meisei);
        number(6, row.ifu);
        number(7, row.officers);
        text(8, row.leader);
    }
    table_->setVerticalHeaderLabels(factionNames);
}

void ALL_Gdata::fitTable() {
    QHeaderView* top = table_->horizontalHeader();
    QHeaderView* side = table_->verticalHeader();
    // Every column as wide as its widest text or heading; the last one stretches only afterwards.
    top->setStretchLastSection(false);
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    int width = side->sizeHint().width() + table_->frameWidth() * 2 + 2;
    for (int c = 0; c < table_->columnCount(); ++c) width += top->sectionSize(c);
    top->setStretchLastSection(true);
    // Rows as high as the ones shown; without any, as high as a row of text.
    int rowHeight = table_->rowCount() > 0 ? 0 : table_->fontMetrics().height() + 8;
    for (int r = 0; r < table_->rowCount(); ++r) rowHeight = std::max(rowHeight, table_->rowHeight(r));
    table_->setMinimumSize(width, top->sizeHint().height() + rowHeight * kMaxRowsShown + table_->frameWidth() * 2 + 2);
}

void ALL_Gdata::factionTable_DoubleClick(int row) {
    if (row < 0 || row >= static_cast<int>(factions_.size())) return;
    // The faction screen takes its faction and its line through the shared values; they are put
    // back afterwards, for this list may be shown in the middle of a year.
    const int16_t detailId = g_.detailId;
    const std::string msgText = g_.msgText;
    g_.detailId = factions_[static_cast<size_t>(row)];
    g_.msgText.clear();
    {
        Gdata faction(folder_, g_, this);
        faction.exec();
    }
    g_.detailId = detailId;
    g_.msgText = msgText;
}

void ALL_Gdata::offerHistoryChart() {
    if (findChild<QPushButton*>(QStringLiteral("historyButton"))) return;
    auto* b = new QPushButton(qs(kHistoryChartTitle), this);
    b->setObjectName(QStringLiteral("historyButton"));
    connect(b, &QPushButton::clicked, this, [this] {
        HistoryChart chart(folder_, g_, HistoryChart::Opening::FinalRanking, this);
        chart.exec();
    });
    buttons_->insertWidget(0, b);  // at the row's far end, the list's own buttons where they were
}

void ALL_Gdata::Command1_Click(int index) {
    if (index == 0) {
        reject();
        return;
    }
    All_Bdata officers(folder_, g_, this);
    officers.exec();
}

}  // namespace tei
