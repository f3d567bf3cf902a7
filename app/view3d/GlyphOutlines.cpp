#include "view3d/GlyphOutlines.h"

#include <algorithm>

#include <QFont>
#include <QPainterPath>

#include "model/CodePage1252.h"
#include "view3d/FurnitureGeometry.h"

namespace {

constexpr double kDesignSize = 2048;   // glyphs are read at this pixel size

QRawFont LoadFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(int(kDesignSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    return QRawFont::fromFont(font);
}

std::vector<OutlineContour> ContoursOf(const QPainterPath &path)
{
    // Qt flattens at half a unit after the transform: scale so that half a
    // unit is the wanted deviation, then scale back.
    const double flat = 0.5 / GlyphOutlines::kDeviationEm;
    const QTransform t = QTransform::fromScale(flat / kDesignSize, -flat / kDesignSize);
    std::vector<OutlineContour> out;
    for (const QPolygonF &poly : path.toSubpathPolygons(t)) {
        OutlineContour c;
        c.reserve(size_t(poly.size()));
        for (const QPointF &p : poly)
            c.push_back({p.x() / flat, p.y() / flat});
        if (c.size() > 1 && c.front() == c.back())
            c.pop_back();
        if (c.size() >= 3)
            out.push_back(std::move(c));
    }
    return out;
}

} // namespace

const QRawFont &GlyphOutlines::Raw() const
{
    if (!raw_)
        raw_ = LoadFont();
    return *raw_;
}

quint32 GlyphOutlines::Glyph(unsigned char code) const
{
    std::optional<quint32> &glyph = glyph_[code];
    if (!glyph) {
        const char16_t u = code < kGlyphs ? Cp1252ToUnicode(code) : 0;
        glyph = u && Raw().isValid() ? Raw().glyphIndexesForString(QString(QChar(u))).value(0) : 0;
    }
    return *glyph;
}

const GlyphMetrics &GlyphOutlines::Metrics(unsigned char code) const
{
    std::optional<GlyphMetrics> &m = metrics_[code];
    if (m)
        return *m;
    m = GlyphMetrics();
    if (const quint32 glyph = Glyph(code)) {
        const QRectF box = Raw().pathForGlyph(glyph).boundingRect();
        const double advance =
            Raw().advancesForGlyphIndexes({glyph}, QRawFont::UseDesignMetrics).value(0).x();
        m->blackBoxX = float(box.width() / kDesignSize);
        m->blackBoxY = float(box.height() / kDesignSize);
        m->originX = float(box.left() / kDesignSize);
        m->originY = float(-box.top() / kDesignSize);
        m->cellIncX = float(advance / kDesignSize);
    }
    return *m;
}

const std::vector<OutlineContour> &GlyphOutlines::Contours(unsigned char code) const
{
    std::optional<std::vector<OutlineContour>> &c = contours_[code];
    if (!c)
        c = Glyph(code) ? ContoursOf(Raw().pathForGlyph(Glyph(code))) : std::vector<OutlineContour>{};
    return *c;
}

double GlyphOutlines::TextWidth(const std::string &text) const
{
    return ::TextWidth(*this, text);
}

std::vector<OutlineContour> GlyphOutlines::TextContours(const std::string &text) const
{
    std::vector<OutlineContour> out;
    double pen = 0;
    for (unsigned char c : text.substr(0, std::min<size_t>(text.size(), 255))) {
        for (OutlineContour contour : Contours(c)) {
            for (OutlinePoint &p : contour)
                p.x += pen;
            out.push_back(std::move(contour));
        }
        // The view's lists move the pen only for glyphs the font has.
        if (HasGlyph(c))
            pen += Metrics(c).cellIncX;
    }
    return out;
}

QPainterPath GlyphOutlines::TextPath(const std::string &text) const
{
    // Glyphs are read y down at the design size.
    const QTransform toEm = QTransform::fromScale(1 / kDesignSize, -1 / kDesignSize);
    QPainterPath out;
    out.setFillRule(Qt::OddEvenFill);
    double pen = 0;
    for (unsigned char c : text.substr(0, std::min<size_t>(text.size(), 255))) {
        if (!HasGlyph(c))
            continue;
        out.addPath((toEm * QTransform::fromTranslate(pen, 0)).map(Raw().pathForGlyph(Glyph(c))));
        pen += Metrics(c).cellIncX;
    }
    return out;
}
