#include "screens/forms/Strate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <utility>

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "messages/TemplateBook.h"
#include "screens/forms/Status.h"

namespace tei {

namespace {
constexpr const char* kBack = "戻る";
constexpr const char* kDecide = "決定";
constexpr const char* kOfficerDataTail = "のデータ";
}  // namespace

Strate::Strate(const GameFolder& folder, GameGlobals& g, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), officer_(g.detailId) {
    init_rtn();
    dsp_Cmd_rtn();
    dsp_Text_rtn();
    rememberGeometry(this);
}

int Strate::exec() {
    reportLoadFailure(parentWidget(), std::exchange(loadError_, {}));
    return QDialog::exec();
}

void Strate::init_rtn() {
    setObjectName(QStringLiteral("Strate"));
    setWindowTitle(qs(kStrategyCaption));
    auto* layout = makeBackColumn(this, QStringLiteral("Picture1"));
    QWidget* back = layout->parentWidget();

    // The heading has room for the two lines of a caption whatever the offer, and the description
    // scrolls inside a fixed area, so the screen and its buttons keep one size and place.
    Label1_ = makeHeading({}, back);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setFixedHeight(Label1_->fontMetrics().lineSpacing() * 2 + 4);
    Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(Label1_);

    Lab_txt_ = new QLabel(back);
    Lab_txt_->setObjectName(QStringLiteral("Lab_txt"));
    Lab_txt_->setWordWrap(true);
    Lab_txt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lab_txt_->setMargin(8);
    auto* description = new QScrollArea(back);
    description->setObjectName(QStringLiteral("descriptionArea"));
    description->setWidget(Lab_txt_);
    description->setWidgetResizable(true);
    description->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    description->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    description->setMinimumSize(fontMetrics().horizontalAdvance(QString(32, QChar(0x6F22))),
                                (fontMetrics().lineSpacing() + 1) * 12);
    layout->addWidget(description, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i : {2, 1, 0}) {
        auto* b = new QPushButton(back);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    resize(minimumSizeHint().expandedTo(description->minimumSize() + QSize(40, 0)));
}

void Strate::dsp_Cmd_rtn() {
    auto* decide = findChild<QPushButton*>(QStringLiteral("Command1_1"));
    decide->setText(qs(kDecide));
    decide->setVisible(g_.selectable == 1);
    auto* back = findChild<QPushButton*>(QStringLiteral("Command1_0"));
    back->setText(qs(kBack));
    auto* officer = findChild<QPushButton*>(QStringLiteral("Command1_2"));
    officer->setText(qs(g_.textArg1 + kOfficerDataTail));
    officer->setVisible(officer_ != 0);
    (g_.selectable == 1 ? decide : back)->setFocus();
}

void Strate::dsp_Text_rtn() {
    Label1_->setText(qsText(g_.msgText));
    ld_Text_rtn();
    Lab_txt_->setText(qsText(description_));
}

void Strate::ld_Text_rtn() {
    try {
        description_ = TemplateBook::load(folder_, kCommandTemplates).single(g_.textNo, g_.textArg1, g_.textArg2);
    } catch (const FileError& e) {
        description_.clear();
        loadError_ = e.message();
    }
}

void Strate::Command1_Click(int index) {
    switch (index) {
        case 1:
            g_.dialogResult = 1;
            accept();
            break;
        case 2: {
            // The status and its editors hand values on through the shared ones; what this screen
            // answers with (the result, and the caption the decision's question repeats) stays as the
            // opener set it.
            const int16_t result = g_.dialogResult;
            const std::string caption = g_.msgText;
            g_.detailId = officer_;
            Status status(folder_, g_, this);
            status.exec();
            g_.detailId = officer_;
            g_.dialogResult = result;
            g_.msgText = caption;
            break;
        }
        default:
            reject();
            break;
    }
}

}  // namespace tei
