#pragma once
// The one-line help of a screen: pointing at a control that has a help text shows it in the help
// label, moving the pointer over the background empties the label again. In a list whose viewport
// has a help text, pointing at an item that has a tool tip shows the item's tool tip instead.

#include <QHash>
#include <QLabel>
#include <QObject>
#include <QString>

namespace tei {

class HoverHelp : public QObject {
    Q_OBJECT
public:
    // 'background' is the widget behind the controls; it gets mouse tracking.
    HoverHelp(QLabel* helpLabel, QWidget* background);
    void add(QWidget* control, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool hasHelp(QWidget* w) const;

    QLabel* label_;
    QWidget* background_;
    QHash<const QObject*, QString> texts_;
};

}  // namespace tei
