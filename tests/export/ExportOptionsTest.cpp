#include <gtest/gtest.h>

#include "ExportOptions.h"
#include "ExportRun.h"
#include "OutputTestSupport.h"
#include "ParameterSetting.h"
#include "qel/qel.h"

namespace {

bool Parse(const QStringList &arguments, ExportOptions &options, QString *error = nullptr)
{
    QString ignored;
    return ParseExportArguments(QStringList{QStringLiteral("veltrix-export")} + arguments, options,
                                error ? error : &ignored);
}

QString Refusal(const QStringList &arguments)
{
    ExportOptions options;
    QString error;
    EXPECT_FALSE(Parse(arguments, options, &error)) << arguments.join(' ').toStdString();
    return error;
}

// The format follows the output's suffix in any case; the options take
// their values; defaults are 1280 x 1024 and A4.
TEST(ExportOptions, ReadsTheCommandLine)
{
    ExportOptions o;
    ASSERT_TRUE(Parse({"doc.vxf", "-o", "out.PNG", "--size", "640x480", "--set", "a=2.5", "--set", "b = -1e-3",
                       "--frames", "12"},
                      o));
    EXPECT_EQ(o.document, QStringLiteral("doc.vxf"));
    EXPECT_EQ(o.format, ExportFormat::Picture);
    EXPECT_EQ(o.size, QSize(640, 480));
    ASSERT_EQ(o.parameters.size(), 2);
    EXPECT_EQ(o.parameters[1].name, QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(o.parameters[1].value, -1e-3);
    EXPECT_EQ(o.frames, 12);

    // clang-format off
    const std::pair<const char *, ExportFormat> formats[] = {
        {"a.jpg", ExportFormat::Picture}, {"a.jpeg", ExportFormat::Picture}, {"a.bmp", ExportFormat::Picture}, {"a.pdf", ExportFormat::Pdf},
        {"a.dxf", ExportFormat::Dxf},     {"a.Obj", ExportFormat::Obj},     {"a.stl", ExportFormat::Stl},
        {"a.SVG", ExportFormat::Svg},     {"a.mp4", ExportFormat::Video},   {"a.gif", ExportFormat::Video}};
    // clang-format on
    for (const auto &[name, format] : formats) {
        ExportOptions f;
        ASSERT_TRUE(Parse({"d.vxf", "--output", name}, f)) << name;
        EXPECT_EQ(f.format, format) << name;
        EXPECT_EQ(f.size, QSize(1280, 1024));
        EXPECT_EQ(f.paper.id(), QPageSize::A4);
    }
    ExportOptions letter;
    ASSERT_TRUE(Parse({"d.vxf", "-o", "p.pdf", "--paper", "letter", "--size", "800x800"}, letter));
    EXPECT_EQ(letter.paper.id(), QPageSize::Letter);
    EXPECT_EQ(letter.drawing, RenderOptions{});
    ExportOptions rich;
    ASSERT_TRUE(Parse({"d.vxf", "-o", "p.pdf", "--smooth-lines", "--legend"}, rich));
    EXPECT_EQ(rich.drawing, (RenderOptions{true, false, true, {}}));
    ExportOptions help;
    ASSERT_TRUE(Parse({"--help"}, help));
    EXPECT_TRUE(help.help);
}

// Figures and films: --figure makes a .pdf a figure; a film takes a count
// of pictures (none: one loop) and a rate (25 unless given).
TEST(ExportOptions, ReadsFiguresAndFilms)
{
    ExportOptions figure;
    ASSERT_TRUE(Parse({"d.vxf", "-o", "f.pdf", "--figure", "--size", "800x600", "--legend"}, figure));
    EXPECT_EQ(figure.format, ExportFormat::PdfFigure);
    EXPECT_EQ(figure.size, QSize(800, 600));
    EXPECT_TRUE(IsFigure(figure.format));

    ExportOptions webm;
    ASSERT_TRUE(Parse({"d.vxf", "-o", "a.WebM"}, webm));
    EXPECT_EQ(webm.video, VideoFormat::WebM);
    EXPECT_EQ(webm.frames, 0);
    EXPECT_EQ(webm.fps, 25);
    ExportOptions gif;
    ASSERT_TRUE(Parse({"d.vxf", "-o", "a.gif", "--frames", "40", "--fps", "10", "--size", "321x241"}, gif));
    EXPECT_EQ(gif.video, VideoFormat::Gif);
    EXPECT_EQ(gif.frames, 40);
    EXPECT_EQ(gif.fps, 10);
    EXPECT_EQ(gif.size, QSize(321, 241)) << "a GIF may have any size";
}

// What does not fit is refused with a message saying what is wrong.
TEST(ExportOptions, RefusesWhatDoesNotFit)
{
    EXPECT_TRUE(Refusal({"-o", "a.png"}).contains(QStringLiteral("No document")));
    EXPECT_EQ(Refusal({"", "-o", "a.png"}), QStringLiteral("The document's name is empty."));
    EXPECT_TRUE(Refusal({"a.vxf", "b.vxf", "-o", "a.png"}).contains(QStringLiteral("One document")));
    EXPECT_TRUE(Refusal({"a.vxf"}).contains(QStringLiteral("-o OUT")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.tiff"}).contains(QStringLiteral("unknown")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a"}).contains(QStringLiteral("unknown")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--size", "0x10"}).contains(QStringLiteral("--size 0x10")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--size", "big"}).contains(QStringLiteral("--size big")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.dxf", "--size", "10x10"}).contains(QStringLiteral("no meaning")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--set", "a"}).contains(QStringLiteral("NAME=VALUE")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--set", "a=x"}).contains(QStringLiteral("NAME=VALUE")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--set", "a=inf"}).contains(QStringLiteral("NAME=VALUE")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.stl", "--frames", "3"}).contains(QStringLiteral("picture")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--frames", "-2"}).contains(QStringLiteral("--frames -2")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--frames", "0"}).contains(QStringLiteral("--frames 0")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--paper", "A4"}).contains(QStringLiteral(".pdf")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.pdf", "--paper", "napkin"}).contains(QStringLiteral("napkin")));
    EXPECT_FALSE(Refusal({"a.vxf", "-o", "a.png", "--colour", "red"}).isEmpty());
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.stl", "--shaded"}).contains(QStringLiteral("--shaded")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.svg", "--figure"}).contains(QStringLiteral(".pdf")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.png", "--fps", "10"}).contains(QStringLiteral("videos")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.mp4", "--fps", "0"}).contains(QStringLiteral("--fps 0")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.mp4", "--size", "641x480"}).contains(QStringLiteral("even")));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.webm", "--paper", "A4"}).contains(QStringLiteral(".pdf")));

    // Frames beyond what anyone waits for; a paper with no size; a second
    // value that would silently win over the first; a name no shell shows.
    EXPECT_EQ(Refusal({"a.vxf", "-o", "a.png", "--frames", "2147483647"}),
              QStringLiteral("--frames 2147483647 is too many: at most 100000 frames are written."));
    ExportOptions most;
    EXPECT_TRUE(Parse({"a.vxf", "-o", "a.png", "--frames", "100000"}, most));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.pdf", "--paper", "Custom"}).contains(QStringLiteral("Custom is unknown")));
    EXPECT_EQ(Refusal({"a.vxf", "-o", "a.png", "-o", "b.png"}), QStringLiteral("-o may be given only once."));
    EXPECT_EQ(Refusal({"a.vxf", "--output", "a.png", "-o", "a.png"}), QStringLiteral("-o may be given only once."));
    EXPECT_EQ(Refusal({"a.vxf", "-o", "a.png", "--size", "10x10", "--size", "20x20"}),
              QStringLiteral("--size may be given only once."));
    EXPECT_EQ(Refusal({"a.vxf", "-o", "a\tb.png"}), QStringLiteral("The output name a?b.png holds a control character."));
}

