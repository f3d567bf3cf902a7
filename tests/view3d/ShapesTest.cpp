// Curves and surfaces given by three expressions, and the cylindrical forms:
// their samples against values computed here, their cells in the cube, the
// normals across a closed surface's seam, the trace cursor and the
// animation of their parameters.
#include <cmath>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "model/FunctionList.h"
#include "qel/qel.h"
#include "view3d/AnimationEngine.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/SampleGrid.h"
#include "view3d/SurfaceNormals.h"
#include "view3d/TraceCursor.h"

namespace {

constexpr double kTurn = 6.283185308;   // the ten-digit full turn of the defaults
const char *const kTorus = "(x,y,z)(u,v,a)=(cos(u)*(a+cos(v)), sin(u)*(a+cos(v)), sin(v))";

// The torus's point computed here, in GL coordinates (X = x, Y = z, Z = y).
GLPoint Torus(double u, double v, double a)
{
    return {std::cos(u) * (a + std::cos(v)), std::sin(v), std::sin(u) * (a + std::cos(v))};
}

void ExpectNear(const GLPoint &actual, const GLPoint &expected, double tolerance = 1e-12)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void SetValue(const TestFunction &f, const char *name, double value)
{
    VariableRecord v{name, 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(f.handle(), name, &v), 1);
    v.name = name;
    v.value = value;
    ASSERT_EQ(modify_function_variable(f.handle(), v), 1);
}

RecordingSink Emit(const TestFunction &f, double cube, int mode = WireFrame)
{
    RecordingSink sink;
    DrawSamples(sink, f.Record(mode), SampleGrid(f.text(), f.handle(), "f"), cube);
    return sink;
}

TEST(Shapes, TorusSamplesAreItsPointsAndItsHeightIsTheValue)
{
    TestFunction f(kTorus);
    ASSERT_TRUE(f.ok());
    f.SetRange("u", 0, kTurn, 4);
    f.SetRange("v", 0, kTurn, 6);
    SetValue(f, "a", 2);
    const SampleGridResult g = SampleGrid(f.text(), f.handle());
    ASSERT_TRUE(g.Usable());
    ASSERT_EQ(g.kind, KindSurface);
    ASSERT_EQ(g.count1, 5u);
    ASSERT_EQ(g.count2, 7u);
    ASSERT_EQ(g.points.size(), 35u);
    for (uint32_t i = 0; i < g.count1; ++i)
        for (uint32_t j = 0; j < g.count2; ++j) {
            const GLPoint expected = Torus(i * kTurn / 4, j * kTurn / 6, 2);
            ExpectNear(g.Point(i, j, 1), expected);
            EXPECT_DOUBLE_EQ(g.At(i, j), expected.y);
        }
    // A few points exactly: the outer equator, a quarter turn on, the top.
    ExpectNear(g.Point(0, 0, 1), {3, 0, 0});
    ExpectNear(g.Point(1, 0, 1), {0, 0, 3}, 1e-8);
    ExpectNear(g.Point(2, 3, 1), {-1, 0, 0}, 1e-8);

    // Every cell lies in a cube of edge 10, and its corners are the samples.
    const RecordingSink sink = Emit(f, 10);
    ASSERT_EQ(sink.cells.size(), 24u);
    const CellGeometry &c = sink.cells[7];
    ExpectNear(c.p[2], g.Point(c.i + 1, c.j + 1, 1));
    EXPECT_EQ(c.value[2], g.At(c.i + 1, c.j + 1));
}

TEST(Shapes, CylindricalFormsMapRhoThetaAndZ)
{
    const double pi = 3.141592654;
    {
        TestFunction f("rho(theta,z)=2", QEL_DEGREES);
        ASSERT_TRUE(f.ok());
        f.SetRange("theta", 0, 360, 4);
        f.SetRange("z", -1, 1, 2);
        const SampleGridResult g = SampleGrid(f.text(), f.handle());
        const double k = AngleFactor(g.angleMode);
        EXPECT_DOUBLE_EQ(k, pi / 180);
        ExpectNear(g.Point(0, 0, k), {2, -1, 0});
        ExpectNear(g.Point(1, 2, k), {2 * std::cos(pi / 2), 1, 2 * std::sin(pi / 2)});
        ExpectNear(g.Point(2, 1, k), {2 * std::cos(pi), 0, 2 * std::sin(pi)});
        EXPECT_EQ(Emit(f, 10).cells.size(), 8u);
    }
    {
        TestFunction f("theta(rho,z)=30*rho", QEL_DEGREES);
        ASSERT_TRUE(f.ok());
        f.SetRange("rho", 0, 2, 2);
        f.SetRange("z", 0, 3, 1);
        const SampleGridResult g = SampleGrid(f.text(), f.handle());
        const double k = AngleFactor(g.angleMode);
        ExpectNear(g.Point(1, 1, k), {std::cos(pi / 6), 3, std::sin(pi / 6)});
        ExpectNear(g.Point(2, 0, k), {2 * std::cos(pi / 3), 0, 2 * std::sin(pi / 3)});
    }
    {
        TestFunction f("z(rho,theta)=rho/2");
        ASSERT_TRUE(f.ok());
        f.SetRange("rho", 0, 4, 4);
        f.SetRange("theta", 0, kTurn, 4);
        const SampleGridResult g = SampleGrid(f.text(), f.handle());
        ExpectNear(g.Point(4, 1, 1), {4 * std::cos(kTurn / 4), 2, 4 * std::sin(kTurn / 4)});
        EXPECT_EQ(g.At(4, 1), 2);
    }
}

TEST(Shapes, SpaceCurvesAreSegmentsAlongT)
{
    TestFunction f("(x,y,z)(t)=(cos(t), sin(t), t/5)");
    ASSERT_TRUE(f.ok());
    f.SetRange("t", 0, 20, 8);
    const RecordingSink sink = Emit(f, 10, Gradient);
    EXPECT_TRUE(sink.cells.empty());
    ASSERT_EQ(sink.segments.size(), 8u);
    for (size_t k = 0; k < 8; ++k) {
        const double t0 = 20.0 * k / 8, t1 = 20.0 * (k + 1) / 8;
        ExpectNear(sink.segments[k].p[0], {std::cos(t0), t0 / 5, std::sin(t0)});
        ExpectNear(sink.segments[k].p[1], {std::cos(t1), t1 / 5, std::sin(t1)});
        EXPECT_DOUBLE_EQ(sink.segments[k].value[1], t1 / 5) << "coloured by height";
    }
    // The gradient's range is the curve's heights.
    EXPECT_EQ(sink.low, 0);
    EXPECT_EQ(sink.high, 4);

    // Points out of the cube end the segments that reach them, as for any
    // curve: t/5 passes 2.5 at t = 12.5.
    EXPECT_EQ(Emit(f, 5).segments.size(), 5u);
}

// Cells with any corner outside the cube are left out, as for every surface:
// a torus of outer radius 4 + 1 in cubes of edge 9 and 12.
TEST(Shapes, SurfacesAreClippedToTheCubeCellByCell)
{
    TestFunction f(kTorus);
    ASSERT_TRUE(f.ok());
    f.SetRange("u", 0, kTurn, 16);
    f.SetRange("v", 0, kTurn, 8);
    SetValue(f, "a", 4);
    EXPECT_EQ(Emit(f, 12).cells.size(), 128u);
    const SampleGridResult g = SampleGrid(f.text(), f.handle());
    size_t inside = 0;
    for (uint32_t i = 0; i < 16; ++i)
        for (uint32_t j = 0; j < 8; ++j) {
            bool all = true;
            for (auto [di, dj] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}})
                all = all && InsideCube(9, g.Point(i + di, j + dj, 1));
            inside += all;
        }
    const RecordingSink clipped = Emit(f, 9);
    EXPECT_EQ(clipped.cells.size(), inside);
    EXPECT_GT(inside, 0u);
    EXPECT_LT(inside, 128u);
    for (const CellGeometry &c : clipped.cells)
        for (const GLPoint &p : c.p)
            EXPECT_TRUE(InsideCube(9, p));
    // The gradient's range is clamped to the cube as for heights.
    EXPECT_EQ(clipped.high, 1);
}

