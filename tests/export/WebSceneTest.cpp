// The example's glTF scene and web page, checked with what their readers
// use: the Khronos glTF validator (node) and headless Chromium driven
// through its DevTools protocol.  The tools are installed into the build
// folder by the test set-up (web_tools_setup); where node cannot be had the
// tests say so and skip.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "OutputTestSupport.h"

namespace {

const QString kTools = QStringLiteral(VELTRIX_WEB_TOOLS_DIR);
const QString kScripts = QStringLiteral(VELTRIX_WEB_SCRIPTS_DIR);

// Why the node tools are missing, or empty when they are there.
QString NodeToolsMissing()
{
    QFile reason(kTools + QStringLiteral("/unavailable"));
    if (reason.open(QIODevice::ReadOnly))
        return QString::fromUtf8(reason.readAll()).trimmed();
    if (!QFile::exists(kTools + QStringLiteral("/node_modules/gltf-validator/package.json")))
        return QStringLiteral("gltf-validator is not installed in %1 (the web_tools_setup test installs it)").arg(kTools);
    return QString();
}

struct Outcome {
    int status = -1;
    QByteArray out;
    QString errors;
};

Outcome Start(const QString &program, const QStringList &arguments, bool node = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));   // the sanitizers' runtime is for our programs only
    if (node)
        env.insert(QStringLiteral("NODE_PATH"), kTools + QStringLiteral("/node_modules"));
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(180000)) << program.toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromLocal8Bit(p.readAllStandardError())};
}

Outcome Export(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(VELTRIX_EXPORT_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromLocal8Bit(p.readAllStandardError())};
}

QJsonObject Json(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    return json.object();
}

// Mean colour of each block of `side` pixels, as the eye would compare two
// pictures from afar.
struct Blocks {
    int columns = 0, rows = 0;
    std::vector<QColor> mean;
};

Blocks MeanBlocks(const QImage &image, int side)
{
    Blocks b;
    b.columns = image.width() / side;
    b.rows = image.height() / side;
    for (int by = 0; by < b.rows; ++by) {
        for (int bx = 0; bx < b.columns; ++bx) {
            long r = 0, g = 0, bl = 0;
            for (int y = by * side; y < (by + 1) * side; ++y)
                for (int x = bx * side; x < (bx + 1) * side; ++x) {
                    const QRgb c = image.pixel(x, y);
                    r += qRed(c);
                    g += qGreen(c);
                    bl += qBlue(c);
                }
            const long n = long(side) * side;
            b.mean.push_back(QColor(int(r / n), int(g / n), int(bl / n)));
        }
    }
    return b;
}

// Share of the blocks outside `covered` whose mean colours differ by at
// most `tolerance` in every channel.
double AlikeShare(const QImage &a, const QImage &b, const QList<QRect> &covered, int tolerance = 40)
{
    const int side = 20;
    const Blocks ba = MeanBlocks(a, side), bb = MeanBlocks(b, side);
    int alike = 0, counted = 0;
    for (int k = 0; k < int(ba.mean.size()); ++k) {
        const QRect block((k % ba.columns) * side, (k / ba.columns) * side, side, side);
        if (std::any_of(covered.begin(), covered.end(), [&](const QRect &c) { return c.intersects(block); }))
            continue;
        const QColor &p = ba.mean[size_t(k)], &q = bb.mean[size_t(k)];
        ++counted;
        alike += std::abs(p.red() - q.red()) <= tolerance && std::abs(p.green() - q.green()) <= tolerance &&
                 std::abs(p.blue() - q.blue()) <= tolerance;
    }
    return counted ? double(alike) / counted : 0;
}

bool Near(QRgb c, QRgb want, int tolerance)
{
    return std::abs(qRed(c) - qRed(want)) <= tolerance && std::abs(qGreen(c) - qGreen(want)) <= tolerance &&
           std::abs(qBlue(c) - qBlue(want)) <= tolerance;
}

class WebSceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = NodeToolsMissing();
        if (!missing.isEmpty())
            GTEST_SKIP() << "node tools unavailable: " << missing.toStdString();
    }

    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QJsonObject Validate(const QString &glb)
    {
        const Outcome run = Start(QStringLiteral("node"), {kScripts + QStringLiteral("/validate_gltf.js"), glb}, true);
        EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.errors.toStdString();
        return Json(run.out);
    }

    QTemporaryDir dir;
};

