#pragma once

#include <vector>

#include <GL/gl.h>

#include "model/ViewSettings.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/GeometrySink.h"

// Draws a function's cells in its visualization mode.  The cells are gathered
// and drawn per primitive kind at EndFunction, so that a display list holds a
// few long primitives instead of one short one (and a state change) per cell;
// the picture is the same as drawing cell by cell because the filled faces
// are pushed back by the polygon offset and the outlines stay in front.
//   WireFrame       closed outline of every cell in color1
//   FilledPolygons  faces in color1 (offset), outlines in color2
//   ChessBoard      faces in color1 when i + j is odd, color2 when even
//   Gradient        faces coloured between color1 and color2 by value (offset),
//                   outlines in the background colour
// Curve segments are lines in color1, or gradient-coloured ends in Gradient.
// Faces pushed back by the offset are marked so in the stencil (see
// SceneStencil.h).  Shaded, the faces of the three filled modes carry normals and are drawn
// with lighting on (their colours become the diffuse colour); wire frames,
// curves and outlines stay unlit.  The light itself is the renderer's.
class GLGeometrySink : public GeometrySink {
public:
    // How vertices reach GL: client arrays compiled into display lists;
    // glVertex calls (the selection pass, where Mesa is safe only with
    // those); or client arrays drawn straight into a frame, whose faces are
    // given as the triangles a display list makes of them (Mesa's lists cut
    // a quadrilateral 0-1-2-3 along 1-3, its drawing straight along 0-2,
    // which shades a gradient differently).
    enum class Submission {
        Arrays,
        Immediate,
        Direct
    };

    enum class Lighting {
        Flat,
        Shaded
    };

    explicit GLGeometrySink(Color background, Submission submission = Submission::Arrays,
                            Lighting lighting = Lighting::Flat)
        : background_(background), submission_(submission), lighting_(lighting) {}

    void BeginFunction(const FunctionRecord &record, double low, double high) override;
    void Cell(const CellGeometry &cell) override;
    void Segment(const SegmentGeometry &segment) override;
    void EndFunction() override { Draw(); }
    bool WantsNormals() const override;

    // The range of the gradient colours of the last function.
    GradientRange Range() const { return {low_, high_}; }

    // Issues the gathered geometry (into the open display list, if any).
    void Draw() const;

private:
    void AddVertex(std::vector<GLfloat> &to, const GLPoint &p) const;
    void AddColor(Color c);
    void Submit(GLenum primitive, const std::vector<GLfloat> &positions, bool withColors,
                bool withNormals = false) const;
    // The faces as triangles 0-1-3 and 1-2-3 of each quadrilateral.
    void SubmitTriangles(bool withColors, bool withNormals) const;

    Color background_;
    Submission submission_;
    Lighting lighting_;
    GLint tag_ = 0;   // the function's mark in the stencil
    Color color1_ = 0, color2_ = 0;
    int mode_ = 0;
    double low_ = 0, high_ = 0;
    std::vector<GLfloat> quads_;     // 4 corners per cell
    std::vector<GLfloat> lines_;     // wire-frame edges and curve segments
    std::vector<GLubyte> colors_;   // per vertex of quads_ or lines_, when coloured
    std::vector<GLfloat> normals_;   // per vertex of quads_, when shaded
};