// Where a closed surface's first and last rows meet, the normals are taken
// across the seam: the torus's are the directions from its tube's centre,
// the same on both sides of the seam.
TEST(Shapes, NormalsAcrossTheSeamsOfAClosedSurface)
{
    TestFunction f(kTorus);
    ASSERT_TRUE(f.ok());
    f.SetRange("u", 0, kTurn, 8);
    f.SetRange("v", 0, kTurn, 8);
    SetValue(f, "a", 2);
    const SampleGridResult g = SampleGrid(f.text(), f.handle());
    std::vector<GLPoint> points(g.points);
    EXPECT_TRUE(RowsMeet(points, 9, 9, 9, 1));
    EXPECT_TRUE(RowsMeet(points, 9, 9, 1, 9));
    const std::vector<GLPoint> normals = GridNormals(points, 9, 9);
    for (uint32_t i = 0; i < 9; ++i)
        for (uint32_t j = 0; j < 9; ++j) {
            const double u = i * kTurn / 8, v = j * kTurn / 8;
            const GLPoint radial{std::cos(u) * std::cos(v), std::sin(v), std::sin(u) * std::cos(v)};
            const GLPoint &n = normals[i * 9 + j];
            const double along = std::abs(n.x * radial.x + n.y * radial.y + n.z * radial.z);
            EXPECT_NEAR(along, 1, 1e-9) << i << ", " << j;
        }

    // Half a torus is open: its ends are differenced on one side only.
    f.SetRange("u", 0, kTurn / 2, 8);
    const SampleGridResult half = SampleGrid(f.text(), f.handle());
    EXPECT_FALSE(RowsMeet(half.points, 9, 9, 9, 1));
    EXPECT_TRUE(RowsMeet(half.points, 9, 9, 1, 9));
}

