// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "OffscreenScene.h"
#include "TestFunctions.h"
#include "view3d/FurnitureGeometry.h"
#include "view3d/OutlineThinning.h"
#include "view3d/Text3D.h"

namespace {

constexpr Color kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

void AddFunction(CVeltrix2Doc &doc, TestFunction &f, int mode, Color c1, Color c2)
{
    ASSERT_TRUE(f.ok());
    doc.Add(f.Record(mode, c1, c2));
    f.Release();
}

// A function on a 4 x 4 grid over [-5, 5] in x and y: cells 2.5 wide.
void AddCoarseFunction(CVeltrix2Doc &doc, const char *text, int mode, Color c1, Color c2)
{
    TestFunction f(text);
    f.SetRange("x", -5, 5, 4);
    f.SetRange("y", -5, 5, 4);
    AddFunction(doc, f, mode, c1, c2);
}

TEST(Render, ClearsToTheBackgroundColor)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    scene.settings().backgroundColor = MakeColor(32, 64, 96);
    const QImage image = scene.Render();
    EXPECT_EQ(CountColor(image, MakeColor(32, 64, 96)), image.width() * image.height());
}

TEST(Render, DefaultSceneHasBlackBackgroundAndCubeEdgesInCubeColor)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    QImage image = scene.Render();
    EXPECT_EQ(PixelColor(image, QPoint(2, 2)), 0u);
    EXPECT_GT(CountColor(image, kWhite), 500);

    scene.settings().cubeColor = MakeColor(255, 255, 0);
    scene.settings().showReferenceMarks = 0;
    scene.settings().showAxes = 0;
    image = scene.Render();
    // Points along the top front edge and a vertical edge, away from marks.
    for (double t : {-0.6, 0.1, 0.7}) {
        EXPECT_TRUE(HasColorNear(image, scene.Project(t * 5, 5, 5), MakeColor(255, 255, 0)))
            << "top edge at " << t;
        EXPECT_TRUE(HasColorNear(image, scene.Project(-5, t * 5, 5), MakeColor(255, 255, 0)))
            << "vertical edge at " << t;
    }
    EXPECT_EQ(PixelColor(image, scene.Project(0, 0, 0)), 0u);
}

TEST(Render, MarksNeedTheCubeAndAxesHaveTheirOwnColor)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    const Color cube = MakeColor(255, 255, 0), axes = MakeColor(0, 255, 255);
    scene.settings().cubeColor = cube;
    scene.settings().axesColor = axes;
    scene.settings().showReferenceMarks = 0;
    const int plainCube = CountColor(scene.Render(), cube);
    scene.settings().showReferenceMarks = 1;
    QImage image = scene.Render();
    EXPECT_GT(CountColor(image, cube), plainCube + 200) << "ticks and numbers";
    EXPECT_TRUE(HasColorNear(image, scene.Project(2.5, 0, 0), axes));
    EXPECT_TRUE(HasColorNear(image, scene.Project(0, 2.5, 0), axes));

    scene.settings().showCube = 0;
    image = scene.Render();
    EXPECT_EQ(CountColor(image, cube), 0) << "marks without the cube";
    EXPECT_GT(CountColor(image, axes), 100);
}

TEST(Render, ReferenceMarkTextsUseFourSignificantDigits)
{
    using Labels = std::array<std::string, 3>;
    EXPECT_EQ(ReferenceMarkLabels(10), (Labels{"-5.", "5.", "0"}));
    EXPECT_EQ(ReferenceMarkLabels(2.5), (Labels{"-1.25", "1.25", "0"}));
    EXPECT_EQ(ReferenceMarkLabels(0.1), (Labels{"-5.e-002", "5.e-002", "0"}));
}

TEST(Render, ChessBoardStartsWithTheSecondColor)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    AddCoarseFunction(scene.doc(), "z(x,y)=-1", ChessBoard, kRed, kBlue);
    const QImage image = scene.Render();
    // Cell (i, j) covers x in [-5 + 2.5 i, ...], y in [-5 + 2.5 j, ...].
    auto centre = [&](int i, int j) { return scene.Project(-3.75 + 2.5 * i, -1, -3.75 + 2.5 * j); };
    EXPECT_EQ(PixelColor(image, centre(0, 0)), kBlue);
    EXPECT_EQ(PixelColor(image, centre(1, 0)), kRed);
    EXPECT_EQ(PixelColor(image, centre(0, 1)), kRed);
    EXPECT_EQ(PixelColor(image, centre(3, 3)), kBlue);
}

