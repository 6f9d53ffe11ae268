#include "core/forms/HoverHelp.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QMouseEvent>

namespace tei {

HoverHelp::HoverHelp(QLabel* helpLabel, QWidget* background)
    : QObject(helpLabel), label_(helpLabel), background_(background) {
    background_->setMouseTracking(true);
    background_->installEventFilter(this);
}

void HoverHelp::add(QWidget* control, const QString& text) {
    texts_.insert(control, text);
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

bool HoverHelp::hasHelp(QWidget* w) const {
    for (; w && w != background_; w = w->parentWidget())
        if (texts_.contains(w)) return true;
    return false;
}

bool HoverHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == background_ && event->type() == QEvent::MouseMove) {
        // Moves over a control that ignores them reach the background too; only the bare
        // background empties the label.
        auto* move = static_cast<QMouseEvent*>(event);
        if (!hasHelp(background_->childAt(move->position().toPoint()))) label_->clear();
    } else if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        auto it = texts_.constFind(watched);
        if (it == texts_.constEnd()) return false;
        QString text = *it;
        auto* view = qobject_cast<QAbstractItemView*>(watched->parent());
        if (event->type() == QEvent::MouseMove && view && view->viewport() == watched) {
            QString tip =
                view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).data(Qt::ToolTipRole).toString();
            if (!tip.isEmpty()) text = tip;
        }
        label_->setText(text);
    }
    return false;
}

}  // namespace tei
