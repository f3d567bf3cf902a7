#include <cmath>

#include <gtest/gtest.h>

#include "OffscreenScene.h"
#include "TestFunctions.h"
#include "qel/qel.h"

namespace {

constexpr Color kGreen = 0x00FF00;

double Value(int32_t handle, const char *name)
{
    VariableRecord v{name, 0, 0, 0, 0};
    get_function_variable(handle, name, &v);
    return v.value;
}

int32_t AddTo(CVeltrix2Doc &doc, TestFunction &f, int mode = WireFrame, Color c1 = 0xFFFFFF)
{
    EXPECT_TRUE(f.ok());
    doc.Add(f.Record(mode, c1));
    return f.Release();
}

TEST(TraceCursor, StandsOnTheGridPointOfItsClampedIndicesAndReadsTheFunctionThere)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    TestFunction wave("z(x,y)=cosx*siny");   // x and y in [-5, 5], 20 steps
    const int32_t h = AddTo(scene.doc(), wave);

    scene.renderer().SetTrace({true, h, 10, 20});
    scene.Render();
    ASSERT_TRUE(scene.Reading());
    const TraceReading r = *scene.Reading();
    EXPECT_EQ(r.handle, h);
    EXPECT_EQ(r.x, 0.0);
    EXPECT_EQ(r.y, 5.0);
    EXPECT_NEAR(r.z, std::cos(0.0) * std::sin(5.0), 1e-12);
    EXPECT_EQ(r.value, r.z);
    EXPECT_EQ(Value(h, "x"), 0.0) << "the traced point is the variables' current value";
    EXPECT_EQ(Value(h, "y"), 5.0);

    scene.renderer().SetTrace({true, h, -1, 25});
    scene.Render();
    EXPECT_EQ(scene.renderer().Trace().index1, 0) << "clamped and kept";
    EXPECT_EQ(scene.renderer().Trace().index2, 20);
    EXPECT_EQ(scene.Reading()->x, -5.0);
    EXPECT_EQ(scene.Reading()->y, 5.0);

    // A variable without steps has no grid to walk: it stays at its
    // minimum instead of becoming min + 0 * (range / 0).
    modify_function_variable(h, VariableRecord{"y", 0, -2, 3, 0});
    scene.renderer().SetTrace({true, h, 4, 7});
    scene.Render();
    ASSERT_TRUE(scene.Reading());
    EXPECT_EQ(scene.Reading()->y, -2.0);
    EXPECT_EQ(Value(h, "y"), -2.0);
    EXPECT_EQ(scene.renderer().Trace().index2, 0);
}

TEST(TraceCursor, SphericalFunctionsReadInTheirAngleUnitAndUserCoordinates)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    TestFunction ball("r(alpha,beta)=2", QEL_DEGREES);   // alpha 0..360, beta -90..90
    ball.SetRange("alpha", 0, 360, 4);
    ball.SetRange("beta", -90, 90, 2);
    const int32_t h = AddTo(scene.doc(), ball);
    scene.renderer().SetTrace({true, h, 1, 1});   // alpha 90 degrees, beta 0
    scene.Render();
    ASSERT_TRUE(scene.Reading());
    EXPECT_EQ(scene.Reading()->value, 2.0);
    EXPECT_NEAR(scene.Reading()->x, 0, 1e-8);
    EXPECT_NEAR(scene.Reading()->y, 2, 1e-8) << "a quarter turn from x towards y";
    EXPECT_NEAR(scene.Reading()->z, 0, 1e-8);
}

// A small plate drawn in the background colour, so that only the cursor
// shows; the cursor stands at its middle, GL point (0, 1, 0).
class CursorShape : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scene.ok());
        scene.HideFurniture();
        scene.settings().cursorColor = kGreen;
        TestFunction plate("z(x,y)=1");
        plate.SetRange("x", -1, 1, 2);
        plate.SetRange("y", -1, 1, 2);
        handle = AddTo(scene.doc(), plate, WireFrame, 0);
        scene.renderer().SetTrace({true, handle, 1, 1});
    }
    bool GreenAt(const QImage &image, double x, double y, double z) const
    {
        return HasColorNear(image, scene.Project(x, y, z), kGreen, 1);
    }

    OffscreenScene scene;
    int32_t handle = -1;
};

TEST_F(CursorShape, TheCrossSpansTheWholeCubeThroughThePoint)
{
    scene.settings().cursorKind = CrossCursor;
    const QImage image = scene.Render();
    for (double t : {-4.6, -2.5, 3.0, 4.6}) {
        EXPECT_TRUE(GreenAt(image, 0, t, 0)) << "vertical at " << t;
        EXPECT_TRUE(GreenAt(image, 0, 1, t)) << "along the user's y at " << t;
        EXPECT_TRUE(GreenAt(image, t, 1, 0)) << "along x at " << t;
    }
    EXPECT_FALSE(GreenAt(image, 0, 6, 0)) << "not beyond the cube";
    EXPECT_FALSE(GreenAt(image, 6.5, 1, 0));
}

TEST_F(CursorShape, TheSphereSitsOnThePointAndNothingIsDrawnOutsideTheCube)
{
    scene.settings().cursorKind = SphereCursor;
    QImage image = scene.Render();
    EXPECT_TRUE(GreenAt(image, 0, 1, 0));
    EXPECT_FALSE(GreenAt(image, 0, 3, 0));

    scene.settings().cursorKind = 7;
    EXPECT_EQ(CountColor(scene.Render(), kGreen), 0) << "an unknown kind draws nothing";

    scene.settings().cursorKind = SphereCursor;
    scene.settings().cubeDimension = 1.5;   // the point (Y = 1) lies above it
    image = scene.Render();
    EXPECT_EQ(CountColor(image, kGreen), 0);
    ASSERT_TRUE(scene.Reading()) << "still read";
    EXPECT_EQ(scene.Reading()->value, 1.0);
}

TEST_F(CursorShape, AHiddenTracedFunctionDrawsNothingAndReadsNothing)
{
    FunctionRecord hidden = scene.doc().Get(0);
    hidden.visible = 0;
    scene.doc().Update(0, hidden);
    EXPECT_EQ(CountColor(scene.Render(), kGreen), 0);
    EXPECT_FALSE(scene.Reading());
    // A frame without rebuilding: only the cursor could touch the variables.
    modify_function_variable(handle, VariableRecord{"x", 0.5, -1, 1, 2});
    EXPECT_FALSE(scene.renderer().RenderScene(scene.lists(), Camera()));
    EXPECT_EQ(Value(handle, "x"), 0.5) << "the variables are left alone";
}

} // namespace
