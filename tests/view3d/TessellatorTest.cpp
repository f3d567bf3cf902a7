#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "qel/qel.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/GradientColor.h"
#include "view3d/SampleGrid.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

RecordingSink Emit(const TestFunction &f, double cube = 10, int mode = WireFrame)
{
    RecordingSink sink;
    const SampleGridResult grid = SampleGrid(f.text(), f.handle(), "f");
    DrawSamples(sink, f.Record(mode), grid, cube);
    return sink;
}

TEST(Tessellator, SurfaceCellsInGridOrderWithSwappedAxes)
{
    TestFunction f("z(x,y)=x/2+y/4");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -5, 5, 20);
    f.SetRange("y", -5, 5, 20);
    const SampleGridResult grid = SampleGrid(f.text(), f.handle());
    ASSERT_TRUE(grid.Usable());
    EXPECT_EQ(grid.count1, 21u);
    EXPECT_EQ(grid.count2, 21u);

    const RecordingSink sink = Emit(f);
    ASSERT_EQ(sink.cells.size(), 400u);
    EXPECT_EQ(sink.begins, 1);
    EXPECT_EQ(sink.ends, 1);
    // First plotted variable outer, second inner; X = x, Y = value, Z = y.
    const CellGeometry &c = sink.cells[1];
    EXPECT_EQ(c.i, 0u);
    EXPECT_EQ(c.j, 1u);
    EXPECT_DOUBLE_EQ(c.p[0].x, -5);
    EXPECT_DOUBLE_EQ(c.p[0].z, -4.5);
    EXPECT_DOUBLE_EQ(c.p[0].y, -5 / 2.0 + -4.5 / 4);
    EXPECT_DOUBLE_EQ(c.p[1].x, -4.5);   // P1 = (i+1, j)
    EXPECT_DOUBLE_EQ(c.p[3].z, -4.0);   // P3 = (i, j+1)
    EXPECT_DOUBLE_EQ(c.value[2], -4.5 / 2 + -4.0 / 4);
    EXPECT_EQ(sink.cells.back().i, 19u);
    EXPECT_EQ(sink.cells.back().j, 19u);
}

// The user's values of the plotted variables are what Evaluate answers for
// and what the document saves: sampling must leave them as they were.
TEST(Tessellator, SamplingKeepsTheCurrentValuesOfThePlottedVariables)
{
    TestFunction f("z(x,y,a)=x*y+a");
    ASSERT_TRUE(f.ok());
    for (auto [name, value] : {std::pair{"x", 1.5}, std::pair{"y", -2.0}, std::pair{"a", 0.25}}) {
        VariableRecord v{name, 0, 0, 0, 0};
        ASSERT_EQ(get_function_variable(f.handle(), name, &v), 1);
        v.name = name;
        v.value = value;
        modify_function_variable(f.handle(), v);
    }
    const SampleGridResult grid = SampleGrid(f.text(), f.handle());
    ASSERT_TRUE(grid.Usable());
    EXPECT_DOUBLE_EQ(grid.At(grid.count1 - 1, grid.count2 - 1), 5 * 5 + 0.25);

    double evaluated = 0;
    execute_function(f.handle(), nullptr, &evaluated);
    EXPECT_DOUBLE_EQ(evaluated, 1.5 * -2.0 + 0.25);
    VariableRecord x{}, y{};
    get_function_variable(f.handle(), "x", &x);
    get_function_variable(f.handle(), "y", &y);
    EXPECT_EQ(x.value, 1.5);
    EXPECT_EQ(y.value, -2.0);
    EXPECT_EQ(x.min, -5);
    EXPECT_EQ(x.steps, 20);
}

TEST(Tessellator, CartesianKindsPutTheValueOnItsOwnAxis)
{
    TestFunction fx("x(z,y)=1");
    TestFunction fy("y(x,z)=2");
    ASSERT_TRUE(fx.ok() && fy.ok());
    const RecordingSink sx = Emit(fx), sy = Emit(fy);
    ASSERT_FALSE(sx.cells.empty());
    ASSERT_FALSE(sy.cells.empty());
    for (const GLPoint &p : sx.cells[0].p)
        EXPECT_DOUBLE_EQ(p.x, 1);
    for (const GLPoint &p : sy.cells[0].p)
        EXPECT_DOUBLE_EQ(p.z, 2);   // user y is GL Z
}