// The example, and a scene of every mode, kind and edge the writer knows,
// pass the validator with neither errors nor warnings.
TEST_F(WebSceneTest, ScenesPassTheGltfValidator)
{
    ASSERT_EQ(Export({TourPath(), QStringLiteral("-o"), Path("tour.glb")}).status, 0);
    const QJsonObject tour = Validate(Path("tour.glb"));
    EXPECT_EQ(tour[QStringLiteral("numErrors")].toInt(-1), 0);
    EXPECT_EQ(tour[QStringLiteral("numWarnings")].toInt(-1), 0);
    std::printf("validator on tour.glb: %d errors, %d warnings, %d infos, %d hints; %d triangles\n",
                tour[QStringLiteral("numErrors")].toInt(), tour[QStringLiteral("numWarnings")].toInt(),
                tour[QStringLiteral("numInfos")].toInt(), tour[QStringLiteral("numHints")].toInt(),
                tour[QStringLiteral("info")][QStringLiteral("totalTriangleCount")].toInt());

    // Spheres meet themselves at the poles, logarithms leave holes, a
    // function may leave the cube, a curve may be coloured, a label may be
    // empty; the camera may sit anywhere.
    const Outcome run = Export({"-e", "r(alpha,beta)=4", "-e", "z(x,y)=ln(x)*y", "-e", "z(x,y)=x^3", "-e", "z(x,t)=x/2",
                                "-e", "y(x,z)=1/x", "--mode", "gradient", "--steps", "x=7", "--angle", "deg", "-o",
                                Path("edges.glb")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    for (const char *mode : {"wire", "filled", "chess"}) {
        ASSERT_EQ(Export({"-e", "r(alpha,beta)=4", "-e", "z(x,t)=x/2", "--mode", mode, "-o", Path("modes.glb")}).status,
                  0);
        const QJsonObject modes = Validate(Path("modes.glb"));
        EXPECT_EQ(modes[QStringLiteral("numErrors")].toInt(-1) + modes[QStringLiteral("numWarnings")].toInt(-1), 0)
            << mode;
    }
    const QJsonObject edges = Validate(Path("edges.glb"));
    EXPECT_EQ(edges[QStringLiteral("numErrors")].toInt(-1), 0);
    EXPECT_EQ(edges[QStringLiteral("numWarnings")].toInt(-1), 0);

    // Curves and surfaces: closed, open, self-crossing, on every side.
    ASSERT_EQ(Export({QStringLiteral(VELTRIX_EXAMPLES_DIR "/shapes.vxf"), QStringLiteral("-o"), Path("shapes.glb")}).status,
              0);
    const QJsonObject shapes = Validate(Path("shapes.glb"));
    EXPECT_EQ(shapes[QStringLiteral("numErrors")].toInt(-1), 0);
    EXPECT_EQ(shapes[QStringLiteral("numWarnings")].toInt(-1), 0);
}

// The page of the example in headless Chromium, with no network: it fetches
// nothing but itself, its first picture shows the surfaces where the
// off-screen picture has them, a drag and the wheel turn and zoom it, and
// "Reset view" brings the first picture back.
TEST_F(WebSceneTest, PageShowsTheSceneAndTurnsWithTheMouse)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/chromium")))
        GTEST_SKIP() << "chromium is not installed (scripts/install-deps.sh installs it)";
    const QSize size(800, 600);
    ASSERT_EQ(Export({TourPath(), "-o", Path("tour.html")}).status, 0);
    ASSERT_EQ(Export({TourPath(), "-o", Path("tour.png"), "--size", "800x600"}).status, 0);
    const QStringList arguments{kScripts + QStringLiteral("/page_check.js"), Path("tour.html"), dir.path(),
                                QString::number(size.width()), QString::number(size.height())};
    const Outcome run = Start(QStringLiteral("node"), arguments, true);
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.errors.toStdString();
    const QJsonObject page = Json(run.out);
    EXPECT_EQ(page[QStringLiteral("title")].toString(), QStringLiteral("tour.vxf"));
    EXPECT_EQ(page[QStringLiteral("legend")].toString(), QStringLiteral("Wave\nSaddle\nSphere\nRipple\nCurve"));
    EXPECT_EQ(page[QStringLiteral("error")].toString(), QString());
    const QJsonArray requests = page[QStringLiteral("requests")].toArray();
    ASSERT_EQ(requests.size(), 1) << run.out.toStdString();
    EXPECT_TRUE(requests[0].toString().endsWith(QStringLiteral("/tour.html")));
    std::printf("page: first frame %.0f ms after navigation start\n", page[QStringLiteral("firstFrameMs")].toDouble());

    QList<QRect> covered;
    for (const QJsonValue &r : page[QStringLiteral("covered")].toArray()) {
        const QJsonArray a = r.toArray();
        covered << QRect(QPoint(a[0].toInt(), a[1].toInt()), QPoint(a[2].toInt(), a[3].toInt()));
    }
    auto load = [&](const char *name) { return QImage(Path(name)).convertToFormat(QImage::Format_RGB32); };
    const QImage offscreen = load("tour.png"), first = load("first.png"), dragged = load("dragged.png"),
                 zoomed = load("zoomed.png"), reset = load("reset.png");
    ASSERT_EQ(first.size(), size);
    ASSERT_EQ(offscreen.size(), size);

    // Coarse likeness: blocks of 20 pixels with about the same mean colour.
    const double alike = AlikeShare(first, offscreen, covered);
    std::printf("page and off-screen picture: %.1f %% of 20-pixel blocks alike\n", alike * 100);
    EXPECT_GE(alike, 0.9);
    // Where the picture shows the saddle's two colours, the page does too.
    CVeltrix2Doc tour;
    ASSERT_EQ(tour.Open(TourPath()), ReadOutcome::Ok);
    const FunctionRecord saddle = tour.Get(1);
    for (Color c : {saddle.color1, saddle.color2}) {
        const QRgb color = qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c));
        int shown = 0, kept = 0;
        for (int y = 0; y < size.height(); y += 2)
            for (int x = 0; x < size.width(); x += 2) {
                if (offscreen.pixel(x, y) != color ||
                    std::any_of(covered.begin(), covered.end(), [&](const QRect &r) { return r.contains(x, y); }))
                    continue;
                ++shown;
                kept += Near(first.pixel(x, y), color, 6);
            }
        std::printf("saddle colour #%06x: %d of %d sampled pixels alike\n", color & 0xFFFFFFu, kept, shown);
        EXPECT_GT(shown, 2000);
        EXPECT_GE(kept, shown * 85 / 100);
    }

    EXPECT_LT(AlikeShare(dragged, first, covered, 10), 0.7) << "the drag turned the scene";
    EXPECT_LT(AlikeShare(zoomed, dragged, covered, 10), 0.9) << "the wheel zoomed";
    EXPECT_GE(AlikeShare(reset, first, {}, 2), 0.99) << "Reset view brought the first picture back";
}

} // namespace
