#include "game/forms/Forecast.h"

#include <QHeaderView>
#include <QPainter>
#include <QProgressDialog>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <atomic>
#include <system_error>
#include <thread>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "game/forms/Main.h"

namespace tei {

namespace {

constexpr const char* kColumns[] = {"軍閥", "1位になる確率", "生き残る確率", "平均スコア"};
constexpr const char* kPlayerMark = "（プレイヤー）";
constexpr const char* kCancelCaption = "中止";
constexpr int kBarRole = Qt::UserRole + 1;  // a percentage cell's value, 0..100

// A percentage cell: a bar as long as the share of the cell's width, behind the figure.
class BarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString figure = opt.text;
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : nullptr;
        if (style) style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const double percent = std::clamp(index.data(kBarRole).toDouble(), 0.0, 100.0);
        QRect bar = opt.rect.adjusted(3, 4, -3, -4);
        bar.setWidth(static_cast<int>(bar.width() * percent / 100.0));
        painter->save();
        painter->fillRect(bar, QColor(0x9C, 0xB8, 0xE0));
        painter->setPen(opt.palette.color(QPalette::Text));
        painter->setFont(opt.font);
        painter->drawText(opt.rect.adjusted(4, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, figure);
        painter->restore();
    }
};

QString percentText(double percent) { return QString::number(percent, 'f', 1) + QStringLiteral("%"); }

}  // namespace

void runForecast(QWidget* parent, const GameFolder& folder, const GameGlobals& g, int16_t year, int games) {
    SweepStart start;
    if (auto problem = continuationOf(folder, g, year, start)) {
        showNotice(parent, qsText(*problem));
        return;
    }
    SweepRun run(std::move(start), games, 1);
    std::atomic<bool> finished{false};
    std::thread worker;
    try {
        worker = std::thread([&run, &finished] {
            run.play(defaultJobs());
            finished = true;
        });
    } catch (const std::system_error&) {
        showNotice(parent, QStringLiteral("戦況予測を始められませんでした（スレッドを作れません）。"));
        return;
    }

    QProgressDialog progress(QStringLiteral("%1年の状況から%2回の対局を続けています…").arg(year).arg(games),
                             qs(kCancelCaption), 0, games, parent);
    progress.setObjectName(QStringLiteral("forecastProgress"));
    progress.setWindowTitle(qs(kForecastCaption));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&run] { run.cancel(); });
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
        if (progress.wasCanceled()) return;
        progress.setValue(run.done());
        if (finished) progress.accept();
    });
    poll.start();
    if (!finished) progress.exec();
    poll.stop();
    // A close of the dialog that is not the end of the games stops them too; a game under way is
    // finished first, which takes a few hundredths of a second.
    if (!finished) run.cancel();
    worker.join();
    if (run.cancelled()) return;
    if (auto failed = run.failure()) {
        showNotice(parent, qsText(*failed));
        return;
    }
    Forecast result(oddsLines(run.tally(), g), games, year, parent);
    result.exec();
}

Forecast::Forecast(const std::vector<OddsLine>& lines, int games, int year, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Forecast"));
    setWindowTitle(qs(kForecastCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(qs(kForecastCaption), this));
    auto* about = new QLabel(QStringLiteral("%1年の状況から、コンピュータが全軍閥を担当して%2回対局を続けた結果です。\n"
                                            "水色の行はプレイヤーの軍閥です。")
                                 .arg(year)
                                 .arg(games),
                             this);
    about->setObjectName(QStringLiteral("forecastAbout"));
    layout->addWidget(about);

    table_ = new QTableWidget(static_cast<int>(lines.size()), static_cast<int>(std::size(kColumns)), this);
    table_->setObjectName(QStringLiteral("oddsTable"));
    QStringList headings;
    for (const char* c : kColumns) headings << qs(c);
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    auto* bars = new BarDelegate(table_);
    table_->setItemDelegateForColumn(1, bars);
    table_->setItemDelegateForColumn(2, bars);
    const QColor cyan(QString::fromLatin1(kLightCyan));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const OddsLine& line = lines[static_cast<size_t>(r)];
        auto set = [&](int column, const QString& text, Qt::Alignment align) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(align | Qt::AlignVCenter);
            item->setData(Qt::UserRole, line.faction);
            if (line.player) {
                item->setBackground(cyan);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(r, column, item);
            return item;
        };
        set(0, qs(line.name) + (line.player ? qs(kPlayerMark) : QString()), Qt::AlignLeft);
        set(1, percentText(line.firstPercent), Qt::AlignRight)->setData(kBarRole, line.firstPercent);
        set(2, percentText(line.survivalPercent), Qt::AlignRight)->setData(kBarRole, line.survivalPercent);
        set(3, QString::number(line.meanScore, 'f', 1), Qt::AlignRight);
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    const int barWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000000000"));
    for (int column : {1, 2}) table_->setColumnWidth(column, std::max(table_->columnWidth(column), barWidth));
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    layout->addWidget(table_, 1);
    layout->addLayout(makeBackRow(this));
    rememberGeometry(this);
}

}  // namespace tei
