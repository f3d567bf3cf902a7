#pragma once

#include <memory>
#include <string>

#include <QString>

#include "output/FigureCanvas.h"

class ChunkedWriter;
class QIODevice;

// Writes a figure as SVG text, streamed to a device, in presentation
// attributes only (what every viewer reads).  Kept small, for figures of
// surfaces with many thousand faces:
//  - the stroke of outlines and lines is given by the enclosing group,
//    which changes only when the stroke does;
//  - lines in a row become one path element;
//  - coordinates are written to 1/100 pixel, relative after the first.
// Its own writer rather than Qt's QSvgGenerator, which wraps every change
// of colour in a group of ten attributes (the file of a 200-step surface
// grows threefold) and draws lines with strokes that do not scale with the
// figure.
class SvgFigureCanvas : public FigureCanvas {
public:
    // A figure of width x height pixels (at 96 dpi) titled `title`.
    SvgFigureCanvas(QIODevice &out, int width, int height, const QString &title);
    ~SvgFigureCanvas() override;

    void Background(QRgb color) override;
    void Polygon(const QPolygonF &points, const FigurePaint &fill, const FigurePaint *outline,
                 double outlineWidth) override;
    void Polyline(const QPolygonF &points, const FigurePaint &stroke, double width) override;
    void Path(const QPainterPath &path, QRgb color) override;

    // Closes the document; false when a write failed.
    bool Finish();

private:
    // Opens a group whose stroke is `colour`, `width` wide, unless the open
    // one has it.
    void UseStroke(QRgb color, double width);
    void FlushLines();
    // Writes a gradient's definition; its number.
    int DefineGradient(const FigurePaint &paint);
    // The paint's attribute value: a colour, or gradient number `gradient`.
    void PaintValue(const FigurePaint &paint, int gradient);
    void Number(double value);
    void Color(QRgb color);
    // Path data through the points: absolute, then relative moves.
    void AppendPathData(std::string &out, const QPolygonF &points, bool closed) const;

    std::unique_ptr<ChunkedWriter> out_;
    int gradients_ = 0;
    bool grouped_ = false;
    QRgb groupStroke_ = 0;
    double groupWidth_ = 0;
    // Lines in the group's stroke waiting to be written as one path.
    int pendingLines_ = 0;
    std::string lineData_;
    std::string scratch_;
};
