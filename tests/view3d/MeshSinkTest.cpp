// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Meshes of sampled functions: shared points, the batches of each mode, and
// the pieces they are drawn in.
#include <algorithm>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "view3d/GradientColor.h"
#include "view3d/MeshDrawing.h"
#include "view3d/MeshSink.h"
#include "view3d/SampleGrid.h"

namespace {

RenderMesh MeshOf(const TestFunction &f, int mode, double cube = 10, bool shaded = false,
                  Color background = 0x123456)
{
    MeshSink sink(background, shaded);
    DrawSamples(sink, f.Record(mode, 0x0000FF, 0xFF0000), SampleGrid(f.text(), f.handle()), cube);
    return sink.TakeMesh();
}

GLPoint PointAt(const RenderMesh &m, uint32_t k)
{
    return {m.positions[k * 3], m.positions[k * 3 + 1], m.positions[k * 3 + 2]};
}

// The batches after the faces: the outlines, by grid line.
std::vector<MeshBatch> Outlines(const RenderMesh &m)
{
    return std::vector<MeshBatch>(m.batches.begin() + 1, m.batches.end());
}

size_t Primitives(const std::vector<MeshBatch> &batches)
{
    size_t n = 0;
    for (const MeshBatch &b : batches)
        n += b.PrimitiveCount();
    return n;
}

// A 3 x 2 cell surface: z = x + 10 y over x in [0, 3], y in [0, 2].
class MeshOfGrid : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(f.ok());
        f.SetRange("x", 0, 3, 3);
        f.SetRange("y", 0, 2, 2);
    }
    TestFunction f{"z(x,y)=x+10*y"};
};