// The cursor walks the grid of u and v and stands on the surface's point;
// the status bar's value is the point's height.
TEST(Shapes, TraceWalksTheParametersGridOnTheSurface)
{
    TestFunction f(kTorus);
    ASSERT_TRUE(f.ok());
    f.SetRange("u", 0, kTurn, 4);
    f.SetRange("v", 0, kTurn, 8);
    SetValue(f, "a", 2);
    TraceState state;
    state.on = true;
    state.handle = f.handle();
    state.index1 = 1;
    state.index2 = 2;
    TracePlacement p = PlaceTraceCursor(f.Record(), state);
    const GLPoint expected = Torus(kTurn / 4, kTurn / 4, 2);
    ExpectNear(p.point, expected);
    EXPECT_DOUBLE_EQ(p.reading.value, expected.y);
    EXPECT_DOUBLE_EQ(p.reading.x, expected.x);
    EXPECT_DOUBLE_EQ(p.reading.y, expected.z);
    EXPECT_DOUBLE_EQ(p.reading.z, expected.y);
    VariableRecord v{"v", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(f.handle(), "v", &v), 1);
    EXPECT_DOUBLE_EQ(v.value, kTurn / 4) << "the traced point is the variables' value";

    state.index1 = 99;
    state.index2 = -3;
    p = PlaceTraceCursor(f.Record(), state);
    EXPECT_EQ(state.index1, 4);
    EXPECT_EQ(state.index2, 0);
    ExpectNear(p.point, Torus(kTurn, 0, 2));
}

// Only the names that are not drawn over move: the torus's radius a, never
// u and v; each position is the surface of that radius.
TEST(Shapes, AnimationSweepsTheParametersOfASurface)
{
    class Clock : public AnimationClock {
    public:
        void Start(uint32_t) override { running = true; }
        void Stop() override { running = false; }
        bool IsRunning() const override { return running; }
        bool running = false;
    } clock;
    TestFunction f(kTorus);
    ASSERT_TRUE(f.ok());
    f.SetRange("u", 0, kTurn, 4);
    f.SetRange("v", 0, kTurn, 4);
    f.SetRange("a", 1, 3, 2);
    FunctionList list;
    list.Append(f.Record());
    AnimationEngine engine(clock);
    std::vector<double> outer;
    engine.onApplied = [&](int32_t) {
        outer.push_back(SampleGrid(f.text(), f.handle()).Point(0, 0, 1).x);
        engine.FrameShown();
    };
    ASSERT_TRUE(engine.Start(list, f.handle(), 50));
    ASSERT_EQ(engine.Parameters().size(), 1u);
    EXPECT_EQ(engine.Variables()[engine.Parameters()[0].variable].name, "a");
    EXPECT_EQ(engine.Positions(), 3u);
    for (int k = 0; k < 3; ++k)
        engine.Tick();
    EXPECT_EQ(outer, (std::vector<double>{2, 3, 4, 2})) << "a = 1, 2, 3 and round again";
}

} // namespace
