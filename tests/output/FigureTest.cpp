// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/DepthOrder.h"
#include "output/FigureFiles.h"
#include "output/OffscreenRenderer.h"
#include "output/PainterFigureCanvas.h"
#include "output/SceneFigure.h"
#include "output/SvgFigureCanvas.h"
#include "view3d/SceneState.h"

namespace {

// Largest channel difference of two colours.
int Difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// The share of pixels whose colours differ by at most `tolerance`.
double Agreement(const QImage &a, const QImage &b, int tolerance)
{
    EXPECT_EQ(a.size(), b.size());
    int same = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            same += Difference(a.pixel(x, y), b.pixel(x, y)) <= tolerance;
    return double(same) / (double(a.width()) * a.height());
}

QImage Rendered(const SceneState &scene, QSize size)
{
    OffscreenRenderer renderer;
    BitmapPixels pixels;
    EXPECT_TRUE(renderer.Render(scene, size.width(), size.height(), pixels)) << renderer.Error().toStdString();
    return ToImage(pixels).convertToFormat(QImage::Format_RGB32);
}

// The figure painted by Qt's raster engine, as a quick stand-in for a
// viewer.
QImage Painted(const SceneState &scene, QSize size)
{
    const SceneFigure figure(scene, size.width(), size.height());
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterFigureCanvas canvas(painter, size.width(), size.height(), false);
    figure.Paint(canvas);
    return image;
}

class FigureTest : public ::testing::Test {
protected:
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // The example from its saved camera, at the exporter's default size.
    SceneState TourScene()
    {
        EXPECT_EQ(tour.Open(TourPath()), ReadOutcome::Ok);
        const ViewSettings &s = tour.Settings();
        SceneState scene;
        scene.doc = &tour;
        scene.camera.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
        return scene;
    }

