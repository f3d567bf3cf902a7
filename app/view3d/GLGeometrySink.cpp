#include "view3d/GLGeometrySink.h"

#include "model/FunctionRecord.h"
#include "view3d/GradientColor.h"

namespace {

void SetColour(Colour c)
{
    glColor3ub(GLubyte(ColourRed(c)), GLubyte(ColourGreen(c)), GLubyte(ColourBlue(c)));
}

} // namespace

void GLGeometrySink::BeginFunction(const FunctionRecord &record, double low, double high)
{
    color1_ = record.color1;
    color2_ = record.color2;
    mode_ = record.mode;
    low_ = low;
    high_ = high;
    cells_ = segments_ = 0;
    quads_.clear();
    lines_.clear();
    colours_.clear();
}

void GLGeometrySink::AddVertex(std::vector<GLfloat> &to, const GLPoint &p) const
{
    to.push_back(GLfloat(p.x));
    to.push_back(GLfloat(p.y));
    to.push_back(GLfloat(p.z));
}

void GLGeometrySink::AddColour(Colour c)
{
    colours_.push_back(GLubyte(ColourRed(c)));
    colours_.push_back(GLubyte(ColourGreen(c)));
    colours_.push_back(GLubyte(ColourBlue(c)));
}

void GLGeometrySink::Cell(const CellGeometry &c)
{
    ++cells_;
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
        const Colour colour = (c.i + c.j) % 2 ? color1_ : color2_;
        for (const GLPoint &p : c.p) {
            AddVertex(quads_, p);
            AddColour(colour);
        }
        break;
    }
    case Gradient:
        for (int k = 0; k < 4; ++k) {
            AddVertex(quads_, c.p[k]);
            AddColour(GradientColor(low_, high_, c.value[k], color1_, color2_));
        }
        break;
    default:
        break;
    }
}

void GLGeometrySink::Segment(const SegmentGeometry &s)
{
    ++segments_;
    for (int e = 0; e < 2; ++e) {
        AddVertex(lines_, s.p[e]);
        if (mode_ == Gradient)
            AddColour(GradientColor(low_, high_, s.value[e], color1_, color2_));
    }
}

void GLGeometrySink::DrawFaces(bool withColours) const
{
    glVertexPointer(3, GL_FLOAT, 0, quads_.data());
    if (withColours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_UNSIGNED_BYTE, 0, colours_.data());
    }
    glDrawArrays(GL_QUADS, 0, GLsizei(quads_.size() / 3));
    if (withColours)
        glDisableClientState(GL_COLOR_ARRAY);
}

void GLGeometrySink::DrawOutlines(Colour colour) const
{
    SetColour(colour);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glVertexPointer(3, GL_FLOAT, 0, quads_.data());
    glDrawArrays(GL_QUADS, 0, GLsizei(quads_.size() / 3));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void GLGeometrySink::DrawLines(bool withColours) const
{
    glVertexPointer(3, GL_FLOAT, 0, lines_.data());
    if (withColours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_UNSIGNED_BYTE, 0, colours_.data());
    }
    glDrawArrays(GL_LINES, 0, GLsizei(lines_.size() / 3));
    if (withColours)
        glDisableClientState(GL_COLOR_ARRAY);
}

void GLGeometrySink::Draw() const
{
    if (quads_.empty() && lines_.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    if (!lines_.empty()) {
        // Wire frames and curves; only a gradient curve carries colours.
        const bool coloured = mode_ == Gradient && segments_ > 0;
        if (!coloured)
            SetColour(color1_);
        DrawLines(coloured);
    }
    if (!quads_.empty()) {
        const bool offset = mode_ == FilledPolygons || mode_ == Gradient;
        if (offset) {
            glEnable(GL_POLYGON_OFFSET_FILL);
            glPolygonOffset(1, 1);
        }
        if (mode_ == FilledPolygons)
            SetColour(color1_);
        DrawFaces(mode_ != FilledPolygons);
        if (offset)
            DrawOutlines(mode_ == FilledPolygons ? color2_ : background_);
        if (offset)
            glDisable(GL_POLYGON_OFFSET_FILL);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}
