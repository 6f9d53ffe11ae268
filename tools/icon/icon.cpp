// The game's icon: the opening's bronze cauldron standing before the moon on a rounded square of the
// opening's night sky. One scene of paths, drawn two ways from the same shapes: painted by Qt into a
// PNG for each size asked for, and written out as SVG for the scalable icon.
//   icon <output folder> <size>...
// writes <output folder>/hicolor/scalable/apps/teijiroku.svg and hicolor/NxN/apps/teijiroku.png.
//   icon --compare <a.png> <b.png>
// prints how far two pictures of one size differ (the root mean square of the premultiplied channels,
// 0 to 1) and fails above 0.02: the SVG, drawn by another renderer, is checked against the PNG.

#include <QBrush>
#include <QByteArray>
#include <QFile>
#include <QGradient>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTextStream>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "setup/forms/Cauldron.h"

namespace {

constexpr double kDesign = 256;  // the scene's side, in its own units

struct Item {
    QPainterPath path;
    QBrush brush = Qt::NoBrush;
    QPen pen = Qt::NoPen;
};

std::vector<Item> iconScene() {
    std::vector<Item> scene;
    const double s = kDesign;

    // The sky of the opening, on a rounded square that leaves a little room to the edge.
    QPainterPath backdrop;
    backdrop.addRoundedRect(QRectF(s / 32, s / 32, s * 15 / 16, s * 15 / 16), s * 0.18, s * 0.18);
    QLinearGradient sky(0, s / 32, 0, s * 31 / 32);
    sky.setColorAt(0.0, QColor(0x07, 0x0b, 0x22));
    sky.setColorAt(0.55, QColor(0x26, 0x1a, 0x3c));
    sky.setColorAt(0.85, QColor(0x6b, 0x2a, 0x1c));
    sky.setColorAt(1.0, QColor(0x2a, 0x10, 0x0a));
    scene.push_back({backdrop, sky});

    // The moon and its glow, behind the vessel's right handle.
    const QPointF moon(s * 0.69, s * 0.3);
    const double radius = s * 0.13;
    QPainterPath glowDisc;
    glowDisc.addEllipse(moon, radius * 2.2, radius * 2.2);
    QRadialGradient glow(moon, radius * 2.2);
    glow.setColorAt(0.0, QColor(255, 240, 200, 110));
    glow.setColorAt(1.0, QColor(255, 240, 200, 0));
    scene.push_back({glowDisc, glow});
    QPainterPath moonDisc;
    moonDisc.addEllipse(moon, radius, radius);
    scene.push_back({moonDisc, QColor(0xf6, 0xec, 0xcf)});

    // The cauldron: as wide as 0.62 of the icon; on the title card it is 198 pixels wide in a 900-pixel
    // opening, and its strokes and meanders are scaled by the same ratio.
    const double width = s * 0.62;
    const tei::CauldronShapes ding = tei::cauldronShapes(QPointF(s / 2, s * 0.36), width, width / 198);
    QPen outline(ding.outline, ding.outlineWidth);
    for (const QPainterPath& path : ding.bronze) scene.push_back({path, ding.bronzeFill, outline});
    QPen band(ding.bandColour, ding.bandWidth);
    for (const QPainterPath& path : ding.band) scene.push_back({path, Qt::NoBrush, band});
    return scene;
}

QImage render(const std::vector<Item>& scene, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kDesign, size / kDesign);
    for (const Item& item : scene) {
        p.setPen(item.pen);
        p.setBrush(item.brush);
        p.drawPath(item.path);
    }
    return image;
}

// SVG writing.

QString num(double v) { return QString::number(v, 'g', 7); }

QString colour(const QColor& c) { return c.name(QColor::HexRgb); }

QString opacity(const QColor& c) { return c.alpha() == 255 ? QString() : num(c.alphaF()); }

// The path's elements as SVG path data; a subpath that ends where it began is closed.
QString pathData(const QPainterPath& path) {
    QString d;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo()) {
            start = e;
            d += "M" + num(e.x) + "," + num(e.y);
        } else if (e.isLineTo()) {
            d += "L" + num(e.x) + "," + num(e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element& c2 = path.elementAt(i + 1);
            const QPainterPath::Element& end = path.elementAt(i + 2);
            d += "C" + num(e.x) + "," + num(e.y) + " " + num(c2.x) + "," + num(c2.y) + " " + num(end.x) + "," +
                 num(end.y);
            i += 2;
        }
        const bool lastOfSubpath = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        if (lastOfSubpath && !e.isMoveTo() && QPointF(path.elementAt(i)) == start) d += "Z";
    }
    return d;
}

QString stops(const QGradient& g) {
    QString out;
    for (const auto& [at, c] : g.stops()) {
        out += "<stop offset=\"" + num(at) + "\" stop-color=\"" + colour(c) + "\"";
        if (!opacity(c).isEmpty()) out += " stop-opacity=\"" + opacity(c) + "\"";
        out += "/>";
    }
    return out;
}