    QImage SvgRendered(const QString &svg, QSize size) const
    {
        const QString png = svg + QStringLiteral(".png");
        RunProgram(QStringLiteral("rsvg-convert"), {QStringLiteral("-w"), QString::number(size.width()),
                                                    QStringLiteral("-h"), QString::number(size.height()),
                                                    svg, QStringLiteral("-o"), png});
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir dir;
    CVeltrix2Doc tour;
};

// The example's SVG, drawn by an independent renderer at the picture's size,
// looks like the off-screen picture: the pixels that differ are the edges,
// which the viewer smooths and OpenGL does not.  Where the picture shows the
// chess board, the figure shows its two colours or blends of them: no
// hairline of the paper between two cells.
TEST_F(FigureTest, ExampleSvgLooksLikeItsPicture)
{
    const SceneState scene = TourScene();
    const QSize size(1280, 1024);
    QString error;
    ASSERT_TRUE(WriteSvgFigure(Path("tour.svg"), scene, size, &error)) << error.toStdString();
    const QImage svg = SvgRendered(Path("tour.svg"), size);
    const QImage png = Rendered(scene, size);
    ASSERT_EQ(svg.size(), size);
    const double agreement = Agreement(svg, png, 24);
    std::printf("SVG against the picture: %.2f%% of the pixels within 24 of 255\n", 100 * agreement);
    EXPECT_GE(agreement, 0.95);

    const FunctionRecord saddle = tour.Get(1);
    ASSERT_EQ(saddle.mode, ChessBoard);
    const QRgb a = qRgb(ColorRed(saddle.color1), ColorGreen(saddle.color1), ColorBlue(saddle.color1));
    const QRgb b = qRgb(ColorRed(saddle.color2), ColorGreen(saddle.color2), ColorBlue(saddle.color2));
    auto chess = [&](QRgb c) { return c == a || c == b; };
    // Pixels 3 or more from anything else in the picture: inside the board,
    // on its cells and the edges between them.
    int inside = 0, seams = 0;
    for (int y = 3; y + 3 < size.height(); ++y) {
        for (int x = 3; x + 3 < size.width(); ++x) {
            bool all = true;
            for (int dy = -3; dy <= 3 && all; ++dy)
                for (int dx = -3; dx <= 3 && all; ++dx)
                    all = chess(png.pixel(x + dx, y + dy) | 0xFF000000);
            if (!all)
                continue;
            ++inside;
            // On the line from one colour to the other, within a little.
            const QRgb c = svg.pixel(x, y);
            double best = 1e9;
            for (int k = 0; k <= 32; ++k) {
                const double t = k / 32.0;
                const double dr = qRed(c) - (qRed(a) + t * (qRed(b) - qRed(a)));
                const double dg = qGreen(c) - (qGreen(a) + t * (qGreen(b) - qGreen(a)));
                const double db = qBlue(c) - (qBlue(a) + t * (qBlue(b) - qBlue(a)));
                best = std::min(best, std::max({std::fabs(dr), std::fabs(dg), std::fabs(db)}));
            }
            seams += best > 12;
        }
    }
    std::printf("chess board: %d pixels, %d off the blend of its colours\n", inside, seams);
    EXPECT_GT(inside, 100000);
    EXPECT_EQ(seams, 0);
}

// The PDF figure is one page the size of the picture, with no picture in
// it (all vector), and reads like the SVG.
TEST_F(FigureTest, PdfFigureIsOneVectorPage)
{
    const SceneState scene = TourScene();
    const QSize size(1280, 1024);
    QString error;
    ASSERT_TRUE(WritePdfFigure(Path("tour.pdf"), scene, size, &error)) << error.toStdString();
    ASSERT_TRUE(WriteSvgFigure(Path("tour.svg"), scene, size, &error)) << error.toStdString();
    const QString info = QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfinfo"), {Path("tour.pdf")}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("960 x 768 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +tour.vxf\n")))) << info.toStdString();
    const QStringList images =
        QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfimages"), {QStringLiteral("-list"), Path("tour.pdf")}))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << "only the heading of the list: " << images.join('\n').toStdString();

    RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                            QStringLiteral("-singlefile"), Path("tour.pdf"), Path("page")});
    const QImage page = QImage(Path("page.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(page.size(), size);
    const double agreement = Agreement(page, SvgRendered(Path("tour.svg"), size), 24);
    std::printf("PDF page against the SVG: %.2f%%\n", 100 * agreement);
    EXPECT_GE(agreement, 0.97);
}

// Two planes that cross: on each side of the crossing the nearer one shows,
// as in the picture; their faces are cut along it.
TEST_F(FigureTest, CrossingPlanesShowTheNearerOnEachSide)
{
    CVeltrix2Doc doc;
    const QRgb red = qRgb(220, 30, 30), blue = qRgb(30, 60, 220);
    ASSERT_TRUE(AddPlot(doc, {"rising", "z(x,y)=x/2", ChessBoard, -4, 4, 2, -4, 4, 2, true, MakeColor(220, 30, 30),
                              MakeColor(220, 30, 30)}));
    ASSERT_TRUE(AddPlot(doc, {"falling", "z(x,y)=-x/2+y/4", ChessBoard, -4, 4, 2, -4, 4, 2, true,
                              MakeColor(30, 60, 220), MakeColor(30, 60, 220)}));
    doc.Settings().showCube = doc.Settings().showAxes = 0;
    SceneState scene;
    scene.doc = &doc;
    scene.camera.SetPose({2, 7, 11, -30, 10});
    const QSize size(480, 360);
    const QImage png = Rendered(scene, size);
    const QImage figure = Painted(scene, size);
    const SceneFigure stats(scene, size.width(), size.height());
    EXPECT_GT(stats.Stats().cuts, 0u);

    // Every pixel of the picture that is a plane's colour well inside (its
    // 5 x 5 neighbourhood too) has that colour in the figure.
    int checked = 0, wrong = 0;
    for (int y = 2; y + 2 < size.height(); ++y) {
        for (int x = 2; x + 2 < size.width(); ++x) {
            const QRgb c = png.pixel(x, y) | 0xFF000000;
            if (c != red && c != blue)
                continue;
            bool solid = true;
            for (int dy = -2; dy <= 2 && solid; ++dy)
                for (int dx = -2; dx <= 2 && solid; ++dx)
                    solid = (png.pixel(x + dx, y + dy) | 0xFF000000) == c;
            if (!solid)
                continue;
            ++checked;
            wrong += Difference(figure.pixel(x, y), c) > 8;
        }
    }
    std::printf("crossing planes: %d pixels checked, %d wrong\n", checked, wrong);
    EXPECT_GT(checked, 20000);
    EXPECT_EQ(wrong, 0);
    // Both planes show on both sides of the crossing.
    int reds = 0, blues = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            reds += Difference(figure.pixel(x, y), red) <= 8;
            blues += Difference(figure.pixel(x, y), blue) <= 8;
        }
    EXPECT_GT(reds, 10000);
    EXPECT_GT(blues, 10000);
}

// With the eye inside the cube the scene is cut at the near plane and at
// the figure's edges: the figure still looks like the picture, and no
// coordinate of the SVG lies outside the figure.
TEST_F(FigureTest, ClippedAtTheNearPlaneAndTheEdges)
{
    SceneState scene = TourScene();
    scene.camera.SetPose({1.5, 0.5, 2.0, -10, 30});
    const QSize size(400, 300);
    const double agreement = Agreement(Painted(scene, size), Rendered(scene, size), 24);
    std::printf("inside the cube: %.2f%%\n", 100 * agreement);
    EXPECT_GE(agreement, 0.9);

    QString error;
    ASSERT_TRUE(WriteSvgFigure(Path("inside.svg"), scene, size, &error)) << error.toStdString();
    const QString svg = QString::fromUtf8(ReadFileBytes(Path("inside.svg")));
    // The first point of every path is absolute.
    const QRegularExpression move(QStringLiteral(" d=\"M(-?[0-9.]+)[ -]?(-?[0-9.]+)"));
    int paths = 0;
    for (auto m = move.globalMatch(svg); m.hasNext();) {
        const QRegularExpressionMatch match = m.next();
        ++paths;
        EXPECT_GE(match.captured(1).toDouble(), -0.01);
        EXPECT_LE(match.captured(1).toDouble(), size.width() + 0.01);
    }
    EXPECT_GT(paths, 100);
}

// The trace cursor (sphere or cross) and the colour legend come along, and
// a shaded view gives shaded cells: the figure looks like the picture, and
// the cursor shows where the picture shows it.
TEST_F(FigureTest, CursorLegendAndShadingAsInThePicture)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"saddle", "z(x,y)=x*y/8", Gradient, -4, 4, 16, -4, 4, 16, true, MakeColor(40, 80, 200),
                              MakeColor(250, 220, 60)}));
    doc.Settings().cursorColor = MakeColor(255, 0, 255);
    SceneState scene;
    scene.doc = &doc;
    scene.camera.SetPose({0, 9, 9, -40, 0});
    scene.trace = {true, doc.Get(0).handle, 8, 8};
    scene.options.colorLegend = true;
    const QSize size(640, 480);
    // Magenta, or magenta smoothed into its neighbours.
    auto magenta = [](QRgb c) { return qRed(c) - qGreen(c) > 60 && qBlue(c) - qGreen(c) > 60; };
    for (int32_t kind : {SphereCursor, CrossCursor}) {
        doc.Settings().cursorKind = kind;
        for (bool shaded : {false, true}) {
            scene.options.shadedSurfaces = shaded;
            const QImage png = Rendered(scene, size), figure = Painted(scene, size);
            EXPECT_GE(Agreement(figure, png, 24), 0.93) << kind << " " << shaded;
            int shown = 0, found = 0;
            for (int y = 1; y + 1 < size.height(); ++y) {
                for (int x = 1; x + 1 < size.width(); ++x) {
                    if (!magenta(png.pixel(x, y)))
                        continue;
                    ++shown;
                    bool near = false;
                    for (int dy = -1; dy <= 1 && !near; ++dy)
                        for (int dx = -1; dx <= 1 && !near; ++dx)
                            near = magenta(figure.pixel(x + dx, y + dy));
                    found += near;
                }
            }
            EXPECT_GT(shown, 10) << kind;
            EXPECT_GE(found, shown * 9 / 10) << kind << " " << shaded;
        }
    }
}

