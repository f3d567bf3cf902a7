#pragma once

#include <QList>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <QStringList>

#include "model/CommandLinePlot.h"
#include "output/VideoEncoder.h"
#include "view3d/RenderOptions.h"

// What the exporter writes, by the output file's suffix.
enum class ExportFormat {
    Picture,
    Pdf,
    Dxf,
    Obj,
    Stl,
    Gltf,
    WebPage,
    Svg,
    PdfFigure,
    Video
};

// A --set NAME=VALUE.
struct ParameterValue {
    QString name;
    double value = 0;
};

// The size of a picture when --size is not given.
inline const QSize kDefaultPictureSize{1280, 1024};

// Most pictures one --frames may ask for: more would run for days or fill
// the disk.
constexpr int kMaxFrames = 100000;

// The exporter's command line.
struct ExportOptions {
    QString document;          // empty when the plot comes from -e
    PlotRequest plot;          // -e and the options that go with it
    QString output;            // empty when only --save or --info was asked
    QString save;              // --save: keep the document as well
    bool info = false;         // --info: print the document as JSON
    ExportFormat format = ExportFormat::Picture;
    QSize size = kDefaultPictureSize;
    QList<ParameterValue> parameters;
    int frames = 0;   // 0: a single picture, or a video of one whole loop
    VideoFormat video = VideoFormat::Mp4;
    int fps = 25;
    QPageSize paper{QPageSize::A4};
    // The plain designed picture unless asked otherwise: a script gives the
    // same files whoever runs it, whatever they chose in the program.
    RenderOptions drawing;
    bool help = false;
    bool version = false;
};

// The arguments of main() as text, decoded as file names are.  False with a
// message in `error` when one of them would not give back its own bytes:
// used as a name it would name another file.
bool DecodeArguments(int argc, char **argv, QStringList *arguments, QString *error);

// Reads the arguments (the program name first).  False with a message in
// `error` when they are wrong or do not fit the output's format.
bool ParseExportArguments(const QStringList &arguments, ExportOptions &options, QString *error);

// The text of --help.
QString ExportUsage();

// Whether the format is a vector figure of the scene (.svg, .pdf --figure).
bool IsFigure(ExportFormat format);

// The paper of a name such as "A4", "letter" or "Legal" (any case).
bool PaperByName(const QString &name, QPageSize *paper);
