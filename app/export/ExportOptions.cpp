#include "ExportOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include <QFile>

#include "output/FigureFiles.h"
#include "output/PictureFiles.h"

namespace {

// More pictures a second than players show.
constexpr int kMaxFps = 240;

bool Fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// A name as it can be shown: control characters as "?".
QString Printable(QString name)
{
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return name;
}

bool FormatOfSuffix(const QString &suffix, ExportFormat *format)
{
    const QString s = suffix.toLower();
    if (IsPictureSuffix(s))
        *format = ExportFormat::Picture;
    else if (s == QLatin1String("pdf"))
        *format = ExportFormat::Pdf;
    else if (s == QLatin1String("dxf"))
        *format = ExportFormat::Dxf;
    else if (s == QLatin1String("obj"))
        *format = ExportFormat::Obj;
    else if (s == QLatin1String("stl"))
        *format = ExportFormat::Stl;
    else if (s == QLatin1String("glb"))
        *format = ExportFormat::Gltf;
    else if (s == QLatin1String("html") || s == QLatin1String("htm"))
        *format = ExportFormat::WebPage;
    else if (IsFigureSuffix(s))
        *format = ExportFormat::Svg;
    else if (VideoFormat video; VideoFormatOfSuffix(s, &video))
        *format = ExportFormat::Video;
    else
        return false;
    return true;
}

bool ParseSize(const QString &text, QSize *size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    *size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    return size->width() > 0 && size->height() > 0;
}

bool ParseParameter(const QString &text, ParameterValue *parameter)
{
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    bool ok = false;
    parameter->name = text.left(equals).trimmed();
    parameter->value = QLocale::c().toDouble(text.mid(equals + 1).trimmed(), &ok);
    return ok && !parameter->name.isEmpty() && std::isfinite(parameter->value);
}

} // namespace

bool IsFigure(ExportFormat format)
{
    return format == ExportFormat::Svg || format == ExportFormat::PdfFigure;
}

bool PaperByName(const QString &name, QPageSize *paper)
{
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const QPageSize::PageSizeId sizeId = QPageSize::PageSizeId(id);
        // "Custom" names no size at all.
        if (sizeId == QPageSize::Custom)
            continue;
        // Keys such as "Executive.7.5x10in" are also known by their first word.
        const QString key = QPageSize::key(sizeId);
        if (key.compare(name, Qt::CaseInsensitive) == 0 ||
            key.section(QLatin1Char('.'), 0, 0).compare(name, Qt::CaseInsensitive) == 0) {
            *paper = QPageSize(sizeId);
            return true;
        }
    }
    return false;
}

QString ExportUsage()
{
    return QStringLiteral(
               "Usage: veltrix-export DOC.vxf -o OUT [--size WxH] [--set NAME=VALUE ...]\n"
               "                      [--frames N] [--fps N] [--paper NAME] [--figure]\n"
               "       veltrix-export -e DEFINITION [-e ...] [--range NAME=MIN:MAX] [--steps NAME=N]\n"
               "                      [--mode MODE] [--colors C1,C2] [-o OUT] [--save DOC.vxf]\n"
               "       veltrix-export --info DOC.vxf\n"
               "\n"
               "Renders a Veltrix document, or functions given with -e, without a display\n"
               "and writes it in the format that OUT's extension names:\n"
               "  .png .jpg .bmp  the scene as the view shows it, from the document's camera\n"
               "  .svg            the scene as a vector figure, from the document's camera\n"
               "  .pdf            the printed pages (the scene and the list of functions);\n"
               "                  with --figure the scene as a one-page vector figure\n"
               "  .mp4 .webm .gif a film of the animation of the first shown function with\n"
               "                  parameters (H.264, VP9, or a GIF with one palette)\n"
               "  .dxf            the drawing File > Export > DXF writes\n"
               "  .obj            the visible surfaces as triangles, with materials in a .mtl beside it\n"
               "  .stl            the visible surfaces as triangles (binary STL)\n"
               "  .glb            the scene as binary glTF 2.0: surfaces, curves, cube, axes, camera\n"
               "  .html           one web page that shows the scene and turns it with the mouse\n"
               "\n"
               "Options:\n"
               "  -o, --output OUT     the file to write\n"
               "  --save DOC.vxf       keep the document as well (with -e: the plot as a document)\n"
               "  --info               print the document's settings, functions and variables\n"
               "                       as JSON\n"
               "  --size WxH           picture or figure size in pixels, at 96 dpi for figures\n"
               "                       (default 1280x1024); for printed .pdf pages the\n"
               "                       proportions of the scene on the first page\n"
               "  --set NAME=VALUE     give the parameter NAME of every function that has it a\n"
               "                       value within its range (may be repeated)\n"
               "  --frames N           write N pictures (at most %2) of the animation of\n"
               "                       the first shown function with parameters: OUT\n"
               "                       frame.png gives frame0001.png, frame0002.png, ...;\n"
               "                       a film has N pictures (default: one whole loop)\n"
               "  --fps N              pictures a second of a film (default 25)\n"
               "  --paper NAME         paper of a .pdf: A4 (default), Letter, Legal, A3, A5, ...\n"
               "  --figure             write a .pdf as a vector figure of the scene, not pages\n"
               "  --smooth-lines       draw pictures, films and pages with smoothed edges and lines\n"
               "  --shaded             light filled surfaces from the viewer's side\n"
               "  --legend             draw a colour bar for every gradient function\n"
               "  --contours N         draw about N contour lines on every graph z(x,y),\n"
               "                       at round levels (1 to 100)\n"
               "  --contour-floor      project the contour lines onto the cube's floor too\n"
               "%1"
               "  -h, --help           show this text\n"
               "  -v, --version        show the version\n"
               "\n"
               "Exit status: 0 written, 1 the output could not be rendered or written,\n"
               "2 the document could not be read, 3 wrong command line, --set refused or a\n"
               "definition refused.\n")
        .arg(PlotOptionsUsage())
        .arg(kMaxFrames);
}