// A fine gradient grid in a figure: the outlines thin out as in the
// picture (same lines, so the figure still looks like it), and the surface
// keeps about the colors it has at 20 steps instead of going dark.  Here
// the 20 steps' lines lie 30 pixels apart, the 150 steps' at least 6.
TEST_F(FigureTest, DenseGradientKeepsItsColorsAndTheLinesOfThePicture)
{
    const QSize size(640, 480);
    auto scene = [&](CVeltrix2Doc &doc, int steps, int mode, Color c1, Color c2) {
        EXPECT_TRUE(AddPlot(doc, {"wave", "z(x,y)=cosx*siny", mode, -5, 5, steps, -5, 5, steps, true, c1, c2}));
        doc.Settings().showCube = doc.Settings().showAxes = 0;
        SceneState s;
        s.doc = &doc;
        s.camera.SetPose({0, 9, 9, -40, 0});
        return s;
    };
    // The mean colors of the figure and of the picture where a white chess
    // board of the same grid covers.
    auto means = [&](int steps) {
        CVeltrix2Doc cover, gradient;
        const QImage covered = Painted(scene(cover, steps, ChessBoard, 0xFFFFFF, 0xFFFFFF), size);
        const SceneState drawn = scene(gradient, steps, Gradient, MakeColor(200, 60, 40), MakeColor(60, 220, 250));
        const QImage shown[2] = {Painted(drawn, size), Rendered(drawn, size)};
        std::array<std::array<double, 3>, 2> sums = {};
        int n = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                if (qGray(covered.pixel(x, y)) < 128)
                    continue;
                for (int k = 0; k < 2; ++k) {
                    const QRgb c = shown[k].pixel(x, y);
                    sums[size_t(k)][0] += qRed(c), sums[size_t(k)][1] += qGreen(c), sums[size_t(k)][2] += qBlue(c);
                }
                ++n;
            }
        }
        for (auto &sum : sums)
            for (double &channel : sum)
                channel /= n;
        return sums;
    };
    const auto designed = means(20), fine = means(150);
    for (size_t c = 0; c < 3; ++c) {
        EXPECT_NEAR(fine[0][c], designed[0][c], 0.15 * designed[0][c]) << c;
        // The picture's lines: as many, about as dark.
        EXPECT_NEAR(fine[0][c], fine[1][c], 0.04 * fine[1][c]) << c;
    }
}

