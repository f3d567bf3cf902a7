#include <cmath>
#include <set>

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "OffscreenScene.h"
#include "TestFunctions.h"
#include "view3d/ColorLegend.h"
#include "view3d/FramebufferFunctions.h"
#include "view3d/GlyphOutlines.h"
#include "view3d/MultisampleTarget.h"

namespace {

constexpr Color kOrange = 0x0078F0, kBlue = 0xFF0000;   // (240, 120, 0) and (0, 0, 255)

int32_t AddFunction(CVeltrix2Doc &doc, const char *text, int mode, Color c1, Color c2,
                    double min = -5, double max = 5, int steps = 20, const char *label = "f",
                    const char *first = "x", const char *second = "y")
{
    TestFunction f(text);
    EXPECT_TRUE(f.ok());
    f.SetRange(first, min, max, steps);
    f.SetRange(second, min, max, steps);
    FunctionRecord r = f.Record(mode, c1, c2);
    r.label = label;
    doc.Add(r);
    return f.Release();
}

// Equal to a few steps of the bar's colour ramp.
bool Close(Color a, Color b)
{
    return std::abs(ColorRed(a) - ColorRed(b)) <= 8 && std::abs(ColorGreen(a) - ColorGreen(b)) <= 8 &&
           std::abs(ColorBlue(a) - ColorBlue(b)) <= 8;
}

// Brightness levels of `colour` in the image: pixels whose channels are
// the colour's scaled by one factor (to the rounding of 8 bits).
std::set<int> Brightnesses(const QImage &image, Color color)
{
    std::set<int> levels;
    const double r = ColorRed(color), g = ColorGreen(color);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < 40 || qBlue(p) != 0)
                continue;
            const double k = qRed(p) / r;
            if (std::fabs(qGreen(p) - k * g) <= 1.5)
                levels.insert(qRed(p));
        }
    }
    return levels;
}

TEST(Shading, LightsFilledModesInTheirOwnColorsAndLeavesLinesUnlit)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    AddFunction(scene.doc(), "z(x,y)=4*cosx*cosy", FilledPolygons, kOrange, kBlue, -3, 3, 24);

    const QImage flat = scene.Render();
    EXPECT_EQ(Brightnesses(flat, kOrange), std::set<int>{240}) << "flat colours by default";

    RenderOptions shaded;
    shaded.shadedSurfaces = true;
    scene.renderer().SetOptions(shaded);
    const QImage lit = scene.Render();
    const std::set<int> levels = Brightnesses(lit, kOrange);
    EXPECT_GE(levels.size(), 10u) << "a curved surface shows many brightnesses of its colour";
    EXPECT_GT(CountColor(lit, kBlue), 500) << "the outlines keep their own colour, unlit";

    // Chess board and gradient faces are lit as well; wire frames are not.
    for (int mode : {ChessBoard, Gradient, WireFrame}) {
        FunctionRecord r = scene.doc().Get(0);
        r.mode = mode;
        r.color2 = kOrange;
        scene.doc().Update(0, r);
        const size_t count = Brightnesses(scene.Render(), kOrange).size();
        if (mode == WireFrame)
            EXPECT_EQ(count, 1u);
        else
            EXPECT_GE(count, 10u) << "mode " << mode;
    }
}

