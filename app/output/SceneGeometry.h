#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QStringList>

#include "model/ViewSettings.h"
#include "view3d/FurnitureGeometry.h"
#include "view3d/GlyphOutlines.h"

class CVeltrix2Doc;
struct FunctionRecord;

// Indices into a function's vertices drawn as one kind of primitive in one
// colour (or in the vertices' own colours).
struct GeometryPart {
    enum Kind {
        Triangles,
        Lines
    };
    Kind kind = Triangles;
    bool vertexColors = false;
    Color color = 0;               // when not vertexColours
    std::vector<uint32_t> indices;   // 3 per triangle, 2 per line
};

// What the view draws of one visible function, as indexed primitives over
// its sample points in the user's coordinates (x, y, z; z up), or over the
// vertices of an implicit surface's triangles, drawn like cells.  A cell is
// two triangles P0 P1 P2 and P0 P2 P3; an outline or a wire-frame cell its
// four edges, as the view draws them (edges shared by two cells twice).
//   WireFrame       lines in color1
//   FilledPolygons  triangles in color1, outlines in color2
//   ChessBoard      triangles in color1 (i + j odd) and in color2 (even)
//   Gradient        triangles in the vertices' gradient colours, outlines in
//                   the background colour
// A curve is lines in color1, or in its vertices' colours in Gradient.
struct FunctionGeometry {
    std::string label;               // the document's 8-bit text
    int position = 0;                // in the document's list, from 0
    Color color1 = 0, color2 = 0;
    int mode = 0;
    std::vector<float> positions;    // x, y, z per vertex
    std::vector<float> normals;      // unit, per vertex, when a part has triangles
    std::vector<Color> colors;     // per vertex, when a part has vertex colours
    std::vector<GeometryPart> parts;   // without empty ones

    size_t VertexCount() const { return positions.size() / 3; }
    size_t TriangleCount() const;
    size_t LineCount() const;
};

// One text of the scene with its outline, in GL coordinates.
struct GeometryText {
    PlacedText placed;
    Color color = 0;
    std::vector<OutlineContour> contours;   // em units, pen from 0
};

// The scene of a document as its view draws it from the saved camera:
// the visible functions in list order, the cube with its marks and the axes
// (lines in the user's coordinates), and the texts.  Functions whose grid
// could not be made are left out, and `notes` says which.
struct SceneGeometry {
    ViewSettings settings;
    std::vector<FunctionGeometry> functions;
    std::vector<LineSegment> cube, ticks, axes;   // user coordinates; empty when not shown
    std::vector<GeometryText> texts;              // marks' numbers, then axis labels
    QStringList notes;

    size_t TriangleCount() const;
    // Lines of the functions and of the cube, marks and axes (not of texts).
    size_t LineCount() const;
};

// Samples every visible function afresh, as the view does.  Needs a
// QGuiApplication for the texts' font (the offscreen platform will do).
SceneGeometry BuildSceneGeometry(const CVeltrix2Doc &doc, const GlyphOutlines &glyphs);

// Hands every visible function of `doc`, in list order, to `take`, which
// samples it (TessellateFunction) and returns why it could not, if so: that
// goes into `notes`.
void ForEachShownFunction(const CVeltrix2Doc &doc, QStringList &notes,
                          const std::function<QString(int position, const FunctionRecord &)> &take);

// A label in quotes, for notes.
QString QuotedLabel(const std::string &label);

// The function's name for the files: its label as UTF-8 with control
// characters replaced, or "function N" for an empty label.
QString FunctionName(const std::string &label, int position);
