#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "view3d/ContourLines.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/MeshSink.h"

namespace {

using Levels = std::vector<double>;

RecordingSink Contours(const TestFunction &f, ContourOptions options, double cube = 10)
{
    RecordingSink sink;
    EXPECT_TRUE(TessellateFunction(sink, f.Record(Gradient), cube, options).isEmpty());
    return sink;
}

} // namespace

TEST(ContourLevels, RoundNumbersStrictlyInsideTheRange)
{
    EXPECT_EQ(ContourLevels(-4, 4, 10), (Levels{-3, -2, -1, 0, 1, 2, 3}));
    EXPECT_EQ(ContourLevels(0, 10, 4), (Levels{2, 4, 6, 8}));
    EXPECT_EQ(ContourLevels(-4, 4, 1), (Levels{0}));
    const Levels tenths = ContourLevels(0, 1, 10);
    ASSERT_EQ(tenths.size(), 9u);
    EXPECT_DOUBLE_EQ(tenths.front(), 0.1);
    EXPECT_DOUBLE_EQ(tenths[6], 0.7);   // a multiple, not a sum of steps
    const Levels quarter = ContourLevels(0, 1, 3);   // 0.25 is round too
    EXPECT_EQ(quarter, (Levels{0.25, 0.5, 0.75}));
    const Levels large = ContourLevels(1200, 98000, 10);
    ASSERT_FALSE(large.empty());
    EXPECT_LE(large.size(), 10u);
    EXPECT_DOUBLE_EQ(large.front(), 10000);
    for (const auto &[low, high, count] : {std::tuple{1.0, 1.0, 10}, std::tuple{2.0, 1.0, 10},
                                           std::tuple{0.0, double(NAN), 10}, std::tuple{0.0, 1.0, 0}})
        EXPECT_TRUE(ContourLevels(low, high, count).empty()) << low << " " << high << " " << count;
}

// z = x y on [-2, 2]^2 ranges over [-4, 4]: levels -3 ... 3, whose pieces
// lie on the surface as drawn (bilinear cells split in two triangles) and,
// on the floor, right below them.
TEST(ContourLines, OfASaddleLieOnItAndBelowIt)
{
    TestFunction f("z(x,y)=x*y");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -2, 2, 40);
    f.SetRange("y", -2, 2, 40);
    const RecordingSink sink = Contours(f, {10, true});
    EXPECT_EQ(sink.levels, (Levels{-3, -2, -1, 0, 1, 2, 3}));
    size_t onSurface = 0, onFloor = 0;
    const double tolerance = 0.1 * 0.1 / 2;   // a cell's bilinear bend
    for (size_t k = 0; k < sink.contours.size(); ++k) {
        const ContourGeometry &c = sink.contours[k];
        if (c.onFloor) {
            ++onFloor;
            ASSERT_GT(k, 0u);
            const ContourGeometry &above = sink.contours[k - 1];
            for (int e = 0; e < 2; ++e) {
                EXPECT_DOUBLE_EQ(c.p[e].y, -5);
                EXPECT_DOUBLE_EQ(c.p[e].x, above.p[e].x);
                EXPECT_DOUBLE_EQ(c.p[e].z, above.p[e].z);
            }
            continue;
        }
        ++onSurface;
        for (const GLPoint &p : c.p) {
            EXPECT_NEAR(p.y, c.level, 1e-9);                 // at its level
            EXPECT_NEAR(p.y, p.x * p.z, tolerance) << c.level;   // on z = x y
        }
    }
    EXPECT_EQ(onSurface, onFloor);
    EXPECT_GT(onSurface, 7u * 40);
    // Every level is drawn.
    for (const double level : sink.levels)
        EXPECT_TRUE(std::any_of(sink.contours.begin(), sink.contours.end(),
                                [&](const ContourGeometry &c) { return c.level == level; }));
}