// The gradients of an SVG file, each written once however many shapes it fills.
struct Gradients {
    QString defs;
    std::map<QString, QString> ids;  // a gradient's element without its id -> its id

    QString add(const QGradient& g) {
        QString element;
        if (g.type() == QGradient::LinearGradient) {
            auto& lg = static_cast<const QLinearGradient&>(g);
            element = "linearGradient gradientUnits=\"userSpaceOnUse\" x1=\"" + num(lg.start().x()) + "\" y1=\"" +
                      num(lg.start().y()) + "\" x2=\"" + num(lg.finalStop().x()) + "\" y2=\"" +
                      num(lg.finalStop().y()) + "\">" + stops(g) + "</linearGradient>";
        } else {
            auto& rg = static_cast<const QRadialGradient&>(g);
            element = "radialGradient gradientUnits=\"userSpaceOnUse\" cx=\"" + num(rg.center().x()) + "\" cy=\"" +
                      num(rg.center().y()) + "\" r=\"" + num(rg.radius()) + "\">" + stops(g) + "</radialGradient>";
        }
        auto [it, added] = ids.try_emplace(element, "g" + QString::number(ids.size() + 1));
        if (added)
            defs += "<" + element.section(' ', 0, 0) + " id=\"" + it->second + "\" " + element.section(' ', 1) + "\n";
        return it->second;
    }
};

// The paint of a brush as an SVG attribute value.
QString paint(const QBrush& brush, Gradients& gradients) {
    if (brush.style() == Qt::NoBrush) return "none";
    if (const QGradient* g = brush.gradient()) return "url(#" + gradients.add(*g) + ")";
    return colour(brush.color());
}

QString svg(const std::vector<Item>& scene) {
    QString body;
    Gradients gradients;
    for (const Item& item : scene) {
        body += "<path d=\"" + pathData(item.path) + "\" fill=\"" + paint(item.brush, gradients) + "\"";
        if (item.brush.style() != Qt::NoBrush) {
            body += " fill-rule=\"";
            body += item.path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero";
            body += "\"";
            if (!item.brush.gradient() && !opacity(item.brush.color()).isEmpty())
                body += " fill-opacity=\"" + opacity(item.brush.color()) + "\"";
        }
        if (item.pen.style() != Qt::NoPen) {
            body += " stroke=\"" + colour(item.pen.color()) + "\" stroke-width=\"" + num(item.pen.widthF()) + "\"";
            body += item.pen.capStyle() == Qt::SquareCap  ? " stroke-linecap=\"square\""
                    : item.pen.capStyle() == Qt::RoundCap ? " stroke-linecap=\"round\""
                                                          : " stroke-linecap=\"butt\"";
            body += item.pen.joinStyle() == Qt::BevelJoin   ? " stroke-linejoin=\"bevel\""
                    : item.pen.joinStyle() == Qt::RoundJoin ? " stroke-linejoin=\"round\""
                                                            : " stroke-linejoin=\"miter\"";
        }
        body += "/>\n";
    }
    const QString side = num(kDesign);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           side + "\" height=\"" + side + "\" viewBox=\"0 0 " + side + " " + side + "\">\n<defs>\n" + gradients.defs +
           "</defs>\n" + body + "</svg>\n";
}

bool writeFile(const std::filesystem::path& p, const QByteArray& bytes) {
    std::filesystem::create_directories(p.parent_path());
    QFile f(QString::fromStdString(p.string()));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

int compare(const char* a, const char* b) {
    QImage x = QImage(a).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage y = QImage(b).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (x.isNull() || y.isNull() || x.size() != y.size()) {
        std::cerr << "icon: " << a << " and " << b << " are not two pictures of one size\n";
        return 1;
    }
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            for (int shift : {0, 8, 16, 24}) {
                double d =
                    (static_cast<int>((p[col] >> shift) & 0xff) - static_cast<int>((q[col] >> shift) & 0xff)) / 255.0;
                sum += d * d;
            }
    }
    const double rms = std::sqrt(sum / (4.0 * x.width() * x.height()));
    std::cout << "icon: difference " << rms << "\n";
    return rms <= 0.02 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--compare") return compare(argv[2], argv[3]);
    if (argc < 2) {
        std::cerr << "usage: icon <output folder> <size>...\n";
        return 2;
    }
    const std::filesystem::path out = std::filesystem::path(argv[1]) / "hicolor";
    const std::vector<Item> scene = iconScene();
    if (!writeFile(out / "scalable" / "apps" / "teijiroku.svg", svg(scene).toUtf8())) {
        std::cerr << "icon: cannot write " << (out / "scalable").string() << "\n";
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();  // 0 when not a number
        if (size < 1 || size > 1024) {
            std::cerr << "icon: not a size from 1 to 1024: " << argv[i] << "\n";
            return 2;
        }
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::path p = out / name / "apps" / "teijiroku.png";
        std::filesystem::create_directories(p.parent_path());
        if (!render(scene, size).save(QString::fromStdString(p.string()), "PNG")) {
            std::cerr << "icon: cannot write " << p.string() << "\n";
            return 1;
        }
    }
    return 0;
}
