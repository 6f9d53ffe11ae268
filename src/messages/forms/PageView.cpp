#include "messages/forms/PageView.h"

#include <QScrollBar>

#include "core/forms/GameLook.h"
#include "messages/MessageWindow.h"

namespace tei {

QPlainTextEdit* makePageView(const QString& name, QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setReadOnly(true);
    view->setFocusPolicy(Qt::NoFocus);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    const QFontMetrics fm(view->font());
    view->setMinimumSize(fm.horizontalAdvance(QString(44, QChar(0x6F22))), fm.lineSpacing() * 29);
    return view;
}

QHBoxLayout* makePageButtons(QWidget* parent, PageButtons& buttons, const std::function<void(int)>& click) {
    auto* row = new QHBoxLayout;
    for (int i : {PreviousButton, NextButton, LastButton, CloseButton}) {
        if (i == CloseButton) row->addStretch(1);
        auto* b = new QPushButton(qs(kPageButtonCaptions[static_cast<size_t>(i)]), parent);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, parent, [click, i] { click(i); });
        row->addWidget(b);
        buttons[static_cast<size_t>(i)] = b;
    }
    return row;
}

bool turnPageByKey(const QKeyEvent* event, const std::function<void(int)>& click) {
    switch (event->key()) {
        case Qt::Key_PageUp:
            click(PreviousButton);
            return true;
        case Qt::Key_PageDown:
            click(NextButton);
            return true;
        default:
            return false;
    }
}

void showPage(QPlainTextEdit* view, const PageButtons& buttons, std::string_view text,
              const std::function<bool(int)>& enabled) {
    view->setPlainText(qsText(text));
    view->verticalScrollBar()->setValue(0);
    for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->setEnabled(enabled(static_cast<int>(i)));
    if (enabled(NextButton))
        buttons[NextButton]->setFocus();
    else if (enabled(CloseButton))
        buttons[CloseButton]->setFocus();
}

}  // namespace tei