// The legend shows the range the gradient used: the extremes of x*y on
// [-2, 2]^2, and on [-5, 5]^2 the cube's limits instead of +-25.
TEST(Legend, ListsVisibleGradientFunctionsWithTheRangeTheirColorsUsed)
{
    OffscreenScene scene(600, 400);
    ASSERT_TRUE(scene.ok());
    AddFunction(scene.doc(), "z(x,y)=x*y", Gradient, kBlue, kOrange, -2, 2, 10, "small");
    AddFunction(scene.doc(), "z(x,y)=x*y", FilledPolygons, kBlue, kOrange, -2, 2, 10, "filled");
    AddFunction(scene.doc(), "z(x,y)=x*y", Gradient, kBlue, kOrange, -5, 5, 10, "clamped");
    AddFunction(scene.doc(), "z(x,y)=x*y", Gradient, kBlue, kOrange, -5, 5, 10, "hidden");
    FunctionRecord hidden = scene.doc().Get(3);
    hidden.visible = false;
    scene.doc().Update(3, hidden);
    scene.Render();

    const std::vector<LegendEntry> legend = scene.renderer().Legend(scene.lists());
    ASSERT_EQ(legend.size(), 2u);
    EXPECT_EQ(legend[0].label, "small");
    EXPECT_EQ(legend[0].low, -4.0);
    EXPECT_EQ(legend[0].high, 4.0);
    EXPECT_EQ(LegendNumber(legend[0].low), "-4.");
    EXPECT_EQ(LegendNumber(legend[0].high), "4.");
    EXPECT_EQ(legend[1].label, "clamped");
    EXPECT_EQ(legend[1].low, -5.0);
    EXPECT_EQ(legend[1].high, 5.0);
    EXPECT_EQ(LegendNumber(0.123456), "0.1235");
    EXPECT_EQ(LegendNumber(-1.5e-7), "-1.5e-007");
}

// Drawn by the renderer over the scene, in the lower right corner: the bar
// runs from color1 at the low end to color2 at the high end, the texts are
// white on black.  Off, nothing of it is drawn.
TEST(Legend, DrawsTheBarsInTheCornerOnlyWhenAskedFor)
{
    OffscreenScene scene(600, 400);
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    AddFunction(scene.doc(), "z(x,y)=x*y", Gradient, kBlue, kOrange, -2, 2, 10, "Wave");
    const QImage without = scene.Render();
    RenderOptions options;
    options.colorLegend = true;
    scene.renderer().SetOptions(options);
    const QImage with = scene.Render();

    const LegendLayout layout = LayOutLegend(1, 600, 400);
    ASSERT_EQ(layout.shown, 1);
    const int barY = 400 - 1 - int(layout.BarBottom(0) + layout.barHeight / 2);
    const QPoint lowEnd(int(layout.left) + 2, barY), highEnd(int(layout.right) - 3, barY);
    EXPECT_TRUE(Close(PixelColor(with, lowEnd), kBlue));
    EXPECT_TRUE(Close(PixelColor(with, highEnd), kOrange));
    EXPECT_EQ(PixelColor(without, lowEnd), 0u);
    // Label and numbers: white pixels inside the legend's panel only.
    const QRect panel(int(layout.left), 400 - int(layout.top), int(layout.right - layout.left),
                      int(layout.top) - 20);
    EXPECT_GT(CountColor(with.copy(panel), 0xFFFFFF), 100);
    EXPECT_EQ(CountColor(without, 0xFFFFFF), 0);
}