TEST(ExportOptions, ContourLinesForWhatIsDrawn)
{
    ExportOptions o, one, none;
    ASSERT_TRUE(Parse({"a.vxf", "-o", "a.svg", "--contours", "12", "--contour-floor"}, o));
    EXPECT_EQ(o.drawing.contours, (ContourOptions{12, true}));
    ASSERT_TRUE(Parse({"a.vxf", "-o", "a.png", "--contours", "1"}, one));
    EXPECT_EQ(one.drawing.contours, (ContourOptions{1, false}));
    ASSERT_TRUE(Parse({"a.vxf", "-o", "a.png"}, none));
    EXPECT_EQ(none.drawing.contours.levels, 0);
    for (const char *n : {"0", "101", "ten"})
        EXPECT_EQ(Refusal({"a.vxf", "-o", "a.png", "--contours", n}),
                  QStringLiteral("--contours %1 is not a number of levels from 1 to 100.").arg(QLatin1String(n)));
    EXPECT_EQ(Refusal({"a.vxf", "-o", "a.png", "--contour-floor"}), QStringLiteral("--contour-floor needs --contours N."));
    EXPECT_TRUE(Refusal({"a.vxf", "-o", "a.stl", "--contours", "5"}).contains(QStringLiteral("--contours")));
}

