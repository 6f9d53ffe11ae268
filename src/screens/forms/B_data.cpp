#include "screens/forms/B_data.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/WorldView.h"

namespace tei {

namespace {
constexpr const char* kHeading = "武将一覧";
constexpr std::array<const char*, kOfficerTableColumns> kColumns = {"名前", "政治", "武勇", "智謀",
                                                                    "采配", "器量", "節度", "職業"};
}  // namespace

B_data::B_data(const GameFolder& folder, GameGlobals& g, QWidget* parent) : QDialog(parent), folder_(folder), g_(g) {
    init_rtn();
    Dsp_rtn();
    rememberGeometry(this);
}

int B_data::exec() { return reportLoadFailure(parentWidget(), loadError_) ? Rejected : QDialog::exec(); }

void B_data::init_rtn() {
    setObjectName(QStringLiteral("B_data"));
    setWindowTitle(qs(kHeading));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(qs(kHeading), this));

    table_ = new QTableWidget(0, kOfficerTableColumns, this);
    table_->setObjectName(QStringLiteral("officerTable"));
    QStringList headings;
    for (const char* c : kColumns) headings << qs(c);
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(table_, 1);

    layout->addLayout(makeBackRow(this));
}

void B_data::Dsp_rtn() {
    std::vector<OfficerTableLine> lines;
    try {
        lines = WorldView::load(folder_, g_).officerTable(g_.detailId);
    } catch (const FileError& e) {
        loadError_ = e.message();
    }
    table_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto& line = lines[static_cast<size_t>(r)];
        for (int c = 0; c < kOfficerTableColumns; ++c) {
            auto* item = new QTableWidgetItem(qs(line.cells[static_cast<size_t>(c)]));
            // Abilities stand right-aligned; name and job read from the left.
            if (c > 0 && c < kOfficerTableColumns - 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
}

}  // namespace tei
