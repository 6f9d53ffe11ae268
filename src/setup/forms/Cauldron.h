#pragma once
// The bronze three-legged cauldron (ding) of the opening, as shapes: a wide bowl with two upright
// handles on its rim, standing on three legs, and a band of meanders below the rim. The title card
// paints it over its landscape and the game's icon is drawn from the very same shapes, so the two
// stay one vessel.

#include <QColor>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPointF>
#include <vector>

class QPainter;

namespace tei {

struct CauldronShapes {
    std::vector<QPainterPath> bronze;  // legs, then handles, then the bowl: filled, outlined
    std::vector<QPainterPath> band;    // the band's two lines and its hooks: outlined only
    QLinearGradient bronzeFill;        // across the bowl, dark edges and a lit middle
    QColor outline;
    QColor bandColour;
    double outlineWidth = 2;
    double bandWidth = 1.5;
};

// The cauldron whose rim is centred on 'rimCentre' and is 'width' wide. 'unit' is the size of the
// opening's pixel for the small fixed steps of the meanders and the strokes: 1 on the title card,
// larger or smaller for a drawing at another scale.
CauldronShapes cauldronShapes(QPointF rimCentre, double width, double unit = 1);

void paintCauldron(QPainter& p, const CauldronShapes& shapes);

}  // namespace tei
