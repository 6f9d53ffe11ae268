#include "messages/forms/Msg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <utility>

#include "core/forms/GameLook.h"
#include "core/forms/RememberedGeometry.h"
#include "messages/forms/PageView.h"

namespace tei {

Msg::Msg(GameGlobals& g, WindowPages shown, QWidget* parent) : QDialog(parent), window_(g), shown_(std::move(shown)) {
    init_rtn();
    rememberGeometry(this);
}

void Msg::init_rtn() {
    setObjectName(QStringLiteral("Msg"));
    setWindowTitle(qs(kWindowCaption));
    auto* layout = makeBackColumn(this, QStringLiteral("Picture1"));
    QWidget* back = layout->parentWidget();

    // The line above the page holds the heading (the year end's) and the warning. Both keep their
    // room while hidden, so every message window has one size and the buttons keep their places.
    QSizePolicy keep = QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    keep.setRetainSizeWhenHidden(true);
    heading_ = makeHeading({}, back);
    heading_->setObjectName(QStringLiteral("headingLabel"));
    heading_->setSizePolicy(keep);
    heading_->setFixedHeight(heading_->fontMetrics().lineSpacing() + 4);
    heading_->hide();
    Lbl_Caution_ = new QLabel(qs(kUnderAttack), back);
    Lbl_Caution_->setObjectName(QStringLiteral("Lbl_Caution"));
    Lbl_Caution_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    Lbl_Caution_->setSizePolicy(keep);
    Lbl_Caution_->hide();
    auto* top = new QHBoxLayout;
    top->addWidget(heading_);
    top->addStretch(1);
    top->addWidget(Lbl_Caution_);
    layout->addLayout(top);

    // The page: its own scroll bar (VScroll1) shows whatever does not fit.
    Label1_ = makePageView(QStringLiteral("Label1"), back);
    layout->addWidget(Label1_, 1);
    QHBoxLayout* buttons = makePageButtons(back, Command1_, [this](int i) { Command1_Click(i); });
    pageCounter_ = new QLabel(back);
    pageCounter_->setObjectName(QStringLiteral("pageCounter"));
    pageCounter_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral(" 41 / 41 ")));
    pageCounter_->setAlignment(Qt::AlignCenter);
    buttons->insertWidget(buttons->indexOf(Command1_[LastButton]) + 1, pageCounter_);
    layout->addLayout(buttons);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(kCreditsPageMs);
    connect(Timer1_, &QTimer::timeout, this, &Msg::Timer1_Timer);
}

void Msg::Form_Load() {
    window_.Form_Load(shown_);
    Lbl_Caution_->setVisible(shown_.caution);
    heading_->setText(qs(shown_.heading));
    heading_->setVisible(!shown_.heading.empty());
    if (shown_.mode == MsgMode::Ending) Timer1_->start();
    dsp_Text_rtn();
}

void Msg::dsp_Text_rtn() {
    showPage(Label1_, Command1_, window_.shownText(), [this](int i) { return window_.enabled(i); });
    pageCounter_->setText(qs(window_.pageCounter()));
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
    if (!turnPageByKey(event, [this](int i) { Command1_Click(i); }))
        QDialog::keyPressEvent(event);  // Escape ends up in reject()
}

// Escape and the window's close box close the window only when its close button could.
void Msg::reject() { Command1_Click(CloseButton); }

}  // namespace tei
