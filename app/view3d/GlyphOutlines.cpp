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

GlyphOutlines::GlyphOutlines() : raw_(LoadFont())
{
    if (!raw_.isValid())
        return;
    for (int code = 0; code < kGlyphs; ++code) {
        const char16_t u = Cp1252ToUnicode(static_cast<unsigned char>(code));
        const quint32 glyph = u ? raw_.glyphIndexesForString(QString(QChar(u))).value(0) : 0;
        glyph_[size_t(code)] = glyph;
        if (glyph == 0)
            continue;
        const QRectF box = raw_.pathForGlyph(glyph).boundingRect();
        const double advance = raw_.advancesForGlyphIndexes({glyph}, QRawFont::UseDesignMetrics).value(0).x();
        GlyphMetrics &m = metrics_[size_t(code)];
        m.blackBoxX = float(box.width() / kDesignSize);
        m.blackBoxY = float(box.height() / kDesignSize);
        m.originX = float(box.left() / kDesignSize);
        m.originY = float(-box.top() / kDesignSize);
        m.cellIncX = float(advance / kDesignSize);
    }
}

const std::vector<OutlineContour> &GlyphOutlines::Contours(unsigned char code) const
{
    std::optional<std::vector<OutlineContour>> &c = contours_[code];
    if (!c)
        c = glyph_[code] ? ContoursOf(raw_.pathForGlyph(glyph_[code])) : std::vector<OutlineContour>{};
    return *c;
}

double GlyphOutlines::TextWidth(const std::string &text) const
{
    return ::TextWidth(metrics_, text);
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
        if (glyph_[c])
            pen += metrics_[c].cellIncX;
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
        if (!glyph_[c])
            continue;
        out.addPath((toEm * QTransform::fromTranslate(pen, 0)).map(raw_.pathForGlyph(glyph_[c])));
        pen += metrics_[c].cellIncX;
    }
    return out;
}
