#pragma once
// The opening picture of the title screen (Picture1), painted in code: a night sky over layered
// mountains, a moon, a bronze three-legged cauldron in front and a vermilion seal in a corner. It scales with its
// size and reports a press of the mouse, or of Space, Enter or Escape while it has the focus, as a
// click.

#include <QWidget>

namespace tei {

class TitleCard : public QWidget {
    Q_OBJECT
public:
    explicit TitleCard(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tei
