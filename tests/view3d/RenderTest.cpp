#include <cmath>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "OffscreenScene.h"
#include "TestFunctions.h"
#include "view3d/FurnitureGeometry.h"
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
