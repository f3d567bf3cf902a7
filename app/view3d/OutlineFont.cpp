#include "view3d/OutlineFont.h"

#include <deque>
#include <vector>

#include <GL/glu.h>
#include <QFont>
#include <QPainterPath>
#include <QRawFont>

#include "model/CodePage1252.h"

namespace {

constexpr double kDesignSize = 2048;     // glyphs are read at this pixel size
constexpr double kDeviationEm = 0.004;   // flattening tolerance of the curves

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

// Contours of a glyph in em units, y up, without the closing duplicate point.
std::vector<std::vector<std::array<GLdouble, 3>>> Contours(const QPainterPath &path)
{
    // Qt flattens at half a unit after the transform: scale so that half a
    // unit is the wanted deviation, then scale back.
    const double flat = 0.5 / kDeviationEm;
    const QTransform t = QTransform::fromScale(flat / kDesignSize, -flat / kDesignSize);
    std::vector<std::vector<std::array<GLdouble, 3>>> out;
    for (const QPolygonF &poly : path.toSubpathPolygons(t)) {
        std::vector<std::array<GLdouble, 3>> c;
        for (const QPointF &p : poly)
            c.push_back({p.x() / flat, p.y() / flat, 0});
        if (c.size() > 1 && c.front() == c.back())
            c.pop_back();
        if (c.size() >= 3)
            out.push_back(std::move(c));
    }
    return out;
}

void TessellateGlyph(GLUtesselator *tess, const QPainterPath &path)
{
    auto contours = Contours(path);
    if (contours.empty())
        return;
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

QRawFont LoadFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(int(kDesignSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    return QRawFont::fromFont(font);
}

} // namespace

bool OutlineFont::Build()
{
    Release();
    const GLuint base = glGenLists(kGlyphs + 1);
    if (base == 0)
        return false;
    base_ = base;
    metrics_ = {};
    const QRawFont raw = LoadFont();
    GLUtesselator *tess = NewTessellator();
    for (int code = 0; code < kGlyphs; ++code) {
        const char16_t u = Cp1252ToUnicode(static_cast<unsigned char>(code));
        const quint32 glyph =
            (raw.isValid() && u) ? raw.glyphIndexesForString(QString(QChar(u))).value(0) : 0;
        glNewList(base_ + GLuint(code), GL_COMPILE);
        if (glyph != 0) {
            const QPainterPath path = raw.pathForGlyph(glyph);
            const QRectF box = path.boundingRect();
            const double advance =
                raw.advancesForGlyphIndexes({glyph}, QRawFont::UseDesignMetrics).value(0).x() / kDesignSize;
            GlyphMetrics &m = metrics_[size_t(code)];
            m.blackBoxX = float(box.width() / kDesignSize);
            m.blackBoxY = float(box.height() / kDesignSize);
            m.originX = float(box.left() / kDesignSize);
            m.originY = float(-box.top() / kDesignSize);
            m.cellIncX = float(advance);
            glNormal3d(0, 0, 1);
            if (tess)
                TessellateGlyph(tess, path);
            glTranslated(advance, 0, 0);
        }
        glEndList();
    }
    if (tess)
        gluDeleteTess(tess);
    return true;
}

void OutlineFont::Release()
{
    if (base_ != 0)
        glDeleteLists(base_, kGlyphs + 1);
    base_ = 0;
}

const GlyphMetrics &OutlineFont::Metrics(unsigned char code) const
{
    return metrics_[code];
}

double OutlineFont::TextWidth(const std::string &text) const
{
    double w = 0;
    for (unsigned char c : text)
        w += metrics_[c].blackBoxX;
    return w;
}
