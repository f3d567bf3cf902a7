// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/ViewSettings.h"
#include "view3d/OutlineThinning.h"

// Geometry ready for drawing: every point once, with index lists that name
// the points of triangles and line segments.  Batches are drawn in order,
// each in one color or in its points' colors.  The view keeps a function's
// mesh until the function changes and draws it from these arrays every
// frame; a picture, a printed page or an animation position draws it once.
struct MeshBatch {
    enum Primitive : uint8_t { Triangles,
                               Lines };
    Primitive primitive = Triangles;
    bool pointColors = false;   // else `color` for the whole batch
    // Filled faces pushed back by the polygon offset, so that outlines drawn
    // on them stay in front (and marked so in the stencil, SceneStencil.h).
    bool pushedBack = false;
    bool lit = false;            // drawn with lighting, from the normals
    // Not the function's own points (contour lines on the floor): left out
    // of the function's mark in the stencil.
    bool unmarked = false;
    // Outlines of one family of grid lines at one level, left out at a
    // coarser spacing (OutlineThinning.h); by default drawn always.
    OutlineClass outline;
    Color color = 0;
    std::vector<uint32_t> indices;   // 3 per triangle, 2 per segment

    size_t PrimitiveCount() const { return indices.size() / (primitive == Triangles ? 3 : 2); }
};

// An 8-bit color's red, green and blue as GL turns them into floats.
inline std::array<float, 3> ColorFloats(Color c)
{
    return {float(ColorRed(c)) / 255.0f, float(ColorGreen(c)) / 255.0f, float(ColorBlue(c)) / 255.0f};
}

struct RenderMesh {
    std::vector<float> positions;     // x, y, z per point (GL coordinates)
    // Red, green, blue per point (0 to 1), when a batch uses them: as floats,
    // the very values a display list keeps of 8-bit colors, so that a mesh
    // drawn directly and one replayed from a list give the same pixels.
    std::vector<float> colors;
    std::vector<float> normals;       // x, y, z per point, when a batch is lit
    std::vector<MeshBatch> batches;
    // A surface's lattice, which tells the spacing of its outlines on a
    // picture; empty for a curve.
    GridProbe probe;

    size_t PointCount() const { return positions.size() / 3; }
    bool IsEmpty() const;
    // Memory the arrays take.
    size_t Bytes() const;
};