TEST(Render, FilledPolygonsShowOutlinesInTheSecondColor)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    AddCoarseFunction(scene.doc(), "z(x,y)=0", FilledPolygons, kRed, kWhite);
    const QImage image = scene.Render();
    EXPECT_EQ(PixelColor(image, scene.Project(1.25, 0, 1.25)), kRed);
    EXPECT_TRUE(HasColorNear(image, scene.Project(0, 0, 1.3), kWhite)) << "edge between cells";
    EXPECT_TRUE(HasColorNear(image, scene.Project(-2.5, 0, -1.7), kWhite));
}

TEST(Render, GradientOfAConstantIsTheFirstColorAndRampsOtherwise)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    {
        TestFunction f("z(x,y)=2");
        AddFunction(scene.doc(), f, Gradient, kGreen, kBlue);
    }
    QImage image = scene.Render();
    const int inked = image.width() * image.height() - CountColor(image, 0);
    EXPECT_GT(inked, 2000);
    EXPECT_EQ(CountColor(image, kGreen), inked) << "every drawn pixel in color1";

    scene.doc().Clear();
    AddCoarseFunction(scene.doc(), "z(x,y)=x/2", Gradient, kGreen, kBlue);
    image = scene.Render();
    // Values from -2.5 to 2.5: the first and last columns' centres lie an
    // eighth of the way in from either colour.
    const QRgb low = image.pixel(scene.Project(-3.75, -1.875, 1.25));
    const QRgb high = image.pixel(scene.Project(3.75, 1.875, 1.25));
    EXPECT_NEAR(qGreen(low), 223, 12);
    EXPECT_NEAR(qBlue(low), 32, 12);
    EXPECT_NEAR(qBlue(high), 223, 12);
    EXPECT_NEAR(qGreen(high), 32, 12);
}

TEST(Render, HiddenFunctionsAreNotDrawn)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    TestFunction f("z(x,y)=0");
    ASSERT_TRUE(f.ok());
    FunctionRecord r = f.Record(FilledPolygons, kRed, kRed);
    r.visible = 0;
    scene.doc().Add(r);
    f.Release();
    EXPECT_EQ(CountColor(scene.Render(), kRed), 0);
}

TEST(Render, SphereInDegreesFillsTheMiddle)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    TestFunction f("r(alpha,beta)=5", 0);
    f.SetRange("alpha", 0, 360, 36);
    f.SetRange("beta", -90, 90, 18);
    AddFunction(scene.doc(), f, ChessBoard, kRed, kRed);
    const QImage image = scene.Render();
    EXPECT_EQ(PixelColor(image, scene.Project(0, 0, 0)), kRed);
    EXPECT_EQ(PixelColor(image, QPoint(2, 2)), 0u);
}

// The mean color of the pixels that `mask` marks as drawn (not black).
QColor MeanWhere(const QImage &image, const QImage &mask)
{
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((mask.pixel(x, y) & 0xFFFFFF) == 0)
                continue;
            const QRgb c = image.pixel(x, y);
            r += qRed(c), g += qGreen(c), b += qBlue(c);
            ++n;
        }
    }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

// A gradient surface outlines its cells in the background color: at 400
// steps, every grid line outlined would leave it nearly black.  Its outlines
// thin out with the cells' size on the picture, so it keeps the colors it
// has at 20 steps; in the view's lists and in the pictures drawn once alike.
TEST(Render, DenseGradientKeepsItsColors)
{
    OffscreenScene scene(600, 450);
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    // The surface's mean color, over the pixels it covers (its outlines
    // included: a white chess board shows them).
    auto meanColor = [&](int steps, bool once) {
        auto plot = [&](int mode, Color c1, Color c2) {
            scene.doc().Clear();
            TestFunction f("z(x,y)=cosx*siny");
            f.SetRange("x", -5, 5, steps);
            f.SetRange("y", -5, 5, steps);
            AddFunction(scene.doc(), f, mode, c1, c2);
            return once ? scene.RenderOnce() : scene.Render();
        };
        const QImage covered = plot(ChessBoard, kWhite, kWhite);
        return MeanWhere(plot(Gradient, 0xC04020, 0x40E0FF), covered);
    };
    const QColor designed = meanColor(20, false);
    // Lines 6 pixels apart and more (in depth) at 20 steps: the designed
    // outlines, on every grid line.
    double m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_TRUE(ChooseOutlineSpacing(scene.lists().entries.at(0).probe, MatrixProjection(m, 600, 450), 1).IsEveryLine());
    EXPECT_EQ(meanColor(20, true), designed);
    for (int steps : {150, 400}) {
        for (bool once : {false, true}) {
            const QColor mean = meanColor(steps, once);
            EXPECT_NEAR(mean.red(), designed.red(), 0.08 * designed.red()) << steps;
            EXPECT_NEAR(mean.green(), designed.green(), 0.08 * designed.green()) << steps;
            EXPECT_NEAR(mean.blue(), designed.blue(), 0.08 * designed.blue()) << steps;
        }
    }
}

