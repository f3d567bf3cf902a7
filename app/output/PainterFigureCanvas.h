#pragma once

#include "output/FigureCanvas.h"

class QPainter;

// Draws a figure with a QPainter: into a QPdfWriter for PDF figures, or an
// image.  The painter's transform maps figure pixels onto its device.
class PainterFigureCanvas : public FigureCanvas {
public:
    // With `cosmeticLines`, widths are in device pixels, which lets the PDF
    // engine write lines as strokes rather than as filled outlines; use it
    // where a figure pixel is a device pixel.
    PainterFigureCanvas(QPainter &painter, int width, int height, bool cosmeticLines);

    void Background(QRgb color) override;
    void Polygon(const QPolygonF &points, const FigurePaint &fill, const FigurePaint *outline,
                 double outlineWidth) override;
    void Polyline(const QPolygonF &points, const FigurePaint &stroke, double width) override;
    void Path(const QPainterPath &path, QRgb color) override;

private:
    QPen Pen(const FigurePaint &paint, double width) const;

    QPainter &painter_;
    int width_, height_;
    bool cosmetic_;
};