// A line through a face is cut where it passes through: the far piece is
// drawn before the face and the near piece after it.  Three faces that
// overlap in a ring are all drawn.
TEST(DepthOrder, PiercingLineAndRingOfFaces)
{
    ViewSettings settings;
    Camera camera;
    camera.SetPose({0, 0, 10, 0, 0});
    const FigureProjection projection(camera, settings, 200, 200);
    auto vertex = [](double x, double y, double z) { return PolygonVertex{{x, y, z}, {}}; };

    DepthOrder order(projection);
    DepthItem face;
    face.payload = 1;
    face.shape.v = {vertex(-2, -2, -10), vertex(2, -2, -10), vertex(2, 2, -10), vertex(-2, 2, -10)};
    order.Add(face);
    DepthItem line;
    line.kind = DepthItem::Line;
    line.payload = 2;
    line.shape.v = {vertex(0.5, 0.5, -14), vertex(0.2, 0.2, -6)};
    order.Add(line);
    const std::vector<DepthItem> sorted = order.Sorted();
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0].payload, 2u);
    EXPECT_EQ(sorted[1].payload, 1u);
    EXPECT_EQ(sorted[2].payload, 2u);
    EXPECT_LT(sorted[0].shape.v[0].p.z, -10 + 1e-9);
    EXPECT_LT(sorted[0].shape.v[1].p.z, -10 + 1e-9);
    EXPECT_GT(sorted[2].shape.v[1].p.z, -10 - 1e-9);

    // Three long strips, each over the next at one end and under it at the
    // other.
    DepthOrder ring(projection);
    for (uint32_t k = 0; k < 3; ++k) {
        const double a = k * 2 * M_PI / 3;
        const double cx = std::cos(a), cy = std::sin(a), tx = -cy, ty = cx;
        DepthItem strip;
        strip.payload = k;
        strip.shape.v = {vertex(cx - 3 * tx - 0.3 * cx, cy - 3 * ty - 0.3 * cy, -9),
                         vertex(cx + 3 * tx - 0.3 * cx, cy + 3 * ty - 0.3 * cy, -11),
                         vertex(cx + 3 * tx + 0.3 * cx, cy + 3 * ty + 0.3 * cy, -11),
                         vertex(cx - 3 * tx + 0.3 * cx, cy - 3 * ty + 0.3 * cy, -9)};
        ring.Add(strip);
    }
    const std::vector<DepthItem> drawn = ring.Sorted();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].payload + drawn[1].payload + drawn[2].payload, 3u);
    EXPECT_EQ(ring.Stats().cuts, 0u);
    EXPECT_EQ(ring.Stats().relations, 3u);
    EXPECT_EQ(ring.Stats().cyclesBroken, 1u);
}

} // namespace
