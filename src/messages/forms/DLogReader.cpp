#include "messages/forms/DLogReader.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "messages/MessageWindow.h"
#include "screens/forms/GameLook.h"
#include "screens/forms/MessageBoxes.h"

namespace tei {

DLogReader::DLogReader(const GameFolder& folder, QWidget* parent) : QDialog(parent), folder_(folder) { init_rtn(); }

void DLogReader::init_rtn() {
    setObjectName(QStringLiteral("DLogReader"));
    setWindowTitle(qs(kWindowCaption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* back = new QWidget(this);
    back->setObjectName(QStringLiteral("Picture1"));
    outer->addWidget(back);
    auto* layout = new QVBoxLayout(back);

    dspMsg_ = new QPlainTextEdit(back);
    dspMsg_->setObjectName(QStringLiteral("dspMsg"));
    dspMsg_->setReadOnly(true);
    dspMsg_->setFocusPolicy(Qt::NoFocus);  // the page keys belong to the window
    dspMsg_->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    const QFontMetrics fm(dspMsg_->font());
    dspMsg_->setMinimumSize(fm.horizontalAdvance(QString(44, QChar(0x6F22))), fm.lineSpacing() * 29);
    layout->addWidget(dspMsg_, 1);

    auto* buttons = new QHBoxLayout;
    for (int i : {PreviousButton, NextButton, LastButton, CloseButton}) {
        if (i == CloseButton) buttons->addStretch(1);
        auto* b = new QPushButton(qs(kPageButtonCaptions[static_cast<size_t>(i)]), back);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(b);
        Command1_[static_cast<size_t>(i)] = b;
    }
    layout->addLayout(buttons);
}

std::string DLogReader::Form_Load() {
    std::optional<std::string> problem = reader_.Form_Load(folder_, logPath);
    dsp_Text_rtn();
    return problem.value_or(std::string());
}

int DLogReader::exec() {
    if (reportLoadFailure(parentWidget(), Form_Load())) return Rejected;
    return QDialog::exec();
}

void DLogReader::dsp_Text_rtn() {
    dspMsg_->setPlainText(qsText(reader_.shownText()));
    dspMsg_->verticalScrollBar()->setValue(0);
    for (size_t i = 0; i < Command1_.size(); ++i) Command1_[i]->setEnabled(reader_.enabled(static_cast<int>(i)));
    (reader_.enabled(NextButton) ? Command1_[NextButton] : Command1_[CloseButton])->setFocus();
}

void DLogReader::Command1_Click(int index) {
    if (reader_.Command1_Click(index)) {
        accept();
        return;
    }
    dsp_Text_rtn();
}

void DLogReader::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
            Command1_Click(PreviousButton);
            return;
        case Qt::Key_PageDown:
            Command1_Click(NextButton);
            return;
        default:
            QDialog::keyPressEvent(event);  // Escape closes
    }
}

}  // namespace tei
