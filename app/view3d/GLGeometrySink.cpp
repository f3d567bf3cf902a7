#include "view3d/GLGeometrySink.h"

#include "model/FunctionRecord.h"
#include "view3d/GradientColor.h"
#include "view3d/SceneStencil.h"

namespace {

void SetColor(Color c)
{
    glColor3ub(GLubyte(ColorRed(c)), GLubyte(ColorGreen(c)), GLubyte(ColorBlue(c)));
}

} // namespace

void GLGeometrySink::BeginFunction(const FunctionRecord &record, double low, double high)
{
    tag_ = StencilTag(record.handle);
    color1_ = record.color1;
    color2_ = record.color2;
    mode_ = record.mode;
    low_ = low;
    high_ = high;
    quads_.clear();
    lines_.clear();
    colors_.clear();
    normals_.clear();
}

bool GLGeometrySink::WantsNormals() const
{
    return lighting_ == Lighting::Shaded &&
           (mode_ == FilledPolygons || mode_ == ChessBoard || mode_ == Gradient);
}

void GLGeometrySink::AddVertex(std::vector<GLfloat> &to, const GLPoint &p) const
{
    to.push_back(GLfloat(p.x));
    to.push_back(GLfloat(p.y));
    to.push_back(GLfloat(p.z));
}

void GLGeometrySink::AddColor(Color c)
{
    colors_.push_back(GLubyte(ColorRed(c)));
    colors_.push_back(GLubyte(ColorGreen(c)));
    colors_.push_back(GLubyte(ColorBlue(c)));
}

void GLGeometrySink::Cell(const CellGeometry &c)
{
    if (WantsNormals())
        for (const GLPoint &n : c.normal)
            AddVertex(normals_, n);
    switch (mode_) {
    case WireFrame:
        for (int k = 0; k < 4; ++k) {
            AddVertex(lines_, c.p[k]);
            AddVertex(lines_, c.p[(k + 1) % 4]);
        }
        break;
    case FilledPolygons:
        for (const GLPoint &p : c.p)
            AddVertex(quads_, p);
        break;
    case ChessBoard: {
        const Color color = (c.i + c.j) % 2 ? color1_ : color2_;
        for (const GLPoint &p : c.p) {
            AddVertex(quads_, p);
            AddColor(color);
        }
        break;
    }
    case Gradient:
        for (int k = 0; k < 4; ++k) {
            AddVertex(quads_, c.p[k]);
            AddColor(GradientColor(low_, high_, c.value[k], color1_, color2_));
        }
        break;
    default:
        break;
    }
}

void GLGeometrySink::Segment(const SegmentGeometry &s)
{
    for (int e = 0; e < 2; ++e) {
        AddVertex(lines_, s.p[e]);
        if (mode_ == Gradient)
            AddColor(GradientColor(low_, high_, s.value[e], color1_, color2_));
    }
}

void GLGeometrySink::Submit(GLenum primitive, const std::vector<GLfloat> &positions,
                            bool withColors, bool withNormals) const
{
    const GLsizei count = GLsizei(positions.size() / 3);
    if (submission_ == Submission::Immediate) {
        glBegin(primitive);
        for (GLsizei k = 0; k < count; ++k) {
            if (withColors)
                glColor3ubv(&colors_[size_t(k) * 3]);
            if (withNormals)
                glNormal3fv(&normals_[size_t(k) * 3]);
            glVertex3fv(&positions[size_t(k) * 3]);
        }
        glEnd();
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    if (withColors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_UNSIGNED_BYTE, 0, colors_.data());
    }
    if (withNormals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normals_.data());
    }
    glDrawArrays(primitive, 0, count);
    if (withNormals)
        glDisableClientState(GL_NORMAL_ARRAY);
    if (withColors)
        glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void GLGeometrySink::SubmitTriangles(bool withColors, bool withNormals) const
{
    static const int corners[6] = {0, 1, 3, 1, 2, 3};
    const size_t quads = quads_.size() / 12;
    std::vector<GLuint> indices;
    indices.reserve(quads * 6);
    for (size_t q = 0; q < quads; ++q)
        for (int c : corners)
            indices.push_back(GLuint(q * 4 + size_t(c)));
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, quads_.data());
    if (withColors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_UNSIGNED_BYTE, 0, colors_.data());
    }
    if (withNormals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normals_.data());
    }
    glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, indices.data());
    if (withNormals)
        glDisableClientState(GL_NORMAL_ARRAY);
    if (withColors)
        glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void GLGeometrySink::Draw() const
{
    if (!lines_.empty()) {
        // Wire frames and curves; only a gradient curve carries colours (a
        // gradient surface puts nothing here).
        const bool colored = mode_ == Gradient;
        if (!colored)
            SetColor(color1_);
        Submit(GL_LINES, lines_, colored);
    }
    if (quads_.empty())
        return;
    const bool outlined = mode_ == FilledPolygons || mode_ == Gradient;
    if (outlined) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        // Where the faces show, their depth lies behind the surface: the
        // stencil says so to whoever reads points back.
        glStencilFunc(GL_ALWAYS, tag_ | kStencilOffsetFace, 0xFF);
    }
    if (mode_ == FilledPolygons)
        SetColor(color1_);
    const bool lit = !normals_.empty();
    if (lit)
        glEnable(GL_LIGHTING);
    if (submission_ == Submission::Direct)
        SubmitTriangles(mode_ != FilledPolygons, lit);
    else
        Submit(GL_QUADS, quads_, mode_ != FilledPolygons, lit);
    if (lit)
        glDisable(GL_LIGHTING);
    if (outlined) {
        glStencilFunc(GL_ALWAYS, tag_, 0xFF);
        SetColor(mode_ == FilledPolygons ? color2_ : background_);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        Submit(GL_QUADS, quads_, false);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
}