// Only graphs get contour lines, and only when asked; a graph cut by the
// cube takes its levels from the part drawn.
TEST(ContourLines, OnlyForGraphsAndFromWhatIsDrawn)
{
    TestFunction sphere("r(alpha,beta)=2");
    ASSERT_TRUE(sphere.ok());
    EXPECT_TRUE(Contours(sphere, {10, false}).contours.empty());
    TestFunction cylinder("rho(theta,z)=2");
    ASSERT_TRUE(cylinder.ok());
    EXPECT_TRUE(Contours(cylinder, {10, false}).contours.empty());
    // A cone over the polar plane: its levels are circles of radius 2 z.
    TestFunction cone("z(rho,theta)=rho/2");
    ASSERT_TRUE(cone.ok());
    const RecordingSink circles = Contours(cone, {4, false});
    EXPECT_EQ(circles.levels, (Levels{0.5, 1, 1.5, 2}));
    ASSERT_FALSE(circles.contours.empty());
    for (const ContourGeometry &c : circles.contours)
        for (const GLPoint &p : c.p) {
            EXPECT_NEAR(p.y, c.level, 1e-9);
            EXPECT_NEAR(std::hypot(p.x, p.z), 2 * c.level, 0.02) << c.level;
        }
    TestFunction steep("z(x,y)=3*x");
    ASSERT_TRUE(steep.ok());
    EXPECT_TRUE(Contours(steep, {}).contours.empty());
    const RecordingSink sink = Contours(steep, {4, false});
    // Values from -15 to 15; the cells inside the cube reach from -4.5 to 4.5.
    EXPECT_EQ(sink.levels, (Levels{-2.5, 0, 2.5}));
    TestFunction sideways("x(z,y)=z/2");
    ASSERT_TRUE(sideways.ok());
    for (const ContourGeometry &c : Contours(sideways, {3, true}).contours)
        if (c.onFloor) {
            EXPECT_DOUBLE_EQ(c.p[0].x, -5);   // x's floor is the cube's side
        }
}

// The view's mesh draws the lines over the faces: faces pushed back, the
// lines before the outlines they cross; lines on the floor are not the
// function's points.
TEST(ContourLines, MeshDrawsThemOverTheFaces)
{
    TestFunction f("z(x,y)=x*y/5");
    ASSERT_TRUE(f.ok());
    for (const int mode : {ChessBoard, Gradient}) {
        MeshSink sink(0x000000);
        TessellateFunction(sink, f.Record(mode, 0xFFFFFF, 0x0000FF), 10, {10, true});
        const RenderMesh mesh = sink.TakeMesh();
        ASSERT_GE(mesh.batches.size(), 3u);
        EXPECT_EQ(mesh.batches[0].primitive, MeshBatch::Triangles);
        EXPECT_TRUE(mesh.batches[0].pushedBack);
        EXPECT_EQ(mesh.batches[1].primitive, MeshBatch::Lines);
        EXPECT_FALSE(mesh.batches[1].unmarked);
        EXPECT_TRUE(mesh.batches.back().unmarked);
        EXPECT_EQ(sink.ContourLevels(), (Levels{-4, -3, -2, -1, 0, 1, 2, 3, 4}));
        if (mode == Gradient) {
            EXPECT_EQ(mesh.colors.size(), mesh.positions.size());
            // White to blue: black lines over the light low levels, white
            // over the dark high ones.
            const MeshBatch &lines = mesh.batches[1];
            ASSERT_TRUE(lines.pointColors);
            std::set<std::vector<float>> colors;
            for (const uint32_t k : lines.indices)
                colors.insert({mesh.colors[3 * k], mesh.colors[3 * k + 1], mesh.colors[3 * k + 2]});
            EXPECT_EQ(colors, (std::set<std::vector<float>>{{0, 0, 0}, {1, 1, 1}}));
        } else {
            EXPECT_EQ(mesh.batches[1].color, 0x000000u);   // over white faces
        }
    }
}