TEST(Tessellator, CellsTouchingTheOutsideOrDomainErrorsAreSkippedWhole)
{
    TestFunction f("z(x,y)=ln(x)");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -5, 5, 10);
    f.SetRange("y", -5, 5, 10);
    const RecordingSink sink = Emit(f);
    // Columns with x <= 0 are not numbers; ln(x) > 5 never happens here.
    ASSERT_FALSE(sink.cells.empty());
    for (const CellGeometry &c : sink.cells)
        for (const GLPoint &p : c.p)
            EXPECT_GT(p.x, 0);
    EXPECT_EQ(sink.cells.size(), 40u);   // x in [1, 5]: 4 columns of 10 cells

    TestFunction steep("z(x,y)=x*x");
    ASSERT_TRUE(steep.ok());
    steep.SetRange("x", -5, 5, 10);
    steep.SetRange("y", -5, 5, 10);
    for (const CellGeometry &c : Emit(steep).cells)
        for (const GLPoint &p : c.p)
            EXPECT_LE(p.y, 5);
}

TEST(Tessellator, CurvesGiveCountMinusOneSegmentsAlongThePresentVariable)
{
    TestFunction alongX("z(x)=sin(x)");
    ASSERT_TRUE(alongX.ok());
    alongX.SetRange("x", -5, 5, 20);
    RecordingSink sink = Emit(alongX, 10, FilledPolygons);
    EXPECT_TRUE(sink.cells.empty());
    ASSERT_EQ(sink.segments.size(), 20u);
    EXPECT_DOUBLE_EQ(sink.segments[0].p[0].x, -5);
    EXPECT_DOUBLE_EQ(sink.segments[0].p[0].z, 0);   // absent y
    EXPECT_DOUBLE_EQ(sink.segments[0].p[1].x, -4.5);
    EXPECT_DOUBLE_EQ(sink.segments[0].p[1].y, std::sin(-4.5));

    TestFunction alongY("z(y)=y/2");
    ASSERT_TRUE(alongY.ok());
    alongY.SetRange("y", -5, 5, 7);
    sink = Emit(alongY);
    ASSERT_EQ(sink.segments.size(), 7u);
    EXPECT_DOUBLE_EQ(sink.segments.back().p[1].z, 5);
    EXPECT_DOUBLE_EQ(sink.segments.back().p[1].x, 0);
}

TEST(Tessellator, SphereInDegreesIsClippedToTheCube)
{
    TestFunction f("r(alpha,beta)=5", 0);
    ASSERT_TRUE(f.ok());
    f.SetRange("alpha", 0, 360, 36);
    f.SetRange("beta", -90, 90, 18);
    const RecordingSink whole = Emit(f, 10);
    EXPECT_EQ(whole.cells.size(), 36u * 18u);
    bool sawPlusY = false;
    for (const CellGeometry &c : whole.cells)
        for (const GLPoint &p : c.p) {
            EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 5, 1e-9);
            // alpha 90, beta 0 is the user's +y axis: GL (0, 0, 5).
            sawPlusY |= std::fabs(p.z - 5) < 1e-6 && std::fabs(p.x) < 1e-6;
        }
    EXPECT_TRUE(sawPlusY);

    const RecordingSink clipped = Emit(f, 8);
    EXPECT_GT(clipped.cells.size(), 0u);
    EXPECT_LT(clipped.cells.size(), whole.cells.size());
    for (const CellGeometry &c : clipped.cells)
        for (const GLPoint &p : c.p)
            EXPECT_TRUE(std::fabs(p.x) <= 4 && std::fabs(p.y) <= 4 && std::fabs(p.z) <= 4);
}

TEST(Tessellator, UnusableGridsDrawNothingAndSayWhy)
{
    TestFunction f("z(x,y)=x+y");
    ASSERT_TRUE(f.ok());
    f.SetRange("y", -5, 5, 20);
    for (int32_t steps : {0, -3}) {
        f.SetRange("x", -5, 5, steps);
        const SampleGridResult grid = SampleGrid(f.text(), f.handle(), "waves");
        EXPECT_EQ(grid.status, SampleGridResult::BadSteps);
        EXPECT_TRUE(grid.problem.contains("\"waves\""));
        EXPECT_TRUE(grid.problem.contains("\"x\""));
        const RecordingSink sink = Emit(f);
        EXPECT_TRUE(sink.cells.empty());
        EXPECT_TRUE(sink.segments.empty());
    }
    f.SetRange("x", -5, 5, 5000000);
    const SampleGridResult huge = SampleGrid(f.text(), f.handle(), "waves");
    EXPECT_EQ(huge.status, SampleGridResult::TooLarge);
    EXPECT_TRUE(huge.grid.empty());
    EXPECT_TRUE(Emit(f).cells.empty());

    // The largest grid that is allowed still draws.
    f.SetRange("x", -5, 5, 1023);
    f.SetRange("y", -5, 5, 1023);
    const SampleGridResult largest = SampleGrid(f.text(), f.handle(), "waves");
    EXPECT_TRUE(largest.Usable());
    EXPECT_EQ(largest.grid.size(), size_t(1) << 20);
}

