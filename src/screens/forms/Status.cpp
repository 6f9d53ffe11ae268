#include "screens/forms/Status.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <utility>

#include "core/forms/GameLook.h"
#include "core/forms/HoverHelp.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Editor.h"

namespace tei {

namespace {
constexpr const char* kCommentHelp = "クリックしてコメントを書き換えられます";
constexpr const char* kEditButton = "エディット";
}  // namespace

Status::Status(GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), officerNo_(g.detailId) {
    init_rtn();
    Dsp_rtn();
    rememberGeometry(this);
}

int Status::exec() { return reportLoadFailure(parentWidget(), loadError_) ? Rejected : QDialog::exec(); }

void Status::init_rtn() {
    setObjectName(QStringLiteral("Status"));
    setWindowTitle(qs(kStatusHeading));
    auto* layout = makeBackColumn(this, QStringLiteral("Back"));
    QWidget* back = layout->parentWidget();

    layout->addWidget(makeHeading(qs(kStatusHeading), back));
    auto* nameRow = new QHBoxLayout;
    Name_lab_ = makeNameLabel(back);
    job_ = new QLabel(back);
    job_->setObjectName(QStringLiteral("jobLabel"));
    nameRow->addWidget(Name_lab_);
    nameRow->addSpacing(fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    nameRow->addWidget(job_);
    nameRow->addStretch(1);
    layout->addLayout(nameRow);

    auto* rows = new QGridLayout;
    for (int r = 0; r < kAbilityRows; ++r) {
        auto* kind = new QLabel(back);
        kind->setObjectName(QStringLiteral("Skl_Kind_%1").arg(r));
        auto* value = new QLabel(back);
        value->setObjectName(QStringLiteral("Skl_Lab_%1").arg(r));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-32768")));
        rows->addWidget(kind, r, 0);
        rows->addWidget(value, r, 1);
        Skl_Kind_[static_cast<size_t>(r)] = kind;
        Skl_Lab_[static_cast<size_t>(r)] = value;
    }
    rows->setColumnStretch(2, 1);
    layout->addLayout(rows);

    Lab_cmt_ = new QLabel(back);
    Lab_cmt_->setObjectName(QStringLiteral("Lab_cmt"));
    Lab_cmt_->setWordWrap(true);
    Lab_cmt_->setFrameShape(QFrame::StyledPanel);
    Lab_cmt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lab_cmt_->setMinimumSize(fontMetrics().horizontalAdvance(QString(26, QChar(0x6F22))),
                             (fontMetrics().height() + 2) * 5);
    Lab_cmt_->setCursor(Qt::PointingHandCursor);
    Lab_cmt_->installEventFilter(this);
    layout->addWidget(Lab_cmt_, 1);

    Lab_hlp_ = new QLabel(back);
    Lab_hlp_->setObjectName(QStringLiteral("Lab_hlp"));
    Lab_hlp_->setMinimumHeight(fontMetrics().height());
    layout->addWidget(Lab_hlp_);
    auto* help = new HoverHelp(Lab_hlp_, back);
    help->add(Lab_cmt_, qs(kCommentHelp));

    QHBoxLayout* buttons = makeBackRow(this);
    cmdEdit_ = new QPushButton(qs(kEditButton), back);
    cmdEdit_->setObjectName(QStringLiteral("cmdEdit"));
    connect(cmdEdit_, &QPushButton::clicked, this, &Status::cmdEdit_Click);
    buttons->insertWidget(1, cmdEdit_);  // after the stretch, before 戻る
    layout->addLayout(buttons);
}

bool Status::Dsp_rtn() {
    try {
        status_ = loadOfficerStatus(folder_, g_, officerNo_);
    } catch (const FileError& e) {
        loadError_ = e.message();
        return false;
    }
    Name_lab_->setText(qs(status_.officer.name));
    job_->setText(qs(status_.job));
    for (size_t r = 0; r < Skl_Kind_.size(); ++r) {
        const AbilityLine& line = status_.rows[r];
        Skl_Kind_[r]->setVisible(line.visible);
        Skl_Lab_[r]->setVisible(line.visible);
        Skl_Kind_[r]->setText(qs(line.label));
        Skl_Lab_[r]->setText(qs(line.value));
    }
    Lab_cmt_->setText(qs(status_.comment));
    // Only an officer the file holds can be edited.
    cmdEdit_->setEnabled(status_.found);
    Lab_cmt_->setEnabled(status_.found);
    return true;
}

bool Status::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Lab_cmt_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && Lab_cmt_->isEnabled()) {
        Lab_cmt_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Status::cmdEdit_Click() {
    Editor editor(folder_, g_, status_.officer, this);
    editor.exec();
    if (!Dsp_rtn()) reportLoadFailure(this, std::exchange(loadError_, {}));
}

void Status::Lab_cmt_Click() {
    g_.dialogResult = 0;
    g_.msgText = status_.officer.name;
    Cmt_Edit editor(folder_, g_, this);
    editor.setComment(status_.comment);
    editor.setBushou(status_.officer);
    editor.exec();
    if (!Dsp_rtn()) reportLoadFailure(this, std::exchange(loadError_, {}));
}

}  // namespace tei
