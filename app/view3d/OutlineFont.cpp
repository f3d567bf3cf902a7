#include "view3d/OutlineFont.h"

#include <algorithm>
#include <deque>
#include <vector>

#include <GL/glu.h>

namespace {

// State of one tessellation: vertices made by the combine callback must
// outlive gluTessEndPolygon.
struct TessState {
    std::deque<std::array<GLdouble, 3>> combined;
};

void OnBegin(GLenum type, void *) { glBegin(type); }
void OnVertex(void *vertex, void *) { glVertex3dv(static_cast<GLdouble *>(vertex)); }
void OnEnd(void *) { glEnd(); }
void OnEdgeFlag(GLboolean, void *) {}   // asks GLU for triangles only
void OnError(GLenum, void *) {}
void OnCombine(GLdouble coords[3], void *[4], GLfloat[4], void **out, void *data)
{
    auto *state = static_cast<TessState *>(data);
    state->combined.push_back({coords[0], coords[1], coords[2]});
    *out = state->combined.back().data();
}

template <typename F> _GLUfuncptr Callback(F f) { return reinterpret_cast<_GLUfuncptr>(f); }

GLUtesselator *NewTessellator()
{
    GLUtesselator *tess = gluNewTess();
    if (!tess)
        return nullptr;
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, Callback(&OnBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, Callback(&OnVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, Callback(&OnEnd));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, Callback(&OnEdgeFlag));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, Callback(&OnError));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, Callback(&OnCombine));
    gluTessNormal(tess, 0, 0, 1);
    return tess;
}

void TessellateGlyph(GLUtesselator *tess, const std::vector<OutlineContour> &outline)
{
    if (outline.empty())
        return;
    // GLU reads the vertices until gluTessEndPolygon: they live here.
    std::vector<std::vector<std::array<GLdouble, 3>>> contours;
    for (const OutlineContour &c : outline) {
        contours.emplace_back();
        for (const OutlinePoint &p : c)
            contours.back().push_back({p.x, p.y, 0});
    }
    TessState state;
    gluTessBeginPolygon(tess, &state);
    for (auto &contour : contours) {
        gluTessBeginContour(tess);
        for (auto &v : contour)
            gluTessVertex(tess, v.data(), v.data());
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
}

} // namespace

bool OutlineFont::Build()
{
    Release();
    base_ = glGenLists(kGlyphs + 1);
    return base_ != 0;
}

GLuint OutlineFont::ListsFor(const std::string &text) const
{
    if (base_ == 0)
        return 0;
    GLUtesselator *tess = nullptr;
    for (const unsigned char c : text.substr(0, std::min<size_t>(text.size(), kGlyphs))) {
        if (c >= kGlyphs || compiled_[c])
            continue;
        compiled_[c] = true;
        if (!tess)
            tess = NewTessellator();
        glNewList(base_ + GLuint(c), GL_COMPILE);
        if (glyphs_.HasGlyph(c)) {
            glNormal3d(0, 0, 1);
            if (tess)
                TessellateGlyph(tess, glyphs_.Contours(c));
            glTranslated(glyphs_.Metrics(c).cellIncX, 0, 0);
        }
        glEndList();
    }
    if (tess)
        gluDeleteTess(tess);
    return base_;
}

void OutlineFont::Release()
{
    if (base_ != 0)
        glDeleteLists(base_, kGlyphs + 1);
    base_ = 0;
    compiled_.reset();
}

double OutlineFont::TextWidth(const std::string &text) const
{
    return ::TextWidth(glyphs_, text);
}