TEST(GradientRange, ClampsCartesianKindsToTheCubeAndRadiiToItsDiagonal)
{
    SampleGridResult g;
    g.kind = KindZ;
    g.grid = {1, 9, -7};
    GradientRange r = ComputeGradientRange(g, 10);
    EXPECT_EQ(r.low, -5);
    EXPECT_EQ(r.high, 5);
    g.kind = KindR;
    r = ComputeGradientRange(g, 10);
    EXPECT_DOUBLE_EQ(r.high, std::sqrt(75.0));
    EXPECT_EQ(r.low, -7);
    g.kind = KindAlpha;
    r = ComputeGradientRange(g, 10);
    EXPECT_EQ(r.low, -7);
    EXPECT_EQ(r.high, 9);
}

TEST(GradientRange, FollowsIeeeComparisonsForSamplesThatAreNotNumbers)
{
    SampleGridResult g;
    g.kind = KindAlpha;   // no clamping
    g.grid = {1, kNaN, 2};
    GradientRange r = ComputeGradientRange(g, 10);
    EXPECT_EQ(r.low, 2) << "the sample after a NaN low replaces it, even upwards";
    EXPECT_EQ(r.high, 2);
    g.grid = {1, 2, kNaN};
    r = ComputeGradientRange(g, 10);
    EXPECT_TRUE(std::isnan(r.low));
    EXPECT_EQ(r.high, 2);
    g.grid = {kNaN, 3, 4};
    r = ComputeGradientRange(g, 10);
    EXPECT_TRUE(std::isnan(r.high)) << "a first sample that is not a number stays high";
    EXPECT_EQ(r.low, 3) << "3 replaces the NaN low, 4 does not replace 3";
    g.kind = KindZ;
    r = ComputeGradientRange(g, 10);
    EXPECT_EQ(r.high, 5);
}

TEST(GradientColor, InterpolatesChannelsAndFallsBackToTheFirstColor)
{
    const Color c1 = MakeColor(0, 100, 200), c2 = MakeColor(200, 0, 100);
    EXPECT_EQ(GradientColor(0, 10, 0, c1, c2), c1);
    EXPECT_EQ(GradientColor(0, 10, 10, c1, c2), c2);
    EXPECT_EQ(GradientColor(0, 10, 5, c1, c2), MakeColor(100, 50, 150));
    EXPECT_EQ(GradientColor(0, 10, 2.5, c1, c2), MakeColor(50, 75, 175));   // truncated
    EXPECT_EQ(GradientColor(3, 3, 7, c1, c2), c1);
    EXPECT_EQ(GradientColor(kNaN, 3, 7, c1, c2), c1);
    EXPECT_EQ(GradientColor(0, kNaN, 7, c1, c2), c1);
    // Beyond the range the channels wrap in their low 8 bits.
    EXPECT_EQ(ColorRed(GradientColor(0, 10, 20, c1, c2)), 400 & 0xFF);
    EXPECT_EQ(ColorGreen(GradientColor(0, 10, 20, c1, c2)), (-100) & 0xFF);
    EXPECT_EQ(GradientColor(0, 10, kNaN, c1, c2), MakeColor(0, 0, 0));
}

TEST(InsideCube, BoundsAreInclusiveAndNaNFails)
{
    EXPECT_TRUE(InsideCube(10, 5, -5, 0));
    EXPECT_FALSE(InsideCube(10, 5.0000001, 0, 0));
    EXPECT_FALSE(InsideCube(10, 0, kNaN, 0));
    EXPECT_FALSE(InsideCube(10, 0, 0, std::numeric_limits<double>::infinity()));
}

} // namespace