TEST_F(MeshOfGrid, GradientSharesEveryGridPointAndOutlinesEachCell)
{
    const RenderMesh m = MeshOf(f, Gradient, 100);
    EXPECT_EQ(m.PointCount(), 12u) << "4 x 3 samples, each once";
    ASSERT_GE(m.batches.size(), 2u);
    const MeshBatch &faces = m.batches[0];
    EXPECT_EQ(faces.primitive, MeshBatch::Triangles);
    EXPECT_TRUE(faces.pointColors);
    EXPECT_TRUE(faces.pushedBack);
    EXPECT_EQ(faces.PrimitiveCount(), 12u);
    EXPECT_EQ(faces.outline.family, -1) << "faces are drawn at every spacing";
    for (const MeshBatch &outlines : Outlines(m)) {
        EXPECT_EQ(outlines.primitive, MeshBatch::Lines);
        EXPECT_FALSE(outlines.pointColors);
        EXPECT_EQ(outlines.color, Color(0x123456)) << "outlines in the background color";
        // Each batch holds the edges on the grid lines of one family and
        // level: lines of constant i lie at x = i here, those of constant j
        // at y = j (GL Z).
        ASSERT_GE(outlines.outline.family, 0);
        auto line = [&](uint32_t k) {
            const GLPoint p = PointAt(m, k);
            return outlines.outline.family == LinesOfConstantI ? p.x : p.z;
        };
        for (size_t k = 0; k < outlines.indices.size(); k += 2) {
            const double index = line(outlines.indices[k]);
            EXPECT_EQ(index, line(outlines.indices[k + 1])) << "both ends on the line";
            EXPECT_EQ(GridLineLevel(uint32_t(index)), outlines.outline.level);
        }
    }
    EXPECT_EQ(Primitives(Outlines(m)), 24u) << "four edges a cell, shared edges twice";

    // The first cell (i = 0, j = 0): P0 (0, 0), P1 (1, 0), P2 (1, 1), P3 (0, 1),
    // as triangles P0 P1 P3 and P1 P2 P3, and edges P0P1 P1P2 P2P3 P3P0.
    auto x = [&](uint32_t k) { return PointAt(m, k).x; };
    auto y = [&](uint32_t k) { return PointAt(m, k).z; };
    const std::vector<uint32_t> &t = faces.indices;
    EXPECT_EQ(std::vector<double>({x(t[0]), y(t[0]), x(t[1]), y(t[1]), x(t[2]), y(t[2])}),
              std::vector<double>({0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(std::vector<double>({x(t[3]), y(t[3]), x(t[4]), y(t[4]), x(t[5]), y(t[5])}),
              std::vector<double>({1, 0, 1, 1, 0, 1}));
    // Its edges, each in the batch of its grid line.
    std::vector<std::pair<uint32_t, uint32_t>> edges;
    for (const MeshBatch &b : Outlines(m))
        for (size_t k = 0; k < b.indices.size(); k += 2)
            edges.emplace_back(b.indices[k], b.indices[k + 1]);
    for (const auto &edge : std::vector<std::pair<uint32_t, uint32_t>>{{t[0], t[1]}, {t[1], t[4]}, {t[4], t[2]}, {t[2], t[0]}})
        EXPECT_NE(std::find(edges.begin(), edges.end(), edge), edges.end());

    // Each point's color is its value's gradient color, as GL makes floats
    // of 8-bit channels.
    ASSERT_EQ(m.colors.size(), 3 * m.PointCount());
    for (uint32_t k = 0; k < m.PointCount(); ++k) {
        const GLPoint p = PointAt(m, k);
        const Color c = GradientColor(0, 23, p.y, 0x0000FF, 0xFF0000);
        EXPECT_EQ(m.colors[k * 3], float(ColorRed(c)) / 255.0f);
        EXPECT_EQ(m.colors[k * 3 + 2], float(ColorBlue(c)) / 255.0f);
    }
}

TEST_F(MeshOfGrid, CellsOutsideTheCubeLeaveTheirPointsOut)
{
    // Cube of edge 30: values above 15 (the row y = 2) are outside.
    const RenderMesh m = MeshOf(f, FilledPolygons, 30);
    EXPECT_EQ(m.PointCount(), 8u) << "only the points of the cells of the first row";
    ASSERT_GE(m.batches.size(), 2u);
    EXPECT_EQ(m.batches[0].PrimitiveCount(), 6u);
    EXPECT_EQ(Primitives(Outlines(m)), 12u);
    for (const MeshBatch &b : m.batches)
        for (const uint32_t k : b.indices)
            EXPECT_LE(PointAt(m, k).y, 15);
}

TEST_F(MeshOfGrid, EachModeHasItsBatches)
{
    const RenderMesh wire = MeshOf(f, WireFrame, 100);
    ASSERT_EQ(wire.batches.size(), 1u);
    EXPECT_EQ(wire.batches[0].primitive, MeshBatch::Lines);
    EXPECT_EQ(wire.batches[0].color, Color(0x0000FF));
    EXPECT_TRUE(wire.colors.empty());

    EXPECT_EQ(wire.batches[0].outline.family, -1) << "a wire frame is never thinned";

    const RenderMesh filled = MeshOf(f, FilledPolygons, 100);
    ASSERT_GE(filled.batches.size(), 2u);
    EXPECT_EQ(filled.batches[0].color, Color(0x0000FF));
    EXPECT_TRUE(filled.batches[0].pushedBack);
    EXPECT_FALSE(filled.batches[0].pointColors);
    for (const MeshBatch &b : Outlines(filled))
        EXPECT_EQ(b.color, Color(0xFF0000)) << "outlines in color2";

    // The chess board: cells of two colors never share a point, and are
    // drawn in cell order in one batch, without outlines or offset.
    const RenderMesh chess = MeshOf(f, ChessBoard, 100);
    ASSERT_EQ(chess.batches.size(), 1u);
    EXPECT_EQ(chess.PointCount(), 24u);
    EXPECT_FALSE(chess.batches[0].pushedBack);
    EXPECT_TRUE(chess.batches[0].pointColors);
    auto red = [&](size_t cell) { return chess.colors[chess.batches[0].indices[cell * 6] * 3]; };
    EXPECT_EQ(red(0), 0.0f) << "cell (0, 0) has color2";
    EXPECT_EQ(red(1), 1.0f) << "cell (0, 1) has color1";

    EXPECT_TRUE(MeshOf(f, 7, 100).IsEmpty()) << "an unknown mode draws no cell";
}

TEST_F(MeshOfGrid, ShadedFacesCarryNormalsAndOutlinesStayUnlit)
{
    const RenderMesh m = MeshOf(f, Gradient, 100, true);
    EXPECT_EQ(m.normals.size(), m.positions.size());
    EXPECT_TRUE(m.batches[0].lit);
    for (const MeshBatch &b : Outlines(m))
        EXPECT_FALSE(b.lit);
    EXPECT_TRUE(MeshOf(f, Gradient, 100, false).normals.empty());
}

// A corner whose two cells want different normals is a point per normal.
TEST(MeshSink, APointWithTwoNormalsIsTwoPoints)
{
    TestFunction f("z(x,y)=0");
    MeshSink sink(0, true);
    sink.BeginFunction(f.Record(FilledPolygons), 0, 0);
    sink.BeginGrid(3, 2, GridProbe());
    CellGeometry c;
    c.p[0] = {0, 0, 0}, c.p[1] = {1, 0, 0}, c.p[2] = {1, 0, 1}, c.p[3] = {0, 0, 1};
    for (GLPoint &n : c.normal)
        n = {0, 1, 0};
    sink.Cell(c);
    c.i = 1;
    c.p[0] = {1, 0, 0}, c.p[1] = {2, 0, 0}, c.p[2] = {2, 0, 1}, c.p[3] = {1, 0, 1};
    c.normal[0] = {1, 0, 0};   // the shared corner (1, 0), another normal
    sink.Cell(c);
    sink.EndFunction();
    const RenderMesh m = sink.TakeMesh();
    EXPECT_EQ(m.PointCount(), 7u) << "six grid points, one of them twice";
    const std::vector<uint32_t> &t = m.batches[0].indices;
    EXPECT_EQ(t[6 + 0], 4u) << "the second cell's P0 is a new point";
    EXPECT_EQ(t[1], 1u) << "the first cell keeps the grid point";
    EXPECT_EQ(t[6 + 5], 2u) << "its P3, the first cell's P2, is shared";
}

TEST(MeshSink, CurvesAreSegmentsWithGradientEnds)
{
    TestFunction f("z(x)=x");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -2, 2, 4);
    const RenderMesh m = MeshOf(f, Gradient);
    ASSERT_EQ(m.batches.size(), 1u);
    EXPECT_EQ(m.batches[0].primitive, MeshBatch::Lines);
    EXPECT_EQ(m.batches[0].PrimitiveCount(), 4u);
    EXPECT_TRUE(m.batches[0].pointColors);
    EXPECT_EQ(m.colors.size(), 3 * m.PointCount());
    EXPECT_FALSE(MeshOf(f, FilledPolygons).batches[0].pointColors);
}

TEST(MeshPieces, CoverTheBatchesInOrderInBoundedPieces)
{
    RenderMesh m;
    m.positions.assign(3 * 50, 0);
    MeshBatch faces;
    for (uint32_t k = 0; k < 3 * 7; ++k)
        faces.indices.push_back((k * 7) % 50);
    MeshBatch lines;
    lines.primitive = MeshBatch::Lines;
    for (uint32_t k = 0; k < 2 * 5; ++k)
        lines.indices.push_back(49 - k);
    m.batches = {faces, lines};

    const std::vector<MeshPiece> pieces = MeshPieces(m, 3);
    ASSERT_EQ(pieces.size(), 4u) << "12 primitives, 3 a piece";
    std::vector<std::vector<uint32_t>> seen(2);
    for (const MeshPiece &piece : pieces) {
        size_t primitives = 0;
        for (const MeshSpan &s : piece) {
            const std::vector<uint32_t> &from = m.batches[s.batch].indices;
            const auto first = from.begin() + ptrdiff_t(s.first), last = first + ptrdiff_t(s.count);
            seen[s.batch].insert(seen[s.batch].end(), first, last);
            EXPECT_EQ(s.lowest, *std::min_element(first, last));
            EXPECT_EQ(s.highest, *std::max_element(first, last));
            primitives += s.count / (s.batch == 0 ? 3 : 2);
        }
        EXPECT_LE(primitives, 3u);
    }
    EXPECT_EQ(seen[0], faces.indices);
    EXPECT_EQ(seen[1], lines.indices);
    EXPECT_EQ(MeshPieces(m, SIZE_MAX).size(), 1u);
    EXPECT_TRUE(MeshPieces(RenderMesh()).empty());

    // Cut for lists, outlines of another class start a piece, so that a list
    // compiled from a piece is left out or drawn whole; drawn directly, the
    // pieces end only when full.
    m.batches[1].outline = OutlineClass{LinesOfConstantJ, 2};
    EXPECT_EQ(MeshPieces(m, SIZE_MAX).size(), 1u);
    const std::vector<MeshPiece> classed = MeshPieces(m, SIZE_MAX, PieceEnds::WhenFullOrOutlinesChange);
    ASSERT_EQ(classed.size(), 2u);
    EXPECT_EQ(PieceOutline(m, classed[0]).family, -1);
    EXPECT_EQ(PieceOutline(m, classed[1]), (OutlineClass{LinesOfConstantJ, 2}));
}

} // namespace