// Pixels that differ between two frames of one size.
QRect ChangedBox(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

int CountChangedIn(const QImage &a, const QImage &b, const QRect &box)
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// With the cube's numbers and the axis letters in the designed lower right
// corner, the legend moves to a corner where it hides none of them; with
// them elsewhere it stays where it was designed to be.
TEST(Legend, KeepsClearOfTheNumbersAndLetters)
{
    OffscreenScene scene(600, 400);
    ASSERT_TRUE(scene.ok());
    AddFunction(scene.doc(), "z(x,y)=x*y/8", Gradient, kBlue, kOrange, -2, 2, 10, "Wave");
    RenderOptions options;
    options.colorLegend = true;
    // Where the legend lies by design: the same without the furniture.
    scene.HideFurniture();
    const QImage empty = scene.Render();
    scene.renderer().SetOptions(options);
    const QRect designed = ChangedBox(empty, scene.Render());
    scene.settings().showCube = scene.settings().showReferenceMarks = scene.settings().showAxes = 1;
    Camera aside;   // the cube further right and lower
    aside.posX = -1, aside.posY = 9;
    for (const Camera &camera : {Camera(), aside}) {
        const double x = camera.posX;
        // The texts alone: an empty stipple hides every line, the glyphs
        // are triangles.
        scene.renderer().SetOptions(RenderOptions());
        const QImage plain = scene.Render(camera);
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(1, 0);
        const QImage texts = scene.Render(camera);
        scene.settings().showReferenceMarks = 0;
        scene.settings().axisLabelX = scene.settings().axisLabelY = scene.settings().axisLabelZ = "";
        const QImage bare = scene.Render(camera);
        glDisable(GL_LINE_STIPPLE);
        scene.settings().showReferenceMarks = 1;
        scene.settings().axisLabelX = "x", scene.settings().axisLabelY = "y", scene.settings().axisLabelZ = "z";
        scene.renderer().SetOptions(options);
        const QImage with = scene.Render(camera);

        const QRect legend = ChangedBox(plain, with);
        ASSERT_FALSE(legend.isEmpty()) << "camera at x " << x;
        EXPECT_EQ(CountChangedIn(texts, bare, legend), 0) << "camera at x " << x << ": legend at " << legend.x() << ","
                                                          << legend.y();
        const bool textsInCorner = CountChangedIn(texts, bare, designed) > 0;
        EXPECT_EQ(textsInCorner, x == aside.posX) << "the texts lie in that corner only seen from aside";
        EXPECT_EQ(designed.contains(legend), !textsInCorner) << "camera at x " << x;
    }
}

// How far along the user's z one unit of a 24-bit depth buffer reaches at
// pixel (x, y) of the last frame (GL window coordinates).
double DepthUnitInZ(int x, int y)
{
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat depth = 0;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    double z[2];
    for (int k = 0; k < 2; ++k) {
        GLdouble gx, gy, gz;
        gluUnProject(x + 0.5, y + 0.5, depth + k / 16777216.0, model, projection, viewport, &gx, &gy, &gz);
        z[k] = gy;
    }
    return std::fabs(z[1] - z[0]);
}

// The read-back: what shows at a pixel, from depth and stencil.
TEST(ScenePoints, ReadTheFunctionAndPointShownAtAPixel)
{
    OffscreenScene scene(400, 300);
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    const int32_t plane = AddFunction(scene.doc(), "z(x,y)=0", FilledPolygons, kOrange, kBlue, -4, 4, 8);
    const int32_t wall =
        AddFunction(scene.doc(), "y(x,z)=2", ChessBoard, kBlue, kBlue, -4, 4, 8, "wall", "x", "z");
    scene.Render();

    // GL (1.5, 0, 2.5) is the user's (1.5, 2.5, 0): amid a face of the
    // plane, before the wall.
    const QPoint onPlane = scene.Project(1.5, 0, 2.5);
    const int px = onPlane.x(), py = 299 - onPlane.y();
    std::optional<ScenePoint> p = scene.renderer().PointAt(Camera(), px, py);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->handle, plane);
    // One pixel is about 0.05 units across there; z only has the depth
    // buffer's error.
    EXPECT_NEAR(p->x, 1.5, 0.1);
    EXPECT_NEAR(p->y, 2.5, 0.1);
    // Filled faces lie behind the surface by the polygon offset that keeps
    // outlines in front (0.05 here); the read-out takes it off again.
    const double unit = DepthUnitInZ(px, py);
    EXPECT_NEAR(p->z, 0, 3 * unit) << "units: " << p->z / unit;

    const QPoint onWall = scene.Project(0, 2, 2);
    p = scene.renderer().PointAt(Camera(), onWall.x(), 299 - onWall.y());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->handle, wall);
    EXPECT_NEAR(p->y, 2, 1e-3);

    EXPECT_FALSE(scene.renderer().PointAt(Camera(), 2, 297)) << "paper";
    EXPECT_FALSE(scene.renderer().PointAt(Camera(), -1, 10)) << "outside the frame";

    // The furniture in front of a function hides it.
    scene.settings().showAxes = 1;
    scene.Render();
    const QPoint axis = scene.Project(0, 0, 3.5);
    bool onAxis = false;
    for (int dx = -1; dx <= 1 && !onAxis; ++dx)
        onAxis = !scene.renderer().PointAt(Camera(), axis.x() + dx, 299 - axis.y());
    EXPECT_TRUE(onAxis) << "the y axis lies on the plane and is drawn after it";
}

} // namespace