bool ParseExportArguments(const QStringList &arguments, ExportOptions &options, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("OUT"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption set(QStringLiteral("set"), QString(), QStringLiteral("NAME=VALUE"));
    const QCommandLineOption frames(QStringLiteral("frames"), QString(), QStringLiteral("N"));
    const QCommandLineOption fps(QStringLiteral("fps"), QString(), QStringLiteral("N"));
    const QCommandLineOption paper(QStringLiteral("paper"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption smooth(QStringLiteral("smooth-lines"));
    const QCommandLineOption shaded(QStringLiteral("shaded"));
    const QCommandLineOption legend(QStringLiteral("legend"));
    const QCommandLineOption contours(QStringLiteral("contours"), QString(), QStringLiteral("N"));
    const QCommandLineOption contourFloor(QStringLiteral("contour-floor"));
    const QCommandLineOption figure(QStringLiteral("figure"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption save(QStringLiteral("save"), QString(), QStringLiteral("DOC"));
    const QCommandLineOption info(QStringLiteral("info"));
    parser.addOptions({output, size, set, frames, fps, paper, smooth, shaded, legend, contours, contourFloor, figure, help,
                       version, save, info});
    AddPlotOptions(parser);
    if (!parser.parse(arguments))
        return Fail(error, parser.errorText());
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    if (options.help || options.version)
        return true;
    // A second value would silently win over the first.
    for (const QCommandLineOption *single : {&output, &size, &frames, &paper, &save, &contours}) {
        if (parser.values(*single).size() > 1) {
            const QString name = single->names().front();
            return Fail(error, QStringLiteral("%1%2 may be given only once.")
                                   .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
        }
    }

    if (!ReadPlotOptions(parser, &options.plot, error))
        return false;
    const QStringList documents = parser.positionalArguments();
    if (!options.plot.IsEmpty()) {
        if (!documents.isEmpty())
            return Fail(error, QStringLiteral("Give a document or -e definitions, not both."));
    } else if (documents.size() != 1) {
        return Fail(error, documents.isEmpty() ? QStringLiteral("No document given.")
                                               : QStringLiteral("One document at a time, not %1.").arg(documents.size()));
    } else if (documents.front().isEmpty()) {
        // An empty name (a script's unset variable) would read as no
        // document and write an empty scene.
        return Fail(error, QStringLiteral("The document's name is empty."));
    } else {
        options.document = documents.front();
    }
    options.save = parser.value(save);
    options.info = parser.isSet(info);
    if (parser.isSet(save) && options.save.isEmpty())
        return Fail(error, QStringLiteral("--save needs a file name."));
    for (const QString &name : {options.save, parser.value(output)}) {
        if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
            return Fail(error, QStringLiteral("The output name %1 holds a control character.").arg(Printable(name)));
    }
    for (const QString &text : parser.values(set)) {
        ParameterValue p;
        if (!ParseParameter(text, &p))
            return Fail(error, QStringLiteral("--set %1 is not NAME=VALUE with a number as the value.").arg(text));
        options.parameters << p;
    }
    options.output = parser.value(output);
    if (options.output.isEmpty()) {
        if (options.save.isEmpty() && !options.info)
            return Fail(error, QStringLiteral("No output given: -o OUT."));
        for (const QCommandLineOption *o :
             {&size, &frames, &fps, &figure, &paper, &smooth, &shaded, &legend, &contours, &contourFloor})
            if (parser.isSet(*o))
                return Fail(error, QStringLiteral("--%1 needs an output: -o OUT.").arg(o->names().front()));
        return true;
    }
    if (!FormatOfSuffix(QFileInfo(options.output).suffix(), &options.format))
        return Fail(error, QStringLiteral("The format of %1 is unknown: use .png, .jpg, .bmp, .svg, .pdf, .mp4, "
                                          ".webm, .gif, .dxf, .obj, .stl, .glb or .html.")
                               .arg(options.output));
    const bool video = options.format == ExportFormat::Video;
    if (video)
        VideoFormatOfSuffix(QFileInfo(options.output).suffix(), &options.video);
    if (parser.isSet(figure)) {
        if (options.format != ExportFormat::Pdf)
            return Fail(error, QStringLiteral("--figure is for .pdf files only (an .svg is always a figure)."));
        options.format = ExportFormat::PdfFigure;
    }

    const bool picture = options.format == ExportFormat::Picture;
    // What draws the scene the way the view does: pictures, figures, pages.
    const bool drawn = picture || video || IsFigure(options.format) || options.format == ExportFormat::Pdf;
    if (parser.isSet(size)) {
        if (!drawn)
            return Fail(error, QStringLiteral("--size has no meaning for %1.").arg(options.output));
        if (!ParseSize(parser.value(size), &options.size))
            return Fail(error, QStringLiteral("--size %1 is not a size such as 1920x1080.").arg(parser.value(size)));
    }
    if (video && options.video != VideoFormat::Gif && (options.size.width() % 2 || options.size.height() % 2))
        return Fail(error, QStringLiteral("%1 videos need an even width and height, not %2x%3.")
                               .arg(VideoSuffix(options.video).toUpper())
                               .arg(options.size.width())
                               .arg(options.size.height()));
    if (parser.isSet(frames)) {
        if (!picture && !video)
            return Fail(error, QStringLiteral("--frames needs pictures or a video to write (.png, .jpg, .bmp, .mp4, .webm or .gif), not %1.")
                                   .arg(options.output));
        bool ok = false;
        options.frames = parser.value(frames).toInt(&ok);
        if (!ok || options.frames < 1)
            return Fail(error, QStringLiteral("--frames %1 is not a number of frames.").arg(parser.value(frames)));
        if (options.frames > kMaxFrames)
            return Fail(error, QStringLiteral("--frames %1 is too many: at most %2 frames are written.")
                                   .arg(parser.value(frames))
                                   .arg(kMaxFrames));
    }
    if (parser.isSet(fps)) {
        if (!video)
            return Fail(error, QStringLiteral("--fps is for videos (.mp4, .webm or .gif) only."));
        bool ok = false;
        options.fps = parser.value(fps).toInt(&ok);
        if (!ok || options.fps < 1 || options.fps > kMaxFps)
            return Fail(error, QStringLiteral("--fps %1 is not a number of pictures a second from 1 to %2.")
                                   .arg(parser.value(fps))
                                   .arg(kMaxFps));
    }
    for (const QCommandLineOption *drawing : {&smooth, &shaded, &legend, &contours, &contourFloor}) {
        if (parser.isSet(*drawing) && !drawn)
            return Fail(error, QStringLiteral("--%1 is for pictures, figures and .pdf files only.").arg(drawing->names().front()));
    }
    options.drawing.smoothLines = parser.isSet(smooth);
    options.drawing.shadedSurfaces = parser.isSet(shaded);
    options.drawing.colorLegend = parser.isSet(legend);
    if (parser.isSet(contours)) {
        bool ok = false;
        options.drawing.contours.levels = parser.value(contours).toInt(&ok);
        if (!ok || options.drawing.contours.levels < 1 || options.drawing.contours.levels > kMaxContourLevels)
            return Fail(error, QStringLiteral("--contours %1 is not a number of levels from 1 to %2.")
                                   .arg(parser.value(contours))
                                   .arg(kMaxContourLevels));
    }
    if (parser.isSet(contourFloor)) {
        if (!parser.isSet(contours))
            return Fail(error, QStringLiteral("--contour-floor needs --contours N."));
        options.drawing.contours.floor = true;
    }
    if (parser.isSet(paper)) {
        if (options.format != ExportFormat::Pdf)
            return Fail(error, QStringLiteral("--paper is for printed .pdf pages only."));
        if (!PaperByName(parser.value(paper), &options.paper))
            return Fail(error, QStringLiteral("The paper %1 is unknown: try A4, Letter, Legal, A3 or A5.")
                                   .arg(parser.value(paper)));
    }
    return true;
}

bool DecodeArguments(int argc, char **argv, QStringList *arguments, QString *error)
{
    arguments->clear();
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString text = QFile::decodeName(bytes);
        // Bytes that are not text come back as other bytes: the file
        // written or read would be another one than the name given.
        if (QFile::encodeName(text) != bytes)
            return Fail(error, QStringLiteral("The argument %1 is not UTF-8 text.")
                                   .arg(Printable(text)));
        *arguments << text;
    }
    return true;
}
