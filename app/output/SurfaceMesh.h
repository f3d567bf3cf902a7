#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "model/ViewSettings.h"

class CVeltrix2Doc;

// The cells one function shows in the view, as triangles in the user's
// coordinates (x, y, z): two per cell, P0 P1 P2 and P0 P2 P3, so that a
// surface z(x, y) faces up.  Corners shared by cells are one vertex, and so
// are the corners on the grid's edges that meet at the same place: the
// seams of a closed surface (a torus, a cylinder, a sphere) are shared
// edges, and its mesh is closed.
struct FunctionMesh {
    std::string label;                 // the document's 8-bit text
    int position = 0;                  // in the document's list, from 0
    Color color1 = 0;
    bool colored = false;             // per-vertex colours (gradient mode)
    std::vector<double> positions;     // x, y, z of each vertex
    std::vector<Color> colors;       // one per vertex when coloured
    std::vector<uint32_t> triangles;   // three vertex indices each

    size_t VertexCount() const { return positions.size() / 3; }
    size_t TriangleCount() const { return triangles.size() / 3; }
    const double *Vertex(uint32_t index) const { return positions.data() + size_t(index) * 3; }
};

// The visible surfaces of a document, in list order.  Hidden functions are
// left out, and so are curves (no area) and functions whose grid could not
// be made: `notes` says which and why.  Surfaces with no cell inside the
// cube give no mesh.
struct SceneMesh {
    std::vector<FunctionMesh> functions;
    QStringList notes;

    size_t TriangleCount() const;
};

// Samples every visible function afresh, as the view does, and keeps the
// cells it would draw.  Triangles without area (two corners of a cell
// meeting, as at a sphere's poles) are dropped: they have no facet normal.
SceneMesh BuildSceneMesh(const CVeltrix2Doc &doc);

// The function's name for the text files: its label as UTF-8 with control
// characters replaced, or "function N" for an empty label.
QString MeshName(const FunctionMesh &mesh);