// The spacing follows each frame, not the rebuild: coming closer to a fine
// surface brings back the outlines of the lines between those shown from
// afar, with no new sampling.
TEST(Render, OutlinesComeBackAsTheCameraComesCloser)
{
    OffscreenScene scene(600, 450);
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    TestFunction f("z(x,y)=0");
    f.SetRange("x", -5, 5, 400);
    f.SetRange("y", -5, 5, 400);
    AddFunction(scene.doc(), f, FilledPolygons, kRed, kWhite);
    Camera far;
    const QImage afar = scene.Render(far);
    Camera near = far;
    near.posY = 0.3;   // just above the plane z = 0 (GL Y)
    near.posZ = 0;
    near.pitch = -90;
    scene.renderer().RenderScene(scene.lists(), near);
    const QImage close = scene.Frame();
    auto share = [](const QImage &image, Color c) {
        const int drawn = image.width() * image.height() - CountColor(image, 0);
        return drawn ? double(CountColor(image, c)) / drawn : 0.0;
    };
    // From afar, lines a few line widths apart; from close by, every grid
    // line, tens of pixels apart: outlines show on the faces either way.
    EXPECT_GT(share(afar, kWhite), 0.05);
    EXPECT_LT(share(afar, kWhite), 0.35);
    EXPECT_GT(share(close, kWhite), 0.02);
    EXPECT_LT(share(close, kWhite), 0.35);
    EXPECT_EQ(scene.Render(near), close) << "as a rebuild for that camera draws it";
    const GridProbe &probe = scene.lists().entries.at(0).probe;
    ASSERT_FALSE(probe.IsEmpty());
    auto shift = [&](const Camera &camera) {
        scene.renderer().RenderScene(scene.lists(), camera);
        double m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        return ChooseOutlineSpacing(probe, MatrixProjection(m, 600, 450), 1).shift[0];
    };
    EXPECT_EQ(shift(near), 0);
    EXPECT_GT(shift(far), 0);
}

TEST(Text3D, LabelsFaceTheCameraWhateverItsAngles)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    const OutlineFont &font = scene.renderer().Font();
    ASSERT_TRUE(font.IsBuilt());
    EXPECT_GT(font.Metrics('(').blackBoxY, 0.8f);
    EXPECT_NEAR(font.Metrics('0').cellIncX, 0.556f, 0.01f);
    EXPECT_EQ(font.Metrics(0).blackBoxX, 0.0f);
    EXPECT_GT(font.Metrics(0x80).blackBoxX, 0.3f) << "the euro sign of code page 1252";
    EXPECT_FLOAT_EQ(float(font.TextWidth("-5.")),
                    font.Metrics('-').blackBoxX + font.Metrics('5').blackBoxX + font.Metrics('.').blackBoxX);

    // A camera 10 units from the origin sees the same glyph size from any
    // direction only if the glyph turns with it.
    std::vector<int> counts;
    for (auto [yaw, pitch] : {std::pair{0.0, 0.0}, {90.0, 0.0}, {35.0, 30.0}, {200.0, -50.0}}) {
        Camera c;
        c.yaw = yaw;
        c.pitch = pitch;
        const double a = yaw * M_PI / 180, p = pitch * M_PI / 180;
        c.posX = 10 * std::sin(a) * std::cos(p);
        c.posY = -10 * std::sin(p);
        c.posZ = 10 * std::cos(a) * std::cos(p);
        scene.Render(c);
        glColor3ub(255, 255, 255);
        DrawText3D(font, c, "H", -0.5, -0.5, 0, 2);
        counts.push_back(CountColor(scene.Frame(), kWhite));
    }
    EXPECT_GT(counts[0], 1000);
    for (int n : counts)
        EXPECT_NEAR(n, counts[0], counts[0] * 0.12);
}

} // namespace
