#include "setup/forms/Cauldron.h"

#include <QPainter>
#include <utility>

namespace tei {

CauldronShapes cauldronShapes(QPointF rimCentre, double width, double unit) {
    CauldronShapes s;
    const double w = width;
    const double cx = rimCentre.x();
    const double rim = rimCentre.y();
    const double bowlDepth = w * 0.55;

    s.bronzeFill = QLinearGradient(cx - w / 2, 0, cx + w / 2, 0);
    s.bronzeFill.setColorAt(0.0, QColor(0x3b, 0x2a, 0x12));
    s.bronzeFill.setColorAt(0.35, QColor(0xa8, 0x82, 0x3c));
    s.bronzeFill.setColorAt(0.55, QColor(0xc9, 0xa5, 0x5a));
    s.bronzeFill.setColorAt(1.0, QColor(0x2e, 0x20, 0x0d));
    s.outline = QColor(0x1c, 0x12, 0x06);
    s.bandColour = QColor(0x4a, 0x33, 0x12);
    s.outlineWidth = 2 * unit;
    s.bandWidth = 1.5 * unit;

    // Legs first, so the bowl covers their tops.
    for (double x : {-0.34, 0.0, 0.34}) {
        QPainterPath leg;
        double lx = cx + x * w;
        double top = rim + bowlDepth * 0.7;
        double foot = rim + bowlDepth * 1.55;
        leg.moveTo(lx - w * 0.05, top);
        leg.lineTo(lx + w * 0.05, top);
        leg.lineTo(lx + w * 0.035, foot);
        leg.quadTo(lx, foot + w * 0.03, lx - w * 0.035, foot);
        leg.closeSubpath();
        s.bronze.push_back(leg);
    }

    // Handles: two arches standing on the rim.
    for (double side : {-1.0, 1.0}) {
        QPainterPath handle;
        double hx = cx + side * w * 0.33;
        double hw = w * 0.12;
        double hh = w * 0.26;
        handle.moveTo(hx - hw, rim);
        handle.lineTo(hx - hw, rim - hh);
        handle.lineTo(hx + hw, rim - hh);
        handle.lineTo(hx + hw, rim);
        handle.lineTo(hx + hw * 0.55, rim);
        handle.lineTo(hx + hw * 0.55, rim - hh * 0.62);
        handle.lineTo(hx - hw * 0.55, rim - hh * 0.62);
        handle.lineTo(hx - hw * 0.55, rim);
        handle.closeSubpath();
        s.bronze.push_back(handle);
    }

    QPainterPath bowl;
    bowl.moveTo(cx - w / 2, rim);
    bowl.lineTo(cx + w / 2, rim);
    bowl.cubicTo(cx + w / 2, rim + bowlDepth * 0.9, cx + w * 0.3, rim + bowlDepth, cx, rim + bowlDepth);
    bowl.cubicTo(cx - w * 0.3, rim + bowlDepth, cx - w / 2, rim + bowlDepth * 0.9, cx - w / 2, rim);
    bowl.closeSubpath();
    s.bronze.push_back(bowl);

    // A band of meanders below the rim.
    const double bandTop = rim + bowlDepth * 0.14;
    const double bandBottom = rim + bowlDepth * 0.34;
    for (auto [half, y] : {std::pair{0.47, bandTop}, std::pair{0.45, bandBottom}}) {
        QPainterPath line;
        line.moveTo(cx - w * half, y);
        line.lineTo(cx + w * half, y);
        s.band.push_back(line);
    }
    const int hooks = 9;
    const double step = w * 0.84 / hooks;
    for (int i = 0; i < hooks; ++i) {
        double x = cx - w * 0.42 + i * step;
        double mid = (bandTop + bandBottom) / 2;
        QPainterPath hook;
        hook.moveTo(x, bandBottom - 2 * unit);
        hook.lineTo(x, bandTop + 3 * unit);
        hook.lineTo(x + step * 0.7, bandTop + 3 * unit);
        hook.lineTo(x + step * 0.7, mid + 2 * unit);
        hook.lineTo(x + step * 0.3, mid + 2 * unit);
        s.band.push_back(hook);
    }
    return s;
}

void paintCauldron(QPainter& p, const CauldronShapes& s) {
    p.setPen(QPen(s.outline, s.outlineWidth));
    p.setBrush(s.bronzeFill);
    for (const QPainterPath& path : s.bronze) p.drawPath(path);
    p.setPen(QPen(s.bandColour, s.bandWidth));
    p.setBrush(Qt::NoBrush);
    for (const QPainterPath& path : s.band) p.drawPath(path);
}

}  // namespace tei
