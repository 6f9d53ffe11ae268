#include "screens/forms/All_Bdata.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/WorldView.h"
#include "screens/forms/Status.h"

namespace tei {

namespace {
constexpr const char* kHeading = "各軍閥所属部将";
constexpr int kColumns = 7;  // factions side by side in a row
// Rows of names a list shows before it scrolls: two rows of lists, the heading and the buttons fit a
// 768-pixel screen with a title bar and a panel. A window reaching past the screen's edge leaves the
// windows opened over it black on X (never painted), and its 戻る out of reach.
constexpr int kListRows = 10;
}  // namespace

All_Bdata::All_Bdata(const GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g) {
    init_rtn();
    Dsp_rtn();
    rememberGeometry(this);
}

int All_Bdata::exec() { return reportLoadFailure(parentWidget(), loadError_) ? Rejected : QDialog::exec(); }

void All_Bdata::init_rtn() {
    setObjectName(QStringLiteral("All_Bdata"));
    setWindowTitle(qs(kHeading));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(qs(kHeading), this));

    auto* grid = new QGridLayout;
    const int rowHeight = fontMetrics().height() + 2;
    for (int i = 0; i < kSlots; ++i) {
        auto* name = new QLabel(this);
        name->setObjectName(QStringLiteral("Lab_name_%1").arg(i));
        name->setAlignment(Qt::AlignCenter);
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("Chr_lst_%1").arg(i));
        list->setMinimumWidth(fontMetrics().horizontalAdvance(QString(6, QChar(0x6F22))));
        list->setMinimumHeight(rowHeight * kListRows);
        connect(list, &QListWidget::itemClicked, this, &All_Bdata::Chr_lst_Click);
        grid->addWidget(name, (i / kColumns) * 2, i % kColumns);
        grid->addWidget(list, (i / kColumns) * 2 + 1, i % kColumns);
        Lab_name_[static_cast<size_t>(i)] = name;
        Chr_lst_[static_cast<size_t>(i)] = list;
    }
    layout->addLayout(grid, 1);

    layout->addLayout(makeBackRow(this));
}

void All_Bdata::Dsp_rtn() {
    std::vector<FactionOfficers> factions;
    try {
        factions = WorldView::load(folder_, g_).officersOfEveryFaction();
    } catch (const FileError& e) {
        loadError_ = e.message();
    }
    for (size_t i = 0; i < kSlots; ++i) {
        bool used = i < factions.size();
        Lab_name_[i]->setVisible(used);
        Chr_lst_[i]->setVisible(used);
        Chr_lst_[i]->clear();
        if (!used) continue;
        Lab_name_[i]->setText(qs(factions[i].name));
        for (const auto& officer : factions[i].officers) {
            auto* item = new QListWidgetItem(qs(officer.name), Chr_lst_[i]);
            item->setData(Qt::UserRole, officer.id);
        }
    }
}

void All_Bdata::Chr_lst_Click(QListWidgetItem* item) {
    g_.detailId = static_cast<int16_t>(item->data(Qt::UserRole).toInt());
    Status status(folder_, g_, this);
    status.exec();
}

}  // namespace tei
