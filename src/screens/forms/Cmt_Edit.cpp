#include "screens/forms/Cmt_Edit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/CommentEditing.h"

namespace tei {

Cmt_Edit::Cmt_Edit(const GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g) {
    init_rtn();
    rememberGeometry(this);
}

void Cmt_Edit::init_rtn() {
    setObjectName(QStringLiteral("Cmt_Edit"));
    setWindowTitle(qs(kCommentEditorCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(qs(kCommentEditorCaption), this));
    Name_lab_ = new QLabel(qs(g_.msgText), this);
    Name_lab_->setObjectName(QStringLiteral("Name_lab"));
    layout->addWidget(Name_lab_);
    Txt_cmt_ = new QPlainTextEdit(this);
    Txt_cmt_->setObjectName(QStringLiteral("Txt_cmt"));
    Txt_cmt_->setMinimumSize(fontMetrics().horizontalAdvance(QString(30, QChar(0x6F22))),
                             (fontMetrics().height() + 2) * 8);
    layout->addWidget(Txt_cmt_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const char* captions[] = {"戻る", "決定"};
    for (int i : {1, 0}) {
        auto* b = new QPushButton(qs(captions[i]), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setAutoDefault(false);  // Enter starts a new line in the box
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
}

void Cmt_Edit::setComment(const std::string& text) { Txt_cmt_->setPlainText(qs(text)); }

void Cmt_Edit::setBushou(const Bushou& officer) { officer_ = officer; }

void Cmt_Edit::Command1_Click(int index) {
    if (index == 0) {
        reject();
        return;
    }
    auto outcome = sv_Cmt_rtn(folder_, g_.scenarioNo, officer_, g_.msgText, Txt_cmt_->toPlainText().toStdString());
    if (!outcome.ok) {
        showNotice(this, qs(outcome.message));
        return;
    }
    accept();
}

}  // namespace tei
