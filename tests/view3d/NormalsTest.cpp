// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "view3d/Camera.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/SampleGrid.h"
#include "view3d/SceneLighting.h"
#include "view3d/SurfaceNormals.h"

namespace {

// A recording sink that asks for the corners' normals.
class NormalSink : public RecordingSink {
public:
    bool WantsNormals() const override { return true; }
};

NormalSink EmitWithNormals(const TestFunction &f, double cube = 10)
{
    NormalSink sink;
    DrawSamples(sink, f.Record(FilledPolygons), SampleGrid(f.text(), f.handle(), "f"), cube);
    return sink;
}

double Dot(const GLPoint &a, const GLPoint &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

double Length(const GLPoint &a)
{
    return std::sqrt(Dot(a, a));
}

// z = x*y is linear along each grid direction, so central and one-sided
// differences alike give its exact normal, edges included: along x the
// tangent is (1, y, 0) and along y (0, x, 1) in GL coordinates.  Every
// corner's normal points to the same side as its neighbours'.
TEST(SurfaceNormals, CartesianNormalsAreExactForABilinearSurface)
{
    TestFunction f("z(x,y)=x*y/4");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -2, 2, 8);
    f.SetRange("y", -2, 2, 8);
    const NormalSink sink = EmitWithNormals(f);
    ASSERT_EQ(sink.cells.size(), 64u);
    for (const CellGeometry &c : sink.cells) {
        for (int k = 0; k < 4; ++k) {
            const double x = c.p[k].x, y = c.p[k].z;
            const GLPoint exact{y / 4, -1, x / 4};
            EXPECT_NEAR(Length(c.normal[k]), 1, 1e-12);
            EXPECT_NEAR(Dot(c.normal[k], exact) / Length(exact), 1, 1e-12)
                << "cell " << c.i << "," << c.j << " corner " << k;
        }
    }
}

// On a sphere every normal lies along the radius, all on the same side of
// the surface, also at the poles, where the grid's points along alpha meet
// (up to a ring some 1e-10 wide, turned inside out by the rounded right
// angle) and the face decides.
TEST(SurfaceNormals, SphericalNormalsLieAlongTheRadiusOnOneSide)
{
    const struct {
        int angleMode;
        double turn, right;
    } units[] = {{0, 360, 90}, {1, 6.283185308, 1.570796327}};
    for (const auto &unit : units) {
        TestFunction f("r(alpha,beta)=4", unit.angleMode);
        ASSERT_TRUE(f.ok());
        f.SetRange("alpha", 0, unit.turn, 24);
        f.SetRange("beta", -unit.right, unit.right, 12);
        const NormalSink sink = EmitWithNormals(f);
        ASSERT_EQ(sink.cells.size(), 24u * 12u);
        const double side = Dot(sink.cells[0].normal[0], sink.cells[0].p[0]) > 0 ? 1 : -1;
        double worst = 1;
        int turned = 0;
        for (const CellGeometry &c : sink.cells) {
            for (int k = 0; k < 4; ++k) {
                const double along = side * Dot(c.normal[k], c.p[k]) / Length(c.p[k]);
                turned += along < 0;
                worst = std::min(worst, along);
            }
        }
        EXPECT_EQ(turned, 0) << "angle mode " << unit.angleMode;
        // The grid is coarse (15 degrees): a difference across two steps
        // still lies within a few degrees of the true tangent plane.
        EXPECT_GT(worst, 0.98) << "angle mode " << unit.angleMode;
    }
}

TEST(SurfaceNormals, PointsWithoutFiniteNeighboursGetNone)
{
    const double inf = INFINITY;
    // A 2 x 3 grid whose middle column is not finite.
    const std::vector<GLPoint> points = {{0, 0, 0}, {inf, 0, 0}, {2, 0, 0}, {0, 0, 1}, {inf, 0, 1}, {2, 0, 1}};
    const std::vector<GLPoint> normals = GridNormals(points, 2, 3);
    EXPECT_TRUE(IsZero(normals[1])) << "a point that is not finite";
    EXPECT_TRUE(IsZero(normals[0])) << "only one direction left";
    const GLPoint flat[4] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}};
    EXPECT_NEAR(std::fabs(FaceNormal(flat).y), 1, 1e-15);
    const GLPoint line[4] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
    EXPECT_TRUE(IsZero(FaceNormal(line)));
}

TEST(SceneLighting, TheLightComesFromBehindTheEyeAndTurnsWithIt)
{
    Camera camera;
    for (double yaw : {0.0, 15.0, 100.0, -170.0}) {
        for (double pitch : {-60.0, -20.0, 0.0, 45.0}) {
            camera.yaw = yaw;
            camera.pitch = pitch;
            const GLPoint light = HeadlightDirection(camera);
            const Direction sight = LineOfSight(camera);
            EXPECT_NEAR(Length(light), 1, 1e-12);
            // Always the same angle from the line of sight, on the eye's side.
            EXPECT_NEAR(-Dot(light, {sight.x, sight.y, sight.z}), 1 / std::sqrt(0.35 * 0.35 + 0.45 * 0.45 + 1),
                        1e-12)
                << yaw << " " << pitch;
            // Above the line of sight, and to its left.
            EXPECT_GT(light.y, -std::sin(pitch * kDegree));
        }
    }
    // Level, the line of sight is where a step forward goes.
    camera = Camera();
    camera.pitch = 0;
    const Direction sight = LineOfSight(camera);
    const Camera before = camera;
    MoveCamera(camera, CameraMove::Forward, 1);
    EXPECT_NEAR(camera.posX - before.posX, sight.x, 1e-12);
    EXPECT_NEAR(camera.posZ - before.posZ, sight.z, 1e-12);
}

} // namespace
