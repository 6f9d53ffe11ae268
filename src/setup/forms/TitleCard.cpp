#include "setup/forms/TitleCard.h"

#include "setup/forms/Cauldron.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace tei {

namespace {

// A ridge line across the width: the sum of a few waves, closed down to the bottom edge.
QPainterPath ridge(const QRectF& r, double baseline, double height, double phase, double roughness) {
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    const int steps = 96;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        double wave = std::sin(t * 7.0 + phase) * 0.5 + std::sin(t * 17.0 + phase * 2.3) * 0.3 * roughness +
                      std::sin(t * 3.0 + phase * 0.7) * 0.4;
        path.lineTo(r.left() + t * r.width(), r.top() + r.height() * baseline - wave * height * r.height());
    }
    path.lineTo(r.right(), r.bottom());
    path.closeSubpath();
    return path;
}

// The seal in the upper left corner: a vermilion square with a white character.
void paintSeal(QPainter& p, const QRectF& r) {
    const double side = r.height() * 0.11;
    QRectF seal(r.left() + side * 0.6, r.top() + side * 0.6, side, side);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc2, 0x2b, 0x1c));
    p.drawRoundedRect(seal, side * 0.08, side * 0.08);
    QFont f = p.font();
    f.setPixelSize(static_cast<int>(side * 0.72));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0xfb, 0xf1, 0xe0));
    p.drawText(seal, Qt::AlignCenter, QString::fromUtf8("覇"));
}

}  // namespace

TitleCard::TitleCard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TitleCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();

    QLinearGradient sky(0, 0, 0, r.height());
    sky.setColorAt(0.0, QColor(0x07, 0x0b, 0x22));
    sky.setColorAt(0.55, QColor(0x26, 0x1a, 0x3c));
    sky.setColorAt(0.85, QColor(0x6b, 0x2a, 0x1c));
    sky.setColorAt(1.0, QColor(0x2a, 0x10, 0x0a));
    p.fillRect(r, sky);

    // Stars from a fixed little sequence, so every painting is the same.
    p.setPen(Qt::NoPen);
    unsigned state = 12345;
    for (int i = 0; i < 90; ++i) {
        state = state * 1103515245u + 12345u;
        double x = (state >> 8) % 10000 / 10000.0 * r.width();
        state = state * 1103515245u + 12345u;
        double y = (state >> 8) % 10000 / 10000.0 * r.height() * 0.45;
        int alpha = 90 + static_cast<int>((state >> 4) % 150);
        p.setBrush(QColor(255, 250, 235, alpha));
        p.drawEllipse(QPointF(x, y), 1.1, 1.1);
    }

    // The moon and its glow.
    QPointF moon(r.width() * 0.78, r.height() * 0.2);
    double radius = r.height() * 0.075;
    QRadialGradient glow(moon, radius * 4);
    glow.setColorAt(0.0, QColor(255, 240, 200, 110));
    glow.setColorAt(1.0, QColor(255, 240, 200, 0));
    p.setBrush(glow);
    p.drawEllipse(moon, radius * 4, radius * 4);
    p.setBrush(QColor(0xf6, 0xec, 0xcf));
    p.drawEllipse(moon, radius, radius);

    // Three ranges of mountains, darker towards the front.
    p.setBrush(QColor(0x3a, 0x2c, 0x4a));
    p.drawPath(ridge(r, 0.52, 0.08, 0.4, 1.0));
    p.setBrush(QColor(0x24, 0x1a, 0x2c));
    p.drawPath(ridge(r, 0.64, 0.07, 2.1, 0.8));
    p.setBrush(QColor(0x12, 0x0b, 0x10));
    p.drawPath(ridge(r, 0.8, 0.04, 4.0, 0.5));

    paintCauldron(p, cauldronShapes(QPointF(r.center().x(), r.height() * 0.5), r.width() * 0.22));
    paintSeal(p, r);
}

void TitleCard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QWidget::mousePressEvent(event);
}

void TitleCard::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            emit clicked();
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace tei
