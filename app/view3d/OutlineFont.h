#pragma once

#include <bitset>
#include <string>

#include <GL/gl.h>

#include "view3d/FurnitureGeometry.h"
#include "view3d/GlyphOutlines.h"

// The outline font of GlyphOutlines as 256 display lists (the last list
// stays empty), each glyph a set of flat triangles in the z = 0 plane, one
// em high, that ends by moving the pen by its advance.  Triangles only: the
// selection pass of some Mesa versions crashes on lists that mix primitive
// kinds.  A glyph's list is compiled the first time a text needs it.
class OutlineFont {
public:
    static constexpr int kGlyphs = 255;

    // Reserves the lists' names in the current context; false when no list
    // names were available.
    bool Build();
    // Deletes the lists (current context); safe to call twice.
    void Release();

    bool IsBuilt() const { return base_ != 0; }
    // The first of the 256 lists, with the lists of the text's characters
    // (at most 255) compiled in the current context; 0 when not built.
    GLuint ListsFor(const std::string &text) const;
    const GlyphMetrics &Metrics(unsigned char code) const { return glyphs_.Metrics(code); }
    const GlyphMetricsTable &AllMetrics() const { return glyphs_; }

    // Sum of the black-box widths of the text's characters, in em.
    double TextWidth(const std::string &text) const;

    // Glyphs whose lists are compiled.
    int CompiledGlyphs() const { return int(compiled_.count()); }

private:
    GLuint base_ = 0;
    GlyphOutlines glyphs_;
    mutable std::bitset<kGlyphs + 1> compiled_;
};
