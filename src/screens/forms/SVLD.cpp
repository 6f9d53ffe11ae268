#include "screens/forms/SVLD.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"

namespace tei {

namespace {
constexpr const char* kClear = "取消";
constexpr const char* kConfirm = "決定";
constexpr const char* kBack = "戻る";
}  // namespace

SVLD::SVLD(const GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent),
      g_(g),
      slots_(folder, g),
      mode_(g.gameMode == GameMode::Continue ? GameMode::Continue : GameMode::Save) {
    init_rtn();
}

void SVLD::init_rtn() {
    setObjectName(QStringLiteral("SVLD"));
    setWindowTitle(qs(mode_ == GameMode::Save ? kSaveCaption : kLoadCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(qs(mode_ == GameMode::Save ? kSaveCaption : kLoadCaption), this));

    auto* hlp = new QLabel(qs(kTypeSlotNumber), this);
    hlp->setObjectName(QStringLiteral("Hlp"));
    layout->addWidget(hlp);

    Lab_num_ = new QLabel(qs(slot_.label()), this);
    Lab_num_->setObjectName(QStringLiteral("Lab_num"));
    Lab_num_->setFrameShape(QFrame::StyledPanel);
    Lab_num_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("save00000000  ")));
    QFont big = Lab_num_->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    Lab_num_->setFont(big);
    Lab_num_->setMargin(4);
    layout->addWidget(Lab_num_);

    // The digits as on a telephone: 1 2 3 / 4 5 6 / 7 8 9 / 0.
    auto* pad = new QGridLayout;
    for (int d = 0; d <= 9; ++d) {
        auto* b = new QPushButton(QString::number(d), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(d));
        b->setAutoDefault(false);
        b->setMinimumSize(fontMetrics().height() * 3, fontMetrics().height() * 2);
        connect(b, &QPushButton::clicked, this, [this, d] { Command1_Click(d); });
        if (d == 0)
            pad->addWidget(b, 3, 1);
        else
            pad->addWidget(b, (d - 1) / 3, (d - 1) % 3);
    }
    layout->addLayout(pad);

    auto* buttons = new QHBoxLayout;
    const char* captions[] = {kClear, kConfirm};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(qs(captions[i]), this);
        b->setObjectName(QStringLiteral("Command2_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* back = new QPushButton(qs(kBack), this);
    back->setObjectName(QStringLiteral("Command3"));
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &SVLD::Command3_Click);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SVLD::Command1_Click(int digit) {
    if (auto refused = slot_.type(digit)) showNotice(this, qs(*refused));
    Lab_num_->setText(qs(slot_.label()));
}

void SVLD::Command2_Click(int index) {
    if (index == 0) {
        slot_.clear();
        Lab_num_->setText(qs(slot_.label()));
        return;
    }
    if (mode_ == GameMode::Save) {
        if (!askOkCancel(this, qs(SaveSlots::saveQuestion(slot_.digits())))) return;
        SlotResult saved = slots_.save_rtn(slot_.digits());
        if (!saved.ok) {
            // Nothing of the slot changed; another number can be tried.
            showNotice(this, qsText(saved.text));
            return;
        }
        accept();
        return;
    }
    SlotResult summary = slots_.Rinload_rtn(slot_.digits());
    if (!summary.ok) {
        showNotice(this, qsText(summary.text));
        return;
    }
    if (!askOkCancel(this, qsText(SaveSlots::loadQuestion(summary.text)))) return;
    SlotResult loaded = slots_.load_rtn(slot_.digits());
    if (!loaded.ok) {
        showNotice(this, qsText(loaded.text));
        return;
    }
    accept();
}

void SVLD::Command3_Click() { reject(); }

void SVLD::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        Command1_Click(key - Qt::Key_0);
        return;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        Command2_Click(0);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Command2_Click(1);
        return;
    }
    QDialog::keyPressEvent(event);  // Escape goes back
}

}  // namespace tei
