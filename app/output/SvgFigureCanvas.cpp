#include "output/SvgFigureCanvas.h"

#include <cmath>

#include "output/ChunkedWriter.h"

namespace {

// Lines in a row share a path element up to this many.
constexpr int kLinesPerPath = 2000;

// XML text: the characters that have a meaning there escaped.
std::string Escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8().toStdString();
}

// A coordinate in hundredths of a pixel.
long long Hundredths(double value)
{
    return std::llround(value * 100);
}

// Hundredths as a number, trailing zeros dropped.
void AppendHundredths(std::string &out, long long v)
{
    char digits[24];
    char *end = digits + sizeof digits, *p = end;
    const bool negative = v < 0;
    unsigned long long u = negative ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    const int fraction = int(u % 100);
    u /= 100;
    if (fraction != 0) {
        if (fraction % 10)
            *--p = char('0' + fraction % 10);
        *--p = char('0' + fraction / 10);
        *--p = '.';
    }
    do {
        *--p = char('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negative)
        *--p = '-';
    out.append(p, size_t(end - p));
}

// A pair of numbers; a minus sign separates them by itself.
void AppendPair(std::string &out, long long x, long long y)
{
    AppendHundredths(out, x);
    if (y >= 0)
        out += ' ';
    AppendHundredths(out, y);
}

std::string ColorText(QRgb c)
{
    static const char hex[] = "0123456789abcdef";
    std::string s = "#000000";
    const int channels[3] = {qRed(c), qGreen(c), qBlue(c)};
    for (int k = 0; k < 3; ++k) {
        s[size_t(1 + 2 * k)] = hex[channels[k] >> 4];
        s[size_t(2 + 2 * k)] = hex[channels[k] & 15];
    }
    return s;
}

} // namespace

SvgFigureCanvas::SvgFigureCanvas(QIODevice &out, int width, int height, const QString &title)
    : out_(std::make_unique<ChunkedWriter>(out))
{
    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    head += std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
            std::to_string(width) + ' ' + std::to_string(height) + "\">\n<title>" + Escaped(title) +
            "</title>\n<g stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    out_->Append(head);
}

SvgFigureCanvas::~SvgFigureCanvas() = default;

void SvgFigureCanvas::Number(double value)
{
    scratch_.clear();
    AppendHundredths(scratch_, Hundredths(value));
    out_->Append(scratch_);
}

void SvgFigureCanvas::Color(QRgb color)
{
    out_->Append(ColorText(color));
}

void SvgFigureCanvas::AppendPathData(std::string &out, const QPolygonF &points, bool closed) const
{
    long long x = Hundredths(points[0].x()), y = Hundredths(points[0].y());
    out += 'M';
    AppendPair(out, x, y);
    out += 'l';
    for (int k = 1; k < points.size(); ++k) {
        const long long nx = Hundredths(points[k].x()), ny = Hundredths(points[k].y());
        if (k > 1 && nx - x >= 0)
            out += ' ';
        AppendPair(out, nx - x, ny - y);
        x = nx;
        y = ny;
    }
    if (closed)
        out += 'z';
}

void SvgFigureCanvas::UseStroke(QRgb color, double width)
{
    if (grouped_ && color == groupStroke_ && width == groupWidth_)
        return;
    FlushLines();
    if (grouped_)
        out_->Append("</g>\n");
    out_->Append("<g fill=\"none\" stroke=\"");
    Color(color);
    out_->Append("\" stroke-width=\"");
    Number(width);
    out_->Append("\">\n");
    grouped_ = true;
    groupStroke_ = color;
    groupWidth_ = width;
}

int SvgFigureCanvas::DefineGradient(const FigurePaint &paint)
{
    const int id = gradients_++;
    out_->Append("<linearGradient id=\"g");
    out_->Append(std::to_string(id));
    out_->Append("\" gradientUnits=\"userSpaceOnUse\" x1=\"");
    Number(paint.from.x());
    out_->Append("\" y1=\"");
    Number(paint.from.y());
    out_->Append("\" x2=\"");
    Number(paint.to.x());
    out_->Append("\" y2=\"");
    Number(paint.to.y());
    out_->Append("\">");
    for (const QGradientStop &stop : paint.stops) {
        out_->Append("<stop offset=\"");
        scratch_.clear();
        AppendHundredths(scratch_, std::llround(stop.first * 10000) / 100);
        out_->Append(scratch_);
        out_->Append("\" stop-color=\"");
        Color(stop.second.rgb());
        out_->Append("\"/>");
    }
    out_->Append("</linearGradient>\n");
    return id;
}

void SvgFigureCanvas::PaintValue(const FigurePaint &paint, int gradient)
{
    if (!paint.IsGradient()) {
        Color(paint.color);
        return;
    }
    out_->Append("url(#g");
    out_->Append(std::to_string(gradient));
    out_->Append(')');
}

void SvgFigureCanvas::Background(QRgb color)
{
    out_->Append("<rect width=\"100%\" height=\"100%\" fill=\"");
    Color(color);
    out_->Append("\"/>\n");
}

void SvgFigureCanvas::Polygon(const QPolygonF &points, const FigurePaint &fill, const FigurePaint *outline,
                              double outlineWidth)
{
    if (points.size() < 3)
        return;
    // An outline of its own colour, or a gradient, is written on the
    // element; any other outline is the group's stroke.
    const bool ownOutline = outline && (outline->IsGradient() || *outline == fill);
    if (outline && !ownOutline)
        UseStroke(outline->color, outlineWidth);
    FlushLines();
    const int fillGradient = fill.IsGradient() ? DefineGradient(fill) : -1;
    out_->Append("<path fill=\"");
    PaintValue(fill, fillGradient);
    if (ownOutline) {
        const int outlineGradient = !outline->IsGradient() ? -1
                                    : *outline == fill     ? fillGradient
                                                           : DefineGradient(*outline);
        out_->Append("\" stroke=\"");
        PaintValue(*outline, outlineGradient);
        out_->Append("\" stroke-width=\"");
        Number(outlineWidth);
    } else if (!outline && grouped_) {
        out_->Append("\" stroke=\"none");
    }
    out_->Append("\" d=\"");
    scratch_.clear();
    AppendPathData(scratch_, points, true);
    out_->Append(scratch_);
    out_->Append("\"/>\n");
}

void SvgFigureCanvas::Polyline(const QPolygonF &points, const FigurePaint &stroke, double width)
{
    if (points.size() < 2)
        return;
    if (stroke.IsGradient()) {
        FlushLines();
        const int gradient = DefineGradient(stroke);
        out_->Append("<path fill=\"none\" stroke=\"");
        PaintValue(stroke, gradient);
        out_->Append("\" stroke-width=\"");
        Number(width);
        out_->Append("\" d=\"");
        scratch_.clear();
        AppendPathData(scratch_, points, false);
        out_->Append(scratch_);
        out_->Append("\"/>\n");
        return;
    }
    UseStroke(stroke.color, width);
    if (pendingLines_ >= kLinesPerPath)
        FlushLines();
    ++pendingLines_;
    AppendPathData(lineData_, points, false);
}

void SvgFigureCanvas::FlushLines()
{
    if (pendingLines_ == 0)
        return;
    out_->Append("<path d=\"");
    out_->Append(lineData_);
    out_->Append("\"/>\n");
    lineData_.clear();
    pendingLines_ = 0;
}

void SvgFigureCanvas::Path(const QPainterPath &path, QRgb color)
{
    if (path.isEmpty())
        return;
    FlushLines();
    out_->Append("<path fill=\"");
    Color(color);
    out_->Append(grouped_ ? "\" stroke=\"none\" fill-rule=\"evenodd\" d=\"" : "\" fill-rule=\"evenodd\" d=\"");
    scratch_.clear();
    for (int k = 0; k < path.elementCount(); ++k) {
        const QPainterPath::Element e = path.elementAt(k);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            scratch_ += k > 0 ? "zM" : "M";
            break;
        case QPainterPath::LineToElement:
            scratch_ += 'L';
            break;
        case QPainterPath::CurveToElement:
            scratch_ += 'C';
            break;
        case QPainterPath::CurveToDataElement:
            scratch_ += ' ';
            break;
        }
        AppendPair(scratch_, Hundredths(e.x), Hundredths(e.y));
    }
    scratch_ += 'z';
    out_->Append(scratch_);
    out_->Append("\"/>\n");
}

bool SvgFigureCanvas::Finish()
{
    FlushLines();
    if (grouped_)
        out_->Append("</g>\n");
    out_->Append("</g>\n</svg>\n");
    return out_->Finish();
}
