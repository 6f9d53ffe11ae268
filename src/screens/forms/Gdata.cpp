#include "screens/forms/Gdata.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/forms/B_data.h"
#include "screens/forms/Status.h"

namespace tei {

namespace {
constexpr const char* kOfficersHeading = "武将一覧";
constexpr const char* kOfficerTableButton = "武将データ";
}  // namespace

Gdata::Gdata(GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), faction_(g.detailId) {
    init_rtn();
    Dsp_rtn();
    rememberGeometry(this);
}

int Gdata::exec() { return reportLoadFailure(parentWidget(), loadError_) ? Rejected : QDialog::exec(); }

void Gdata::init_rtn() {
    setObjectName(QStringLiteral("Gdata"));
    auto* layout = new QVBoxLayout(this);
    heading_ = makeHeading({}, this);
    heading_->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(heading_);

    // The value panel: six labelled values and the opener's note.
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* values = new QGridLayout(panel);
    for (int i = 0; i < 6; ++i) {
        auto* name = new QLabel(qs(kFactionValueLabels[static_cast<size_t>(i)]), panel);
        auto* value = new QLabel(panel);
        value->setObjectName(QStringLiteral("value_%1").arg(i));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values->addWidget(name, i / 2, (i % 2) * 2);
        values->addWidget(value, i / 2, (i % 2) * 2 + 1);
        values_[static_cast<size_t>(i)] = value;
    }
    values->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    values->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    note_ = new QLabel(panel);
    note_->setObjectName(QStringLiteral("noteLabel"));
    note_->setWordWrap(true);
    values->addWidget(note_, 3, 0, 1, 4);
    layout->addWidget(panel);

    layout->addWidget(new QLabel(qs(kOfficersHeading), this));
    auto* lists = new QHBoxLayout;
    for (size_t k = 0; k < kJobLists; ++k) {
        auto* frame = new QGroupBox(qs(kJobListCaptions[k]), this);
        frame->setObjectName(QStringLiteral("jobFrame_%1").arg(k));
        auto* inner = new QVBoxLayout(frame);
        auto* list = new QListWidget(frame);
        list->setObjectName(QStringLiteral("jobList_%1").arg(k));
        list->setMinimumWidth(fontMetrics().horizontalAdvance(QString(6, QChar(0x6F22))));
        list->setMinimumHeight((fontMetrics().height() + 2) * 8);
        connect(list, &QListWidget::itemClicked, this, &Gdata::jobList_Click);
        inner->addWidget(list);
        lists->addWidget(frame);
        jobLists_[k] = list;
    }
    layout->addLayout(lists, 1);

    QHBoxLayout* buttons = makeBackRow(this);
    auto* table = new QPushButton(qs(kOfficerTableButton), this);
    table->setObjectName(QStringLiteral("Command1"));
    connect(table, &QPushButton::clicked, this, &Gdata::Command1_Click);
    buttons->insertWidget(1, table);  // after the stretch, before 戻る
    layout->addLayout(buttons);
}

bool Gdata::Dsp_rtn() {
    FactionDetail d;
    try {
        d = WorldView::load(folder_, g_).factionDetail(faction_, g_.msgText);
    } catch (const FileError& e) {
        loadError_ = e.message();
        return false;
    }
    setWindowTitle(qs(d.caption));
    heading_->setText(qs(d.caption));
    for (size_t i = 0; i < values_.size() && i < d.values.size(); ++i) values_[i]->setText(qs(d.values[i].second));
    note_->setText(qs(d.note));
    for (size_t k = 0; k < kJobLists; ++k) {
        jobLists_[k]->clear();
        for (const auto& officer : d.jobLists[k]) {
            auto* item = new QListWidgetItem(qs(officer.name), jobLists_[k]);
            item->setData(Qt::UserRole, officer.id);
        }
    }
    return true;
}

void Gdata::jobList_Click(QListWidgetItem* item) {
    g_.detailId = static_cast<int16_t>(item->data(Qt::UserRole).toInt());
    Status status(folder_, g_, this);
    status.exec();
    // The status may have changed an officer's job: show the lists as the files now hold them.
    if (!Dsp_rtn()) reportLoadFailure(this, std::exchange(loadError_, {}));
}

void Gdata::Command1_Click() {
    g_.detailId = faction_;
    B_data table(folder_, g_, this);
    table.exec();
}

}  // namespace tei
