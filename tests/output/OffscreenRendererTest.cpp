#include <gtest/gtest.h>

#include "BlendedPixels.h"
#include "OutputTestSupport.h"
#include "output/OffscreenRenderer.h"
#include "view3d/MultisampleTarget.h"
#include "view3d/SceneState.h"

namespace {

int CountColor(const QImage &image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// Renders the scene of a document straight at the camera's default pose.
class OffscreenRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Settings().backgroundColor = MakeColor(32, 64, 96);
        doc.Settings().cubeColor = MakeColor(255, 255, 0);
        scene.doc = &doc;
        scene.width = 400;
        scene.height = 300;
    }

    CVeltrix2Doc doc;
    SceneState scene;
};

// Runs with no X server at all (the test's environment has no DISPLAY).
TEST_F(OffscreenRendererTest, DrawsTheSceneWithoutAnyDisplay)
{
    ASSERT_TRUE(qEnvironmentVariableIsEmpty("DISPLAY"));
    ASSERT_TRUE(AddPlot(doc, {"sheet", "z(x,y)=0", FilledPolygons, -4, 4, 8, -4, 4, 8, true,
                              MakeColor(255, 0, 0), MakeColor(0, 255, 0)}));
    OffscreenRenderer renderer;
    ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
    EXPECT_GE(renderer.MaxSide(), 4096);

    BitmapPixels pixels;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, pixels)) << renderer.Error().toStdString();
    ASSERT_EQ(pixels.width, 400);
    ASSERT_EQ(pixels.height, 300);
    const QImage image = ToImage(pixels);
    EXPECT_EQ(image.pixel(1, 1), qRgb(32, 64, 96)) << "background";
    EXPECT_GT(CountColor(image, qRgb(255, 0, 0)), 3000) << "the faces";
    EXPECT_GT(CountColor(image, qRgb(255, 255, 0)), 300) << "the cube";
    // The sheet lies below the eye: its faces fill the lower half, not the top.
    EXPECT_EQ(CountColor(image.copy(0, 0, 400, 60), qRgb(255, 0, 0)), 0);
}

// The view's trace cursor comes along: a printed or exported frame shows it.
TEST_F(OffscreenRendererTest, DrawsTheTraceCursorOfTheScene)
{
    ASSERT_TRUE(AddPlot(doc, {"sheet", "z(x,y)=0", WireFrame, -4, 4, 8, -4, 4, 8, true,
                              MakeColor(255, 0, 0), MakeColor(0, 255, 0)}));
    doc.Settings().cursorColor = MakeColor(0, 255, 255);
    doc.Settings().cursorKind = CrossCursor;
    OffscreenRenderer renderer;
    ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
    BitmapPixels plain, traced;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, plain));
    scene.trace = {true, doc.Get(0).handle, 4, 4};
    ASSERT_TRUE(renderer.Render(scene, 400, 300, traced));
    EXPECT_EQ(CountColor(ToImage(plain), qRgb(0, 255, 255)), 0);
    EXPECT_GT(CountColor(ToImage(traced), qRgb(0, 255, 255)), 50) << "three lines across the cube";
}

// Sizes whose rows need padding, and a second picture of another size from
// the same renderer: the scene scales, nothing is left of the first one.
TEST_F(OffscreenRendererTest, RendersAnySizeAgainAndAgain)
{
    OffscreenRenderer renderer;
    ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
    BitmapPixels big, odd;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, big));
    ASSERT_TRUE(renderer.Render(scene, 201, 151, odd));
    EXPECT_EQ(odd.Stride(), 604);
    const QImage a = ToImage(big), b = ToImage(odd);
    const int cubeA = CountColor(a, qRgb(255, 255, 0)), cubeB = CountColor(b, qRgb(255, 255, 0));
    EXPECT_GT(cubeB, cubeA / 3);
    EXPECT_LT(cubeB, cubeA * 2 / 3) << "lines stay one pixel wide at half the size";
    EXPECT_EQ(b.pixel(200, 150), a.pixel(399, 299)) << "corner is background in both";

    BitmapPixels none;
    EXPECT_FALSE(renderer.Render(scene, renderer.MaxSide() + 1, 10, none));
    EXPECT_FALSE(renderer.Error().isEmpty());
    EXPECT_TRUE(renderer.Render(scene, 40, 30, none)) << "still usable after a refusal";
}

