#include "output/PainterFigureCanvas.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>

namespace {

QBrush Brush(const FigurePaint &paint)
{
    if (!paint.IsGradient())
        return QBrush(QColor::fromRgb(paint.color));
    QLinearGradient gradient(paint.from, paint.to);
    gradient.setStops(paint.stops);
    return QBrush(gradient);
}

// Points to 1/100 pixel, as the SVG figure has them: the PDF engine writes
// six decimals, and rounded ones compress far better.
QPolygonF Rounded(const QPolygonF &points)
{
    QPolygonF out(points.size());
    for (int k = 0; k < points.size(); ++k)
        out[k] = QPointF(std::round(points[k].x() * 100) / 100, std::round(points[k].y() * 100) / 100);
    return out;
}

} // namespace

PainterFigureCanvas::PainterFigureCanvas(QPainter &painter, int width, int height, bool cosmeticLines)
    : painter_(painter), width_(width), height_(height), cosmetic_(cosmeticLines)
{
    painter_.setRenderHint(QPainter::Antialiasing);
}

QPen PainterFigureCanvas::Pen(const FigurePaint &paint, double width) const
{
    QPen pen(Brush(paint), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(cosmetic_);
    return pen;
}

void PainterFigureCanvas::Background(QRgb color)
{
    painter_.fillRect(QRectF(0, 0, width_, height_), QColor::fromRgb(color));
}

void PainterFigureCanvas::Polygon(const QPolygonF &points, const FigurePaint &fill, const FigurePaint *outline,
                                  double outlineWidth)
{
    painter_.setPen(outline ? Pen(*outline, outlineWidth) : QPen(Qt::NoPen));
    painter_.setBrush(Brush(fill));
    painter_.drawPolygon(Rounded(points), Qt::WindingFill);
}

void PainterFigureCanvas::Polyline(const QPolygonF &points, const FigurePaint &stroke, double width)
{
    painter_.setPen(Pen(stroke, width));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(Rounded(points));
}

void PainterFigureCanvas::Path(const QPainterPath &path, QRgb color)
{
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QColor::fromRgb(color));
    QPainterPath filled = path;
    filled.setFillRule(Qt::OddEvenFill);
    painter_.drawPath(filled);
}
