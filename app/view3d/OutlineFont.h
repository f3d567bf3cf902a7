#pragma once

#include <array>
#include <string>

#include <GL/gl.h>

#include "view3d/GlyphOutlines.h"

// The outline font of GlyphOutlines as 256 display lists (the last list
// stays empty), each glyph a set of
// flat triangles in the z = 0 plane, one em high, that ends by moving the
// pen by its advance.  Triangles only: the selection pass of some Mesa
// versions crashes on lists that mix primitive kinds.
class OutlineFont {
public:
    static constexpr int kGlyphs = 255;

    // Builds the lists in the current context; false when no list names were
    // available.
    bool Build();
    // Deletes the lists (current context); safe to call twice.
    void Release();

    bool IsBuilt() const { return base_ != 0; }
    GLuint ListBase() const { return base_; }
    const GlyphMetrics &Metrics(unsigned char code) const;
    const std::array<GlyphMetrics, kGlyphs + 1> &AllMetrics() const { return metrics_; }

    // Sum of the black-box widths of the text's characters, in em.
    double TextWidth(const std::string &text) const;

private:
    GLuint base_ = 0;
    std::array<GlyphMetrics, kGlyphs + 1> metrics_{};
};
