#include "screens/forms/Editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include "core/Scenarios.h"
#include "core/forms/GameLook.h"
#include "core/forms/HoverHelp.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/OfficerEditing.h"
#include "screens/OfficerStatus.h"

namespace tei {

namespace {
constexpr const char* kRegisterButton = "登録";
constexpr const char* kRestoreButton = "初期化";
constexpr const char* kRegisterHelp = "編集した内容をゲームとシナリオのデータに登録します";
constexpr const char* kRestoreHelp = "シナリオ本来の職業と能力に戻します（登録するまで保存されません）";
constexpr const char* kCloseHelp = "登録せずに閉じます";

// The job drop-down lists the jobs 文官..軍師 (1..6) in rows 0..5.
Job jobOfRow(int row) { return Job(row + 1); }
int rowOfJob(Job job) { return job >= Job::Civil && job <= Job::Strategist ? numberOf(job) - 1 : -1; }
}  // namespace

Editor::Editor(const GameFolder& folder, GameGlobals& g, const Bushou& officer, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), officer_(officer) {
    init_rtn();
    ruler_ = rulesAFaction();
    Dsp_Chr_rtn1();
    rememberGeometry(this);
}

void Editor::setBushou(const Bushou& officer) {
    officer_ = officer;
    ruler_ = rulesAFaction();
    Dsp_Chr_rtn1();
}

bool Editor::rulesAFaction() const {
    try {
        return tei::rulesAFaction(folder_, scenarioInfo(g_.scenarioNo).factionCount, officer_.id);
    } catch (const FileError&) {
        return Job(officer_.Job) == Job::Ruler;
    }
}

void Editor::init_rtn() {
    setObjectName(QStringLiteral("Editor"));
    setWindowTitle(qs(kStatusHeading));
    auto* layout = makeBackColumn(this, QStringLiteral("Back"));
    QWidget* back = layout->parentWidget();
    layout->addWidget(makeHeading(qs(kStatusHeading), back));

    auto* nameRow = new QHBoxLayout;
    Name_lab_ = makeNameLabel(back);
    nameRow->addWidget(Name_lab_);
    nameRow->addSpacing(fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    cmbJob_ = new QComboBox(back);
    cmbJob_->setObjectName(QStringLiteral("cmbJob"));
    for (int row = 0; row <= rowOfJob(Job::Strategist); ++row) cmbJob_->addItem(qs(jobLabel(jobOfRow(row))));
    connect(cmbJob_, &QComboBox::currentIndexChanged, this, &Editor::cmbJob_Click);
    nameRow->addWidget(cmbJob_);
    nameRow->addStretch(1);
    layout->addLayout(nameRow);

    auto* rows = new QGridLayout;
    for (int r = 0; r < kAbilityRows; ++r) {
        auto* kind = new QLabel(back);
        kind->setObjectName(QStringLiteral("Skl_Kind_%1").arg(r));
        auto* box = new QLineEdit(back);
        box->setObjectName(QStringLiteral("Skl_Lab_%1").arg(r));
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-3276800")));
        rows->addWidget(kind, r, 0);
        rows->addWidget(box, r, 1);
        Skl_Kind_[static_cast<size_t>(r)] = kind;
        Skl_Lab_[static_cast<size_t>(r)] = box;
    }
    rows->setColumnStretch(2, 1);
    layout->addLayout(rows);
    layout->addStretch(1);

    // The help has a fixed area of two wrapped lines: a long help never widens the screen under the
    // pointer, so the button pointed at stays where it is.
    auto* help = new QLabel(back);
    help->setObjectName(QStringLiteral("Lab_hlp"));
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    help->setMinimumWidth(fontMetrics().horizontalAdvance(QString(20, QChar(0x6F22))));
    help->setFixedHeight(fontMetrics().lineSpacing() * 2 + 2);
    layout->addWidget(help);
    auto* hover = new HoverHelp(help, back);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto button = [&](const char* name, const char* caption, const char* helpText) {
        auto* b = new QPushButton(qs(caption), back);
        b->setObjectName(QString::fromUtf8(name));
        buttons->addWidget(b);
        hover->add(b, qs(helpText));
        return b;
    };
    connect(button("cmdEdit", kRegisterButton, kRegisterHelp), &QPushButton::clicked, this, &Editor::cmdEdit_Click);
    connect(button("cmdInit", kRestoreButton, kRestoreHelp), &QPushButton::clicked, this, &Editor::cmdInit_Click);
    connect(button("Command1", "戻る", kCloseHelp), &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
}

void Editor::Dsp_Chr_rtn1() {
    {
        const QSignalBlocker quiet(cmbJob_);
        cmbJob_->setCurrentIndex(rowOfJob(Job(officer_.Job)));
    }
    // 君主 is offered to a faction's ruler, and kept for one who holds it already; anyone else cannot
    // choose it.
    auto* jobs = qobject_cast<QStandardItemModel*>(cmbJob_->model());
    jobs->item(rowOfJob(Job::Ruler))->setEnabled(ruler_ || Job(officer_.Job) == Job::Ruler);
    cmbJob_->setEnabled(!ruler_);
    Dsp_Chr_rtn(Job(officer_.Job));
}

void Editor::Dsp_Chr_rtn(Job job) {
    Name_lab_->setText(qs(officer_.name));
    auto lines = abilityLines(officer_, job);
    for (size_t r = 0; r < lines.size(); ++r) {
        Skl_Kind_[r]->setVisible(lines[r].visible);
        Skl_Lab_[r]->setVisible(lines[r].visible);
        Skl_Kind_[r]->setText(qs(lines[r].label));
        Skl_Lab_[r]->setText(qs(lines[r].value));
    }
}

void Editor::cmbJob_Click(int index) { Dsp_Chr_rtn(jobOfRow(index)); }

void Editor::cmdEdit_Click() {
    if (!askOkCancel(this, qs(kRegisterQuestion))) return;
    std::array<std::string, kAbilityRows> boxes;
    for (size_t r = 0; r < boxes.size(); ++r) boxes[r] = Skl_Lab_[r]->text().toStdString();
    auto outcome = registerOfficerEdits(folder_, g_.scenarioNo, officer_, jobOfRow(cmbJob_->currentIndex()), boxes);
    showNotice(this, qs(outcome.message));
    if (outcome.ok) accept();
}

void Editor::cmdInit_Click() {
    auto outcome = restoreOfficerFromBackup(folder_, g_.scenarioNo, officer_);
    if (!outcome.ok) {
        showNotice(this, qs(outcome.message));
        return;
    }
    Dsp_Chr_rtn1();
}

}  // namespace tei