// Arguments are decoded as file names are; bytes that would not come back
// as themselves are refused rather than taken for another name.
TEST(ExportOptions, ArgumentsMustNameWhatTheySay)
{
    char program[] = "veltrix-export", document[] = "caf\xC3\xA9.vxf", bad[] = "\xFF\xFE.png";
    char *good[] = {program, document};
    QStringList arguments;
    QString error;
    ASSERT_TRUE(DecodeArguments(2, good, &arguments, &error));
    EXPECT_EQ(arguments, (QStringList{"veltrix-export", QStringLiteral("caf\u00E9.vxf")}));
    char *wrong[] = {program, document, bad};
    EXPECT_FALSE(DecodeArguments(3, wrong, &arguments, &error));
    EXPECT_EQ(error, QStringLiteral("The argument \uFFFD\uFFFD.png is not UTF-8 text."));
}

TEST(ExportOptions, FrameFilesAreNumberedBeforeTheSuffix)
{
    EXPECT_EQ(FrameFileName(QStringLiteral("frame.png"), 1, 5), QStringLiteral("frame0001.png"));
    EXPECT_EQ(FrameFileName(QStringLiteral("out/anim.v2.jpg"), 12, 100), QStringLiteral("out/anim.v20012.jpg"));
    EXPECT_EQ(FrameFileName(QStringLiteral("/tmp/f.bmp"), 7, 12345), QStringLiteral("/tmp/f00007.bmp"));
    EXPECT_EQ(FrameFileName(QStringLiteral("./f.png"), 2, 3), QStringLiteral("./f0002.png"));
}

double ValueOf(int32_t handle, const char *name)
{
    VariableRecord r{};
    EXPECT_NE(get_function_variable(handle, name, &r), 0) << name;
    return r.value;
}

// A parameter takes the value in every function that has it, within each
// one's range; plotted variables and constants are no parameters; a refusal
// changes nothing.
TEST(ExportOptions, SetGivesEveryFunctionsParameterItsValue)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"one", "z(x,y,a)=x+a", WireFrame}));
    ASSERT_TRUE(AddPlot(doc, {"two", "z(x,y,a,b)=a*b", WireFrame}));
    ASSERT_TRUE(AddPlot(doc, {"three", "z(x,y)=x*y", WireFrame}));
    const int32_t one = doc.Get(0).handle, two = doc.Get(1).handle;
    for (int32_t h : {one, two}) {
        VariableRecord a{};
        ASSERT_NE(get_function_variable(h, "a", &a), 0);
        a.name = "a";
        a.min = 0;
        a.max = h == one ? 10 : 3;
        ASSERT_NE(modify_function_variable(h, a), 0);
    }
    QString error;
    ASSERT_TRUE(SetParameter(doc, {QStringLiteral("a"), 2.5}, &error)) << error.toStdString();
    EXPECT_EQ(ValueOf(one, "a"), 2.5);
    EXPECT_EQ(ValueOf(two, "a"), 2.5);

    EXPECT_FALSE(SetParameter(doc, {QStringLiteral("a"), 5}, &error));
    EXPECT_EQ(error, QStringLiteral("Out of range: a = 5. is outside [0.,3.] in \"two\""));
    EXPECT_EQ(ValueOf(one, "a"), 2.5) << "nothing changed";
    // Both ends of every range are within it.
    for (double end : {0.0, 3.0}) {
        EXPECT_TRUE(SetParameter(doc, {QStringLiteral("a"), end}, &error)) << end << " " << error.toStdString();
        EXPECT_EQ(ValueOf(two, "a"), end);
    }

    for (const char *name : {"x", "pi", "c"}) {
        EXPECT_FALSE(SetParameter(doc, {QString::fromLatin1(name), 0}, &error)) << name;
        EXPECT_EQ(error, QStringLiteral("No function of the document has a parameter named %1.").arg(name));
    }
}

} // namespace