// Two renderers at once share the display; the survivor keeps working.
TEST_F(OffscreenRendererTest, RenderersLiveSideBySide)
{
    auto first = std::make_unique<OffscreenRenderer>();
    OffscreenRenderer second;
    ASSERT_TRUE(first->IsValid() && second.IsValid());
    BitmapPixels p;
    ASSERT_TRUE(first->Render(scene, 64, 48, p));
    first.reset();
    ASSERT_TRUE(second.Render(scene, 64, 48, p)) << second.Error().toStdString();
    EXPECT_EQ(ToImage(p).pixel(0, 0), qRgb(32, 64, 96));
}

// Smooth lines, shading and the legend come along with the scene: an export
// or a print looks as the view does.  Smooth edges blend with the paper,
// the frame read back is the resolved one (never black), and pictures too
// large for four samples get fewer.
TEST_F(OffscreenRendererTest, DrawsWithTheViewsOptions)
{
    ASSERT_TRUE(AddPlot(doc, {"sheet", "z(x,y)=x*y/4", Gradient, -4, 4, 8, -4, 4, 8, true,
                              MakeColor(255, 0, 0), MakeColor(255, 0, 0)}));
    doc.Settings().showCube = doc.Settings().showAxes = 0;
    doc.Settings().backgroundColor = 0;
    OffscreenRenderer renderer;
    ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
    BitmapPixels pixels;
    scene.options.smoothLines = false;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, pixels));
    const QImage jagged = ToImage(pixels);
    scene.options.smoothLines = true;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, pixels)) << renderer.Error().toStdString();
    const QImage smooth = ToImage(pixels);
    EXPECT_EQ(CountBlendedRed(jagged), 0);
    EXPECT_GT(CountBlendedRed(smooth), 100);
    EXPECT_GT(CountColor(smooth, qRgb(255, 0, 0)), 3000) << "resolved, not black";

    scene.options.shadedSurfaces = true;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, pixels));
    EXPECT_LT(CountColor(ToImage(pixels), qRgb(255, 0, 0)), CountColor(smooth, qRgb(255, 0, 0)) / 2)
        << "most faces lit below their full colour";

    scene.options = {};
    scene.options.colorLegend = true;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, pixels));
    EXPECT_GT(CountColor(ToImage(pixels).copy(200, 200, 200, 100), qRgb(255, 255, 255)), 100)
        << "the legend's texts in the lower right corner";

    EXPECT_EQ(MultisampleTarget::SamplesWithin(4, 2000, 2000, 256.0 * 1024 * 1024), 4);
    EXPECT_EQ(MultisampleTarget::SamplesWithin(4, 4000, 4000, 256.0 * 1024 * 1024), 2);
    EXPECT_EQ(MultisampleTarget::SamplesWithin(4, 8000, 8000, 256.0 * 1024 * 1024), 0);
}

} // namespace

// A picture larger than the view draws its lines as much wider: the cube's
// edges take about three times the pixels at width 3, the faces the same.
TEST_F(OffscreenRendererTest, LinesAreAsWideAsTheSceneAsks)
{
    ASSERT_TRUE(AddPlot(doc, {"sheet", "z(x,y)=0", FilledPolygons, -4, 4, 8, -4, 4, 8, true,
                              MakeColor(255, 0, 0), MakeColor(0, 255, 0)}));
    doc.Settings().showReferenceMarks = 0;
    doc.Settings().showAxes = 0;
    OffscreenRenderer renderer;
    ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
    BitmapPixels thin, wide;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, thin));
    scene.lineWidth = 3;
    ASSERT_TRUE(renderer.Render(scene, 400, 300, wide));
    const int thinEdges = CountColor(ToImage(thin), qRgb(255, 255, 0));
    const int wideEdges = CountColor(ToImage(wide), qRgb(255, 255, 0));
    EXPECT_GT(thinEdges, 300);
    EXPECT_GT(wideEdges, 2.5 * thinEdges);
    EXPECT_LT(wideEdges, 3.5 * thinEdges);
    EXPECT_EQ(ScaledLineWidth(1606, 1200, 803, 600), 2.0);
    EXPECT_EQ(ScaledLineWidth(400, 300, 803, 600), 1.0);
    EXPECT_EQ(ScaledLineWidth(4096, 1024, 1280, 1024), 1.0);
}
