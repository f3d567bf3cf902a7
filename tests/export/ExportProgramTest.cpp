#include <cmath>
#include <csignal>
#include <functional>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include "OutputTestSupport.h"
#include "output/DxfWriter.h"
#include "output/OffscreenRenderer.h"
#include "view3d/SceneState.h"

namespace {

struct Outcome {
    int status = -1;
    QString errors;
};

// Runs the exporter in this test's environment: no DISPLAY (the test is
// started without one), and under the sanitizers with their settings.
// `prepare` runs in the child before the program starts.
Outcome Export(const QStringList &arguments, const std::function<void()> &prepare = {})
{
    QProcess p;
    if (prepare)
        p.setChildProcessModifier(prepare);
    p.start(QStringLiteral(VELTRIX_EXPORT_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(120000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

int CountColor(const QImage &image, QRect area, QRgb color)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

QRgb Rgb(Color c)
{
    return qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

class ExportProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(qEnvironmentVariableIsEmpty("DISPLAY")); }

    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Saves a document of the given plots.
    QString Document(const char *name, const std::vector<Plot> &plots)
    {
        CVeltrix2Doc doc;
        for (const Plot &p : plots)
            EXPECT_TRUE(AddPlot(doc, p));
        QString error;
        EXPECT_TRUE(doc.Save(Path(name), &error)) << error.toStdString();
        return Path(name);
    }

    // The example as the exporter draws it: from its saved camera.
    SceneState TourScene()
    {
        EXPECT_EQ(tour.Open(TourPath()), ReadOutcome::Ok);
        const ViewSettings &s = tour.Settings();
        SceneState scene;
        scene.doc = &tour;
        scene.camera.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
        return scene;
    }

    // The off-screen renderer's picture of `scene`.
    static QImage Rendered(const SceneState &scene, QSize size)
    {
        OffscreenRenderer renderer;
        BitmapPixels pixels;
        EXPECT_TRUE(renderer.Render(scene, size.width(), size.height(), pixels)) << renderer.Error().toStdString();
        return ToImage(pixels);
    }

    QImage Picture(const char *name) const
    {
        return QImage(Path(name)).convertToFormat(QImage::Format_RGB888);
    }

    QTemporaryDir dir;
    CVeltrix2Doc tour;
};

// The example as a picture of the default size: the document's background
// in the corner, the cube's colour, the chess-board saddle across the lower
// middle and nowhere at the top; and pixel for pixel the off-screen
// renderer's picture of the document from its saved camera.
TEST_F(ExportProgramTest, PictureShowsTheDocumentsScene)
{
    const Outcome run = Export({TourPath(), QStringLiteral("-o"), Path("tour.png")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
    const QImage image = Picture("tour.png");
    ASSERT_EQ(image.size(), QSize(1280, 1024));

    const SceneState scene = TourScene();
    const ViewSettings &s = tour.Settings();
    const FunctionRecord saddle = tour.Get(1);
    ASSERT_EQ(saddle.label, "Saddle");
    EXPECT_EQ(image.pixel(2, 2), Rgb(s.backgroundColor));
    EXPECT_GT(CountColor(image, image.rect(), Rgb(s.cubeColor)), 2000) << "the cube's edges and marks";
    EXPECT_GT(CountColor(image, QRect(400, 600, 500, 250), Rgb(saddle.color1)), 10000);
    EXPECT_EQ(CountColor(image, QRect(0, 0, 1280, 120), Rgb(saddle.color1)), 0);
    EXPECT_EQ(image, Rendered(scene, QSize(1280, 1024)));
}

// The drawing options are the renderer's: the picture equals the off-screen
// renderer's with the same options, and differs from the plain one.
TEST_F(ExportProgramTest, DrawingOptionsAreAskedForOnTheCommandLine)
{
    const Outcome run = Export({TourPath(), QStringLiteral("-o"), Path("rich.png"), QStringLiteral("--size"),
                                QStringLiteral("640x512"), QStringLiteral("--smooth-lines"), QStringLiteral("--shaded"),
                                QStringLiteral("--legend")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QImage image = Picture("rich.png");
    SceneState scene = TourScene();
    EXPECT_NE(image, Rendered(scene, QSize(640, 512)));
    scene.options = RenderOptions{true, true, true, {}};
    EXPECT_EQ(image, Rendered(scene, QSize(640, 512)));
}

// A picture twice the default size shows the default one twice as large,
// its lines twice as wide.
TEST_F(ExportProgramTest, LargerPicturesDrawWiderLines)
{
    const Outcome run = Export({TourPath(), QStringLiteral("-o"), Path("large.png"), QStringLiteral("--size"),
                                QStringLiteral("2560x2048")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    SceneState scene = TourScene();
    scene.lineWidth = 2;
    EXPECT_EQ(Picture("large.png"), Rendered(scene, QSize(2560, 2048)));
}

// The drawing is File > Export > DXF's to the byte.
TEST_F(ExportProgramTest, DrawingIsTheSameAsTheMenusExport)
{
    const Outcome run = Export({TourPath(), QStringLiteral("-o"), Path("tour.dxf")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    CVeltrix2Doc doc;
    ASSERT_EQ(doc.Open(TourPath()), ReadOutcome::Ok);
    QBuffer menus;
    menus.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteDxf(doc, menus));
    const QByteArray written = ReadFileBytes(Path("tour.dxf"));
    EXPECT_GT(written.size(), 100000);
    EXPECT_TRUE(written == menus.data());
}

// A 4 x 4-cell surface: 32 triangles in both files, every vertex inside the
// cube; an independent STL reader finds nothing to complain about.
TEST_F(ExportProgramTest, MeshesOfASmallSurface)
{
    const QString doc = Document("small.vxf", {{"hill", "z(x,y)=4-(x^2+y^2)/4", Gradient, -4, 4, 4, -4, 4, 4}});
    ASSERT_EQ(Export({doc, QStringLiteral("-o"), Path("hill.stl")}).status, 0);
    ASSERT_EQ(Export({doc, QStringLiteral("-o"), Path("hill.obj")}).status, 0);

    const QByteArray stl = ReadFileBytes(Path("hill.stl"));
    ASSERT_EQ(stl.size(), 84 + 32 * 50);
    EXPECT_EQ(qFromLittleEndian<quint32>(stl.constData() + 80), 32u);
    const QString obj = QString::fromUtf8(ReadFileBytes(Path("hill.obj")));
    EXPECT_EQ(obj.count(QRegularExpression(QStringLiteral("(^|\n)f "))), 32);
    int vertices = 0;
    for (const QString &line : obj.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("v ")))
            continue;
        ++vertices;
        const QStringList v = line.split(QLatin1Char(' '));
        ASSERT_EQ(v.size(), 7) << "x y z and a colour: " << line.toStdString();
        for (int k = 1; k <= 3; ++k)
            EXPECT_LE(std::abs(v[k].toDouble()), 5.0) << line.toStdString();
    }
    EXPECT_EQ(vertices, 25);
    EXPECT_TRUE(ReadFileBytes(Path("hill.mtl")).contains("newmtl hill\n"));

    const QString report = QString::fromLocal8Bit(
        RunProgram(QStringLiteral("admesh"), {QStringLiteral("--exact"), QStringLiteral("--normal-values"), Path("hill.stl")}));
    for (const char *line : {"Number of facets +: +32 ", "Degenerate facets +: +0\n", "Normals fixed +: +0\n",
                             "Backwards edges +: +0\n", "Facets with 3 disconnected edges +: +0 "})
        EXPECT_TRUE(report.contains(QRegularExpression(QString::fromLatin1(line)))) << line << "\n"
                                                                                    << report.toStdString();
}

// An implicit sphere from the command line is a closed surface: admesh
// finds no open edge, nothing turned the wrong way and a ball's volume.
TEST_F(ExportProgramTest, ImplicitSphereIsAClosedMesh)
{
    ASSERT_EQ(Export({QStringLiteral("-e"), QStringLiteral("0(x,y,z)=x^2+y^2+z^2-4"), QStringLiteral("-o"), Path("ball.stl")})
                  .status,
              0);
    const QString report = QString::fromLocal8Bit(RunProgram(QStringLiteral("admesh"), {Path("ball.stl")}));
    for (const char *line : {"Total disconnected facets +: +0 ", "Number of parts +: +1 ", "Backwards edges +: +0\n",
                             "Facets reversed +: +0\n", "Degenerate facets +: +0\n"})
        EXPECT_TRUE(report.contains(QRegularExpression(QString::fromLatin1(line)))) << line << "\n"
                                                                                    << report.toStdString();
    const QRegularExpressionMatch volume = QRegularExpression(QStringLiteral("Volume +: +([0-9.]+)")).match(report);
    ASSERT_TRUE(volume.hasMatch()) << report.toStdString();
    EXPECT_NEAR(volume.captured(1).toDouble(), 4.0 / 3 * M_PI * 8, 1.0);
}

// Contour lines reach pictures and figures: more of the ink on the floor of
// a saddle with them than without.
TEST_F(ExportProgramTest, ContourLinesReachPicturesAndFigures)
{
    const QStringList saddle = {QStringLiteral("-e"), QStringLiteral("z(x,y)=x*y/5"), QStringLiteral("--mode"),
                                QStringLiteral("filled"), QStringLiteral("--colors"), QStringLiteral("FF0000,000000"),
                                QStringLiteral("--size"), QStringLiteral("400x300")};
    ASSERT_EQ(Export(saddle + QStringList{QStringLiteral("-o"), Path("plain.png")}).status, 0);
    ASSERT_EQ(Export(saddle + QStringList{QStringLiteral("--contours"), QStringLiteral("8"), QStringLiteral("--contour-floor"),
                                          QStringLiteral("-o"), Path("lines.png")})
                  .status,
              0);
    const QImage plain(Path("plain.png")), lines(Path("lines.png"));
    const QRect all(0, 0, 400, 300);
    // The lines on the red surface are white on it, those on the floor red.
    EXPECT_GT(CountColor(lines, all, qRgb(255, 255, 255)), CountColor(plain, all, qRgb(255, 255, 255)) + 100);
    ASSERT_EQ(Export(saddle + QStringList{QStringLiteral("--contours"), QStringLiteral("8"), QStringLiteral("-o"), Path("lines.svg")})
                  .status,
              0);
    ASSERT_EQ(Export(saddle + QStringList{QStringLiteral("-o"), Path("plain.svg")}).status, 0);
    EXPECT_GT(ReadFileBytes(Path("lines.svg")).count("#ffffff"), ReadFileBytes(Path("plain.svg")).count("#ffffff") + 50);
}

// The closed torus as an independent STL reader sees it: every facet has
// its three neighbours, none is turned over.
TEST_F(ExportProgramTest, TheTorusMeshIsClosed)
{
    ASSERT_EQ(Export({"-e", "(x,y,z)(u,v)=(cos(u)*(2+cos(v)), sin(u)*(2+cos(v)), sin(v))", "--steps", "u=40", "--steps",
                      "v=30", "-o", Path("torus.stl")})
                  .status,
              0);
    const QString report = QString::fromLocal8Bit(
        RunProgram(QStringLiteral("admesh"), {QStringLiteral("--exact"), Path("torus.stl")}));
    for (const char *line : {"Number of facets +: +2400 ", "Facets with 1 disconnected edge +: +0 ",
                             "Facets with 2 disconnected edges +: +0 ", "Facets with 3 disconnected edges +: +0 ",
                             "Degenerate facets +: +0\n", "Backwards edges +: +0\n", "Edges fixed +: +0\n"})
        EXPECT_TRUE(report.contains(QRegularExpression(QString::fromLatin1(line)))) << line << "\n"
                                                                                    << report.toStdString();
}

// The example of shapes in every format: all drawn through the one
// tessellation, the curves left out of meshes with a note.
TEST_F(ExportProgramTest, ShapesInEveryFormat)
{
    const QString shapes = QStringLiteral(VELTRIX_EXAMPLES_DIR "/shapes.vxf");
    for (const char *name : {"s.png", "s.pdf", "s.svg", "s.dxf", "s.obj", "s.stl", "s.glb", "s.html"}) {
        const Outcome run = Export({shapes, QStringLiteral("-o"), Path(name)});
        EXPECT_EQ(run.status, 0) << name << ": " << run.errors.toStdString();
        const bool mesh = QByteArray(name).endsWith("obj") || QByteArray(name).endsWith("stl");
        const QString notes = mesh ? QStringLiteral("veltrix-export: note: The curve \"Helix\" has no area and was left out.\n"
                                                    "veltrix-export: note: The curve \"Trefoil knot\" has no area and was left out.\n")
                                   : QString();
        EXPECT_EQ(run.errors, notes) << name;
        EXPECT_GT(QFileInfo(Path(name)).size(), 1000) << name;
    }
    // The helix's radius is the parameter an animation sweeps.
    const Outcome frames = Export({shapes, QStringLiteral("-o"), Path("f.png"), QStringLiteral("--frames"),
                                   QStringLiteral("3"), QStringLiteral("--size"), QStringLiteral("160x128")});
    ASSERT_EQ(frames.status, 0) << frames.errors.toStdString();
    EXPECT_NE(QImage(Path("f0001.png")), QImage(Path("f0002.png")));
}

// Curves have no area: left out of a mesh with a note, the rest written.
TEST_F(ExportProgramTest, MeshesLeaveCurvesOutWithANote)
{
    const Outcome run = Export({TourPath(), QStringLiteral("-o"), Path("tour.stl")});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, QStringLiteral("veltrix-export: note: The curve \"Curve\" has no area and was left out.\n"));
    EXPECT_GT(QFileInfo(Path("tour.stl")).size(), 84 + 3000 * 50);
}

// The printed pages: the scene and a page of function blocks, on the
// paper asked for.
TEST_F(ExportProgramTest, PdfHoldsThePrintedPages)
{
    ASSERT_EQ(Export({TourPath(), QStringLiteral("-o"), Path("tour.pdf"), QStringLiteral("--paper"), QStringLiteral("Letter")}).status, 0);
    const QString info = QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfinfo"), {Path("tour.pdf")}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +2\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts (letter)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +Veltrix Document\n")))) << info.toStdString();
    const QString text = QString::fromUtf8(RunProgram(QStringLiteral("pdftotext"), {Path("tour.pdf"), QStringLiteral("-")}));
    for (const char *s : {"Veltrix 2.0", "File: tour.vxf", "Label: Ripple", "Page: 2"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(s))) << s;
}

// Five ticks of the animation: five different pictures, numbered.
TEST_F(ExportProgramTest, FramesFollowTheAnimation)
{
    const Outcome run = Export({TourPath(), QStringLiteral("-o"), Path("frame.png"), QStringLiteral("--frames"),
                                QStringLiteral("5"), QStringLiteral("--size"), QStringLiteral("160x128")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.isEmpty()) << "no progress line off a terminal: " << run.errors.toStdString();
    QList<QImage> frames;
    for (int k = 1; k <= 5; ++k) {
        frames << QImage(Path(qPrintable(QStringLiteral("frame%1.png").arg(k, 4, 10, QLatin1Char('0')))));
        ASSERT_EQ(frames.back().size(), QSize(160, 128)) << k;
        for (int earlier = 0; earlier + 1 < k; ++earlier)
            EXPECT_NE(frames.back(), frames[earlier]) << k << " and " << earlier + 1;
    }
    EXPECT_FALSE(QFileInfo::exists(Path("frame0006.png")));
    EXPECT_FALSE(QFileInfo::exists(Path("frame.png")));

    // Nothing shown to animate: a function without parameters, or with them
    // but hidden.
    const QString still = Document("still.vxf", {{"flat", "z(x,y)=1", WireFrame},
                                                 {"hidden", "z(x,y,t)=t", WireFrame, -5, 5, 4, -5, 5, 4, false}});
    const Outcome none = Export({still, QStringLiteral("-o"), Path("still.png"), QStringLiteral("--frames"), QStringLiteral("2")});
    EXPECT_EQ(none.status, 3);
    EXPECT_TRUE(none.errors.contains(QStringLiteral("parameters to animate"))) << none.errors.toStdString();
}

// Figures and films from the program: the SVG's and the PDF's size, a film
// of one loop of the animation, no progress line off a terminal, and a
// film that fills the disk half-way leaves nothing behind and says why.
TEST_F(ExportProgramTest, FiguresAndFilms)
{
    const Outcome svg = Export({TourPath(), QStringLiteral("-o"), Path("tour.svg"), QStringLiteral("--size"),
                                QStringLiteral("640x512")});
    ASSERT_EQ(svg.status, 0) << svg.errors.toStdString();
    const QByteArray text = ReadFileBytes(Path("tour.svg"));
    EXPECT_TRUE(text.startsWith("<?xml")) << text.left(100).toStdString();
    EXPECT_TRUE(text.contains("width=\"640\" height=\"512\" viewBox=\"0 0 640 512\""));
    EXPECT_TRUE(text.contains("<title>tour.vxf</title>"));
    const Outcome pdf = Export({TourPath(), QStringLiteral("-o"), Path("tour.pdf"), QStringLiteral("--figure")});
    ASSERT_EQ(pdf.status, 0) << pdf.errors.toStdString();
    const QString info = QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfinfo"), {Path("tour.pdf")}));
    EXPECT_TRUE(info.contains(QStringLiteral("960 x 768 pts"))) << info.toStdString();

    const Outcome film = Export({TourPath(), QStringLiteral("-o"), Path("tour.mp4"), QStringLiteral("--size"),
                                 QStringLiteral("160x128"), QStringLiteral("--fps"), QStringLiteral("10")});
    ASSERT_EQ(film.status, 0) << film.errors.toStdString();
    EXPECT_TRUE(film.errors.isEmpty()) << "quiet off a terminal: " << film.errors.toStdString();
    const QString probe = QString::fromLocal8Bit(RunProgram(
        QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                                    QStringLiteral("-show_entries"), QStringLiteral("stream=nb_read_frames,r_frame_rate"),
                                    QStringLiteral("-of"), QStringLiteral("csv=p=0"), Path("tour.mp4")}));
    EXPECT_EQ(probe, QStringLiteral("10/1,21\n"));

    const Outcome full = Export({TourPath(), QStringLiteral("-o"), Path("full.webm"), QStringLiteral("--size"),
                                 QStringLiteral("320x256")},
                                [] {
                                    std::signal(SIGXFSZ, SIG_DFL);
                                    struct rlimit limit = {8192, 8192};
                                    setrlimit(RLIMIT_FSIZE, &limit);
                                });
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.errors.contains(QStringLiteral("The file %1 could not be written: ").arg(Path("full.webm"))))
        << full.errors.toStdString();
    EXPECT_TRUE(full.errors.contains(QStringLiteral("too large"), Qt::CaseInsensitive)) << full.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("full.webm")));

    const QString still = Document("still.vxf", {{"flat", "z(x,y)=1", WireFrame}});
    const Outcome none = Export({still, QStringLiteral("-o"), Path("still.gif")});
    EXPECT_EQ(none.status, 3);
    EXPECT_TRUE(none.errors.contains(QStringLiteral("parameters to animate"))) << none.errors.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"still.vxf", "tour.mp4", "tour.pdf", "tour.svg"}));
}

