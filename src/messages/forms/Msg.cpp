#include "messages/forms/Msg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "game/YearResolution.h"
#include "screens/forms/GameLook.h"

namespace tei {

Msg::Msg(const GameFolder& folder, GameGlobals& g, Random& rng, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), rng_(rng), window_(g) {
    init_rtn();
}

void Msg::init_rtn() {
    setObjectName(QStringLiteral("Msg"));
    setWindowTitle(qs(kWindowCaption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* back = new QWidget(this);
    back->setObjectName(QStringLiteral("Picture1"));
    outer->addWidget(back);
    auto* layout = new QVBoxLayout(back);

    Lbl_Caution_ = new QLabel(qs(kUnderAttack), back);
    Lbl_Caution_->setObjectName(QStringLiteral("Lbl_Caution"));
    Lbl_Caution_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    // Its line stays reserved while hidden, so the page and the buttons keep their places.
    QSizePolicy keep = Lbl_Caution_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Lbl_Caution_->setSizePolicy(keep);
    Lbl_Caution_->hide();
    layout->addWidget(Lbl_Caution_);

    // The page: its own scroll bar (VScroll1) shows whatever does not fit.
    Label1_ = new QPlainTextEdit(back);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setReadOnly(true);
    Label1_->setFocusPolicy(Qt::NoFocus);  // the page keys belong to the window
    Label1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Label1_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    const QFontMetrics fm(Label1_->font());
    Label1_->setMinimumSize(fm.horizontalAdvance(QString(44, QChar(0x6F22))), fm.lineSpacing() * 29);
    layout->addWidget(Label1_, 1);

    auto* buttons = new QHBoxLayout;
    for (int i : {PreviousButton, NextButton, LastButton}) {
        auto* b = new QPushButton(qs(kPageButtonCaptions[static_cast<size_t>(i)]), back);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(b);
        Command1_[static_cast<size_t>(i)] = b;
    }
    buttons->addStretch(1);
    auto* close = new QPushButton(qs(kPageButtonCaptions[CloseButton]), back);
    close->setObjectName(QStringLiteral("Command1_0"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { Command1_Click(CloseButton); });
    buttons->addWidget(close);
    Command1_[CloseButton] = close;
    layout->addLayout(buttons);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(kCreditsPageMs);
    connect(Timer1_, &QTimer::timeout, this, &Msg::Timer1_Timer);
}

void Msg::Form_Load() {
    bool caution = false;
    window_.Form_Load([&](MessagePages& pages) {
        ResolvedYear year = resolveYear(folder_, g_, rng_);
        pages = year.pages;
        caution = year.caution;
        flags_ = year.flags;
    });
    Lbl_Caution_->setVisible(caution);
    if (g_.msgMode == 0) Timer1_->start();
    dsp_Text_rtn();
}

void Msg::dsp_Text_rtn() {
    Label1_->setPlainText(qsText(window_.shownText()));
    Label1_->verticalScrollBar()->setValue(0);
    for (size_t i = 0; i < Command1_.size(); ++i) Command1_[i]->setEnabled(window_.enabled(static_cast<int>(i)));
    // Keep the keyboard on a button that can be pressed: the next page, else close.
    if (window_.enabled(NextButton))
        Command1_[NextButton]->setFocus();
    else if (window_.enabled(CloseButton))
        Command1_[CloseButton]->setFocus();
}

void Msg::Command1_Click(int index) {
    if (window_.Command1_Click(index)) {
        Timer1_->stop();
        accept();
        return;
    }
    dsp_Text_rtn();
}

void Msg::Timer1_Timer() {
    window_.Timer1_Timer();
    dsp_Text_rtn();
}

void Msg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
            Command1_Click(PreviousButton);
            return;
        case Qt::Key_PageDown:
            Command1_Click(NextButton);
            return;
        default:
            QDialog::keyPressEvent(event);  // Escape ends up in reject()
    }
}

// Escape and the window's close box close the window only when its close button could.
void Msg::reject() { Command1_Click(CloseButton); }

}  // namespace tei
