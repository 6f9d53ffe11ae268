#include "screens/forms/SVLD.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"

namespace tei {

namespace {
constexpr const char* kClear = "取消";
constexpr const char* kConfirm = "決定";
constexpr const char* kBack = "戻る";
constexpr const char* kBackspace = "←";
constexpr const char* kSlotListHeading = "セーブデータ";
constexpr const char* kSlotColumns[] = {"番号", "内容", "日時"};
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
    auto* outer = new QHBoxLayout(this);
    auto* layout = new QVBoxLayout;
    outer->addLayout(layout);
    layout->addWidget(makeHeading(qs(mode_ == GameMode::Save ? kSaveCaption : kLoadCaption), this));

    auto* hlp = new QLabel(qs(kTypeSlotNumber), this);
    hlp->setObjectName(QStringLiteral("Hlp"));
    layout->addWidget(hlp);

    Lab_num_ = new QLabel(qs(slot_.label()), this);
    Lab_num_->setObjectName(QStringLiteral("Lab_num"));
    Lab_num_->setFrameShape(QFrame::StyledPanel);
    QFont big = Lab_num_->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    Lab_num_->setFont(big);
    Lab_num_->setMargin(4);
    // Room for "save" and sixteen digits; a longer number is shortened in the middle.
    Lab_num_->setFixedWidth(Lab_num_->fontMetrics().horizontalAdvance(QStringLiteral("save0000000000000000")) +
                            2 * Lab_num_->margin() + 2 * Lab_num_->frameWidth() + 4);
    layout->addWidget(Lab_num_);

    // The digits as on a telephone: 1 2 3 / 4 5 6 / 7 8 9 / 0 ←.
    auto* pad = new QGridLayout;
    auto padButton = [&](const QString& caption, const QString& name, int row, int column) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setMinimumSize(fontMetrics().height() * 3, fontMetrics().height() * 2);
        pad->addWidget(b, row, column);
        return b;
    };
    for (int d = 0; d <= 9; ++d) {
        auto* b = padButton(QString::number(d), QStringLiteral("Command1_%1").arg(d), d == 0 ? 3 : (d - 1) / 3,
                            d == 0 ? 1 : (d - 1) % 3);
        connect(b, &QPushButton::clicked, this, [this, d] { Command1_Click(d); });
    }
    connect(padButton(qs(kBackspace), QStringLiteral("backspaceButton"), 3, 2), &QPushButton::clicked, this, [this] {
        slot_.erase();
        showSlotNumber();
    });
    layout->addLayout(pad);
    layout->addStretch(1);

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

    // The slots that hold a game.
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(qs(kSlotListHeading), this));
    slotList_ = new QTreeWidget(this);
    slotList_->setObjectName(QStringLiteral("slotList"));
    slotList_->setRootIsDecorated(false);
    slotList_->setUniformRowHeights(true);
    slotList_->setFocusPolicy(Qt::NoFocus);  // the keyboard types the number
    QStringList headings;
    for (const char* c : kSlotColumns) headings << qs(c);
    slotList_->setHeaderLabels(headings);
    slotList_->header()->setStretchLastSection(false);
    slotList_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    slotList_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    slotList_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("save00000000")) +
                               fontMetrics().horizontalAdvance(QString(14, QChar(0x6F22))) +
                               fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00")) + 48);
    slotList_->setMinimumHeight(fontMetrics().height() * 14);
    connect(slotList_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { slotList_Click(item); });
    connect(slotList_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!(item->flags() & Qt::ItemIsEnabled)) return;
        slotList_Click(item);
        Command2_Click(1);
    });
    listColumn->addWidget(slotList_, 1);
    outer->addLayout(listColumn, 1);
    fillSlotList();
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

void SVLD::fillSlotList() {
    slotList_->clear();
    std::vector<SlotEntry> entries = slots_.list();
    // A long slot number is shortened in the middle as Lab_num shortens it, the whole in its tooltip.
    const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("save0000000000000000"));
    for (const SlotEntry& e : entries) {
        QString label = fontMetrics().elidedText(qs(e.label), Qt::ElideMiddle, labelWidth);
        auto* item = new QTreeWidgetItem(slotList_, {label, qs(e.summary), qs(e.when)});
        item->setData(0, Qt::UserRole, qs(e.slot));
        if (label != qs(e.label)) item->setToolTip(0, qs(e.label));
    }
    if (entries.empty()) {
        auto* none = new QTreeWidgetItem(slotList_, {QString(), qs(kNoSavedSlots)});
        none->setFlags(Qt::NoItemFlags);
    }
}

void SVLD::slotList_Click(QTreeWidgetItem* item) {
    if (!(item->flags() & Qt::ItemIsEnabled)) return;
    slot_.set(item->data(0, Qt::UserRole).toString().toStdString());
    showSlotNumber();
}

void SVLD::Command1_Click(int digit) {
    if (auto refused = slot_.type(digit, slots_.longestSlotNumber())) showNotice(this, qs(*refused));
    showSlotNumber();
}

void SVLD::Command2_Click(int index) {
    if (index == 0) {
        slot_.clear();
        showSlotNumber();
        return;
    }
    if (mode_ == GameMode::Save) {
        if (!askOkCancel(this, qs(SaveSlots::saveQuestion(slot_.digits())))) return;
        // A slot that holds a game is replaced only when the player agrees once more.
        if (auto overwrite = slots_.overwriteQuestion(slot_.digits()); overwrite && !askYesNo(this, qs(*overwrite)))
            return;
        SlotResult saved = slots_.save_rtn(slot_.digits());
        if (!saved.ok) {
            // Nothing of the slot changed; another number can be tried.
            showNotice(this, qsText(saved.text));
            return;
        }
        showNotice(this, qs(kSavedNotice));
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

// A number of any length is a slot; one longer than the label holds shows its first and last digits
// around "…", and the whole of it when the pointer rests on it.
void SVLD::showSlotNumber() {
    QString full = qs(slot_.label());
    Lab_num_->setText(Lab_num_->fontMetrics().elidedText(full, Qt::ElideMiddle, Lab_num_->contentsRect().width()));
    Lab_num_->setToolTip(Lab_num_->text() == full ? QString() : full);
}

void SVLD::Command3_Click() { reject(); }

void SVLD::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        Command1_Click(key - Qt::Key_0);
        return;
    }
    if (key == Qt::Key_Backspace) {
        slot_.erase();
        showSlotNumber();
        return;
    }
    if (key == Qt::Key_Delete) {
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