// --set moves the picture; refused values say why with status 3 and write
// nothing.
TEST_F(ExportProgramTest, SetChangesTheParameterOrIsRefused)
{
    ASSERT_EQ(Export({TourPath(), QStringLiteral("-o"), Path("t0.png"), QStringLiteral("--size"), QStringLiteral("160x128")}).status, 0);
    ASSERT_EQ(Export({TourPath(), QStringLiteral("-o"), Path("t1.png"), QStringLiteral("--size"), QStringLiteral("160x128"),
                      QStringLiteral("--set"), QStringLiteral("t=2.5")})
                  .status,
              0);
    EXPECT_NE(QImage(Path("t0.png")), QImage(Path("t1.png")));

    const Outcome outside = Export({TourPath(), QStringLiteral("-o"), Path("t2.png"), QStringLiteral("--set"), QStringLiteral("t=99")});
    EXPECT_EQ(outside.status, 3);
    EXPECT_EQ(outside.errors, QStringLiteral("veltrix-export: Out of range: t = 99. is outside [-5.,5.] in \"Ripple\"\n"));
    const Outcome unknown = Export({TourPath(), QStringLiteral("-o"), Path("t2.png"), QStringLiteral("--set"), QStringLiteral("zz=1")});
    EXPECT_EQ(unknown.status, 3);
    EXPECT_TRUE(unknown.errors.contains(QStringLiteral("no function"), Qt::CaseInsensitive));
    EXPECT_FALSE(QFileInfo::exists(Path("t2.png")));
}