namespace {

// A multisampled framebuffer never takes more memory than allowed, even
// where the driver gives more samples than asked (llvmpipe gives 4 for 2).
TEST(Multisampling, StaysWithinItsBudget)
{
    OffscreenScene scene(400, 300);
    ASSERT_TRUE(scene.ok());
    QOpenGLContext *context = QOpenGLContext::currentContext();
    FramebufferFunctions functions;
    ASSERT_TRUE(functions.Load([context](const char *name) { return context->getProcAddress(name); }));
    MultisampleTarget target(functions);
    ASSERT_TRUE(target.Prepare(400, 300, 4));
    EXPECT_GE(target.Samples(), 2);
    const double budget = 8.0 * 400 * 300 * 2;
    if (target.Prepare(400, 300, 2, budget))
        EXPECT_LE(target.Samples() * 8.0 * 400 * 300, budget);
    else
        EXPECT_EQ(target.Samples(), 0);
    // Made or given up, the scene's own framebuffer stays the one drawn into.
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(GLuint(bound), scene.FramebufferId());
    EXPECT_FALSE(target.Prepare(0, 300, 4));
    target.Release();
}

} // namespace

namespace {

// A frame drawn once, straight from the samples, is the frame drawn from
// lists built for it: every mode, a hidden function, the trace cursor,
// shading and the legend.
TEST(DrawnOnce, IsTheFrameOfTheLists)
{
    OffscreenScene scene(360, 280);
    ASSERT_TRUE(scene.ok());
    CVeltrix2Doc &doc = scene.doc();
    AddFunction(doc, "z(x,y)=cosx*siny", Gradient, kOrange, kBlue, -5, 5, 12, "wave");
    AddFunction(doc, "z(x,y)=(x^2-y^2)/8", ChessBoard, kOrange, kBlue, -5, 5, 10, "saddle");
    AddFunction(doc, "z(x,y)=2+x/4", FilledPolygons, kBlue, kOrange, -5, 5, 6, "plane");
    AddFunction(doc, "z(x,y)=-2", WireFrame, kOrange, kBlue, -5, 5, 6, "floor");
    const int32_t hidden = AddFunction(doc, "z(x,y)=x*y/5", Gradient, kBlue, kOrange, -5, 5, 8, "hidden");
    FunctionRecord record = doc.Get(doc.Find(hidden));
    record.visible = 0;
    doc.Update(doc.Find(hidden), record);
    TraceState trace;
    trace.on = true;
    trace.handle = doc.Get(0).handle;
    trace.index1 = 4;
    trace.index2 = 7;
    for (const RenderOptions &options : {RenderOptions{}, RenderOptions{false, true, true, {10, true}}}) {
        scene.renderer().SetOptions(options);
        scene.renderer().SetTrace(trace);
        const QImage lists = scene.Render();
        scene.renderer().SetTrace(trace);
        EXPECT_EQ(scene.RenderOnce(), lists) << options.shadedSurfaces;
    }
}

} // namespace

TEST(ContourLines, LegendMarksTheLevelsOnTheBar)
{
    const GlyphOutlines metrics;
    LegendEntry e{"f", -4, 4, 0xFF0000, 0x0000FF, {-3, 0, 3, 9}};
    const LegendDrawing d = ComposeLegend({e}, metrics, 800, 600, 0);
    ASSERT_EQ(d.items.size(), 1u);
    const LegendDrawing::Item &item = d.items.front();
    ASSERT_EQ(item.markX.size(), 3u);   // 9 lies beyond the bar
    const double width = item.barRight - item.barLeft;
    EXPECT_NEAR(item.markX[0], item.barLeft + width / 8, 1e-9);
    EXPECT_NEAR(item.markX[1], item.barLeft + width / 2, 1e-9);
    // A legend that gives way to what it would cover takes its marks along.
    const LegendDrawing moved = ComposeLegend({e}, metrics, 800, 600, 0, {ScreenRect{0, 0, 800, 600}, ScreenRect{400, 0, 800, 300}});
    ASSERT_EQ(moved.items.size(), 1u);
    const LegendDrawing::Item &there = moved.items.front();
    ASSERT_TRUE(there.barLeft != item.barLeft || there.barBottom != item.barBottom) << "did not move";
    ASSERT_EQ(there.markX.size(), 3u);
    EXPECT_NEAR(there.markX[1], (there.barLeft + there.barRight) / 2, 1e-9);
}
