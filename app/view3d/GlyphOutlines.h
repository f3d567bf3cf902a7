#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QPainterPath>
#include <QRawFont>

// Metrics of one glyph in em units (the font's em height is 1.0).
struct GlyphMetrics {
    float blackBoxX = 0, blackBoxY = 0;   // width and height of the inked box
    float originX = 0, originY = 0;       // top-left of the box from the pen
    float cellIncX = 0, cellIncY = 0;     // advance
};

// A point of an outline in em units, y up.
struct OutlinePoint {
    double x = 0, y = 0;
    bool operator==(const OutlinePoint &o) const { return x == o.x && y == o.y; }
};
// A closed contour without its closing duplicate point.
using OutlineContour = std::vector<OutlinePoint>;

// The outlines of the scene's 3D text: the bold "Arial" face (codes 0-254
// read as Windows-1252 characters), its curves flattened to polygons.  No
// OpenGL and no widgets: the view tessellates the contours into display
// lists, the exporters write them as lines or paths.  Needs a
// QGuiApplication (any platform, offscreen included) for the font.
// Everything is read on first use, glyph by glyph: a scene shows about
// fifteen of the 255, and one without texts needs no font at all.
class GlyphOutlines {
public:
    static constexpr int kGlyphs = 255;
    // Largest distance between a curve and its flattened polygon, in em.
    static constexpr double kDeviationEm = 0.004;

    // False when no font could be loaded; every glyph is then empty.
    bool IsValid() const { return Raw().isValid(); }
    bool HasGlyph(unsigned char code) const { return Glyph(code) != 0; }
    const GlyphMetrics &Metrics(unsigned char code) const;
    const GlyphMetrics &operator[](unsigned char code) const { return Metrics(code); }
    // The metrics as a table, read as they are asked for.
    const GlyphOutlines &AllMetrics() const { return *this; }
    // The glyph's contours at the pen position 0; empty for codes without one.
    const std::vector<OutlineContour> &Contours(unsigned char code) const;

    // Sum of the black-box widths of the text's characters, in em.
    double TextWidth(const std::string &text) const;
    // The contours of a whole text (at most 255 characters), each glyph moved
    // by the advances of the ones before it, as the view draws it.
    std::vector<OutlineContour> TextContours(const std::string &text) const;
    // The same text as curves (em units, y up, pen at 0), for outputs that
    // keep outlines exact at any size.  Filled with the odd winding rule.
    QPainterPath TextPath(const std::string &text) const;

private:
    const QRawFont &Raw() const;
    quint32 Glyph(unsigned char code) const;

    mutable std::optional<QRawFont> raw_;
    mutable std::array<std::optional<quint32>, kGlyphs + 1> glyph_{};
    mutable std::array<std::optional<GlyphMetrics>, kGlyphs + 1> metrics_{};
    mutable std::array<std::optional<std::vector<OutlineContour>>, kGlyphs + 1> contours_;
};
