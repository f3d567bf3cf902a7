#pragma once

#include <QGradientStops>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRgb>

// How a shape is filled or a line is stroked: one colour, or a linear
// gradient along the line from `from` to `to` (figure pixels).
struct FigurePaint {
    QRgb color = 0;
    QPointF from, to;
    QGradientStops stops;   // a gradient when not empty

    bool IsGradient() const { return !stops.isEmpty(); }
    bool operator==(const FigurePaint &o) const
    {
        return color == o.color && from == o.from && to == o.to && stops == o.stops;
    }
    static FigurePaint Solid(QRgb c)
    {
        FigurePaint p;
        p.color = c;
        return p;
    }
};

// Where a vector figure is drawn, in figure pixels (y down), in painting
// order: later shapes cover earlier ones.  Lines have round ends and
// joins.
class FigureCanvas {
public:
    virtual ~FigureCanvas() = default;

    // Fills the whole figure; called first.
    virtual void Background(QRgb color) = 0;
    // Fills a polygon and, when `outline` is given, strokes its whole
    // boundary, `outlineWidth` wide, over the fill.
    virtual void Polygon(const QPolygonF &points, const FigurePaint &fill, const FigurePaint *outline,
                         double outlineWidth) = 0;
    // Strokes an open line through the points.
    virtual void Polyline(const QPolygonF &points, const FigurePaint &stroke, double width) = 0;
    // Fills a path (text outlines) with the odd-even rule.
    virtual void Path(const QPainterPath &path, QRgb color) = 0;
};