// A document that cannot be read: the reader's message and status 2.  An
// output that cannot be written: the file and the reason, status 1, and an
// existing file keeps its bytes with no temporary left beside it.
TEST_F(ExportProgramTest, UnreadableDocumentsAndUnwritableOutputs)
{
    QByteArray tour = ReadFileBytes(TourPath());
    {
        QFile damaged(Path("damaged.vxf"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(tour.left(tour.size() / 2));
        QFile foreign(Path("foreign.vxf"));
        ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
        foreign.write("not a plot at all");
    }
    const Outcome damaged = Export({Path("damaged.vxf"), QStringLiteral("-o"), Path("d.png")});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_EQ(damaged.errors, QStringLiteral("veltrix-export: %1: Bad file format\n").arg(Path("damaged.vxf")));
    const Outcome foreign = Export({Path("foreign.vxf"), QStringLiteral("-o"), Path("d.dxf")});
    EXPECT_EQ(foreign.status, 2);
    EXPECT_EQ(foreign.errors, QStringLiteral("veltrix-export: %1: Invalid file\n").arg(Path("foreign.vxf")));
    const Outcome missing = Export({Path("missing.vxf"), QStringLiteral("-o"), Path("d.stl")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("No such file"))) << missing.errors.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    const QString nowhere = Path("no/such/folder/x.png");
    const Outcome lost = Export({TourPath(), QStringLiteral("-o"), nowhere});
    EXPECT_EQ(lost.status, 1);
    EXPECT_EQ(lost.errors, QStringLiteral("veltrix-export: The file %1 could not be written: No such file or directory.\n")
                               .arg(nowhere));

    // A file-size limit reached half-way through the drawing; the signal it
    // raises keeps its default action, which would end the program.
    const QString kept = Path("kept.dxf");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old drawing");
    }
    const Outcome full = Export({TourPath(), QStringLiteral("-o"), kept}, [] {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit limit = {4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.errors.contains(QStringLiteral("The file %1 could not be written: ").arg(kept)))
        << full.errors.toStdString();
    EXPECT_EQ(ReadFileBytes(kept), QByteArray("old drawing"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"damaged.vxf", "foreign.vxf", "kept.dxf"}));
}

// A full disk or the file-size limit, in every format: status 1, the file
// named with the system's reason, an existing file left as it was and
// nothing new beside it.
TEST_F(ExportProgramTest, AFullDiskFailsEveryFormatWithTheSystemsReason)
{
    const auto limited = [] {
        struct rlimit limit = {4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    const QString kept = Path("kept.pdf");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old pages");
    }
    const QStringList outputs = {kept, Path("t.png"), Path("t.bmp"), Path("t.dxf"), Path("t.stl"), Path("t.obj")};
    for (const QString &output : outputs) {
        const Outcome full = Export({TourPath(), QStringLiteral("-o"), output}, limited);
        EXPECT_EQ(full.status, 1) << output.toStdString();
        EXPECT_TRUE(full.errors.endsWith(
            QStringLiteral("veltrix-export: The file %1 could not be written: File too large.\n").arg(output)))
            << full.errors.toStdString();
    }
    const Outcome frames = Export({TourPath(), QStringLiteral("-o"), Path("f.png"), QStringLiteral("--frames"),
                                   QStringLiteral("3")},
                                  limited);
    EXPECT_EQ(frames.status, 1);
    EXPECT_TRUE(frames.errors.endsWith(QStringLiteral("veltrix-export: The file %1 could not be written: File too large.\n")
                                           .arg(Path("f0001.png"))))
        << frames.errors.toStdString();
    EXPECT_EQ(ReadFileBytes(kept), QByteArray("old pages"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.pdf"});
}

// A FIFO, a link to a device, a folder: refused in every format as the
// reader refuses them, and left as they were.  A link to a regular file is
// followed and the file it names replaced.
TEST_F(ExportProgramTest, OutputsThatAreNotRegularFilesAreRefused)
{
    const QString doc = Document("small.vxf", {{"hill", "z(x,y)=4-(x^2+y^2)/4", Gradient, -4, 4, 4, -4, 4, 4}});
    QStringList refused;
    for (const char *suffix : {"png", "bmp", "pdf", "dxf", "stl", "obj"}) {
        const QString fifo = Path(qPrintable(QStringLiteral("pipe.%1").arg(QLatin1String(suffix))));
        const QString device = Path(qPrintable(QStringLiteral("null.%1").arg(QLatin1String(suffix))));
        ASSERT_TRUE(MakeFifo(fifo));
        ASSERT_TRUE(MakeLinkToDevice(device));
        refused << fifo << device;
    }
    ASSERT_TRUE(MakeFifo(Path("frame0002.png")));
    ASSERT_TRUE(MakeFifo(Path("hill.mtl")));
    for (const QString &output : refused) {
        const Outcome run = Export({doc, QStringLiteral("-o"), output});
        EXPECT_EQ(run.status, 1) << output.toStdString();
        EXPECT_EQ(run.errors, QStringLiteral("veltrix-export: %1 is not a regular file.\n").arg(output));
    }
    const Outcome frames = Export({TourPath(), QStringLiteral("-o"), Path("frame.png"), QStringLiteral("--frames"),
                                   QStringLiteral("3"), QStringLiteral("--size"), QStringLiteral("64x64")});
    EXPECT_EQ(frames.status, 1);
    EXPECT_EQ(frames.errors, QStringLiteral("veltrix-export: %1 is not a regular file.\n").arg(Path("frame0002.png")));
    ASSERT_TRUE(MakeFifo(Path("pipe.vxf")));
    const Outcome save = Export({doc, QStringLiteral("--save"), Path("pipe.vxf")});
    EXPECT_EQ(save.status, 1);
    EXPECT_EQ(save.errors, QStringLiteral("veltrix-export: %1 is not a regular file.\n").arg(Path("pipe.vxf")));
    EXPECT_TRUE(IsFifo(Path("pipe.vxf")));
    const Outcome materials = Export({doc, QStringLiteral("-o"), Path("hill.obj")});
    EXPECT_EQ(materials.status, 1);
    EXPECT_EQ(materials.errors, QStringLiteral("veltrix-export: %1 is not a regular file.\n").arg(Path("hill.mtl")));
    EXPECT_FALSE(QFileInfo::exists(Path("hill.obj")));
    for (const QString &output : refused)
        EXPECT_TRUE(output.contains(QLatin1String("pipe.")) ? IsFifo(output) : IsLinkToDevice(output)) << output.toStdString();
    EXPECT_TRUE(IsFifo(Path("frame0002.png")));
    EXPECT_TRUE(IsFifo(Path("hill.mtl")));

    ASSERT_TRUE(QFile::link(Path("real.dxf"), Path("link.dxf")));
    ASSERT_EQ(Export({doc, QStringLiteral("-o"), Path("link.dxf")}).status, 0);
    EXPECT_TRUE(QFileInfo(Path("link.dxf")).isSymLink());
    EXPECT_TRUE(ReadFileBytes(Path("real.dxf")).endsWith("0\nEOF"));
}

// A function whose grid is too large to be drawn is named, with the limit,
// whatever the format; the rest is written.
TEST_F(ExportProgramTest, AFunctionThatCannotBeDrawnIsNamedInEveryFormat)
{
    const QString doc = Document("huge.vxf", {{"hill", "z(x,y)=4-(x^2+y^2)/4", Gradient, -4, 4, 4, -4, 4, 4},
                                              {"huge", "z(x,y)=x", WireFrame, -5, 5, 2000, -5, 5, 2000}});
    for (const char *name : {"h.png", "h.pdf", "h.dxf", "h.stl", "h.svg"}) {
        const Outcome run = Export({doc, QStringLiteral("-o"), Path(name)});
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_TRUE(run.errors.startsWith(QStringLiteral("veltrix-export: note: The function \"huge\" cannot be drawn: "
                                                         "its grid of 2001 x 2001 points is too large (at most 1048576 points).")))
            << name << ": " << run.errors.toStdString();
        EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << name << ": " << run.errors.toStdString();
        EXPECT_GT(QFileInfo(Path(name)).size(), 0) << name;
    }
}

// A name of bytes that are not UTF-8 would come back as another name: it is
// refused and nothing is written.
TEST_F(ExportProgramTest, OutputNamesThatAreNoTextAreRefused)
{
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"),
                                            QStringLiteral("exec \"$0\" \"$1\" -o \"$(printf '\\377\\376.png')\""),
                                            QStringLiteral(VELTRIX_EXPORT_PROGRAM), TourPath()});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 3);
    EXPECT_TRUE(shell.readAllStandardError().contains("is not UTF-8 text."));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// --help and mistakes on the command line.
TEST_F(ExportProgramTest, HelpAndWrongCommandLines)
{
    QProcess p;
    p.start(QStringLiteral(VELTRIX_EXPORT_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const char *s : {"-o, --output", "--size", "--set", "--frames", "--fps", "--figure", "--paper", ".stl", ".svg",
                          ".mp4", "Exit status"})
        EXPECT_TRUE(help.contains(QString::fromLatin1(s))) << s;

    const Outcome wrong = Export({TourPath(), QStringLiteral("-o"), Path("x.tiff")});
    EXPECT_EQ(wrong.status, 3);
    EXPECT_TRUE(wrong.errors.endsWith(QStringLiteral("Try 'veltrix-export --help'.\n"))) << wrong.errors.toStdString();
}

} // namespace
