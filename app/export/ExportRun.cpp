// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExportRun.h"

#include <QDir>
#include <QFileInfo>

#include "ExportOptions.h"
#include "ParameterSetting.h"
#include "model/CVeltrix2Doc.h"
#include "model/DocumentInfo.h"
#include "output/AnimationFilm.h"
#include "output/DxfWriter.h"
#include "output/FigureFiles.h"
#include "output/GltfWriter.h"
#include "output/MeshFiles.h"
#include "output/OffscreenRenderer.h"
#include "output/PictureFiles.h"
#include "output/SafeFileWriter.h"
#include "output/SceneGeometry.h"
#include "output/ScenePrinting.h"
#include "output/SurfaceMesh.h"
#include "output/WebPage.h"
#include "view3d/AnimationEngine.h"
#include "view3d/SceneState.h"

namespace {

// The scene as the document was saved: its camera, at the given size.
SceneState DocumentScene(const CVeltrix2Doc &doc, QSize size, const RenderOptions &drawing)
{
    SceneState scene = SavedScene(doc, size.width(), size.height(), drawing);
    // Pictures larger than the default size show its lines as much wider.
    scene.lineWidth = ScaledLineWidth(size.width(), size.height(), kDefaultPictureSize.width(),
                                      kDefaultPictureSize.height());
    return scene;
}

class Exporter {
public:
    Exporter(const ExportOptions &options, const ExportConsole &console)
        : options_(options), console_(console) {}

    int Run()
    {
        const int read = options_.document.isEmpty() ? BuildDocument() : ReadDocument();
        if (read != ExportWritten)
            return read;
        for (const ParameterValue &p : options_.parameters) {
            QString error;
            if (!SetParameter(doc_, p, &error))
                return Fail(ExportUsageError, error);
        }
        if (!options_.save.isEmpty()) {
            QString error;
            if (!doc_.Save(options_.save, &error))
                return Fail(ExportOutputFailed, error);
        }
        if (options_.info && console_.output)
            console_.output(DocumentInfoJson(doc_, Title()));
        if (options_.output.isEmpty())
            return ExportWritten;
        switch (options_.format) {
        case ExportFormat::Picture: return WritePicture();
        case ExportFormat::Pdf: return WritePdf();
        case ExportFormat::Dxf: return WriteDrawing();
        case ExportFormat::Obj:
        case ExportFormat::Stl: return WriteMesh();
        case ExportFormat::Gltf:
        case ExportFormat::WebPage: return WriteScene();
        case ExportFormat::Svg:
        case ExportFormat::PdfFigure: return WriteFigure();
        case ExportFormat::Video: return WriteVideo();
        }
        return ExportUsageError;
    }

private:
    int Fail(int status, const QString &message) const
    {
        console_.error(message);
        return status;
    }

    // The name the document goes by: its file's, else "Untitled".
    QString Title() const
    {
        const QString path = !options_.save.isEmpty() ? options_.save : options_.document;
        return path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    }

    // The -e functions, through the add-function flow's checks.
    int BuildDocument()
    {
        PlotRefusal refusal;
        if (BuildPlot(doc_, options_.plot, &refusal))
            return ExportWritten;
        QString where;
        if (refusal.definition >= 0 && options_.plot.definitions.size() > 1)
            where = QStringLiteral("-e #%1: ").arg(refusal.definition + 1);
        else if (refusal.definition >= 0)
            where = QStringLiteral("-e: ");
        return Fail(ExportUsageError, where + refusal.Describe());
    }

    // The document reader's own messages, as the program shows them.
    int ReadDocument()
    {
        QString error;
        const ReadOutcome outcome = doc_.Open(options_.document, &error);
        if (outcome == ReadOutcome::Ok)
            return ExportWritten;
        return Fail(ExportDocumentUnreadable, ReadFailureLine(options_.document, outcome, error));
    }

    int WriteDrawing()
    {
        QString error;
        QStringList leftOut;
        const bool written = WriteFileSafely(
            options_.output, [&](QIODevice &out) { return WriteDxf(doc_, out, &leftOut); }, &error);
        Note(leftOut);
        return written ? ExportWritten : Fail(ExportOutputFailed, error);
    }

    // Says once which functions the output lacks and why.
    void Note(const QStringList &leftOut)
    {
        if (noted_)
            return;
        noted_ = true;
        for (const QString &note : leftOut)
            console_.note(note);
    }

    int WriteMesh()
    {
        const SceneMesh mesh = BuildSceneMesh(doc_);
        for (const QString &note : mesh.notes)
            console_.note(note);
        if (mesh.functions.empty())
            console_.note(QStringLiteral("No visible surface: %1 holds no triangles.").arg(options_.output));
        const bool stl = options_.format == ExportFormat::Stl;
        const QString refusal = stl ? StlRefusal(mesh) : QString();
        if (!refusal.isEmpty())
            return Fail(ExportOutputFailed, refusal);
        QString error;
        const bool written =
            stl
                ? WriteFileSafely(options_.output, [&](QIODevice &out) { return WriteStl(mesh, out); }, &error)
                : WriteObjFiles(mesh, options_.output, &error);
        return written ? ExportWritten : Fail(ExportOutputFailed, error);
    }

    // glTF and the web page: the scene as the view draws it.
    int WriteScene()
    {
        const GlyphOutlines glyphs;
        const SceneGeometry scene = BuildSceneGeometry(doc_, glyphs);
        for (const QString &note : scene.notes)
            console_.note(note);
        const QString title = Title();
        const bool page = options_.format == ExportFormat::WebPage;
        QString error;
        const auto write = [&](QIODevice &out) {
            return page ? WriteWebPage(scene, title, out) : WriteGltf(scene, title, out);
        };
        const bool written = WriteFileSafely(options_.output, write, &error);
        return written ? ExportWritten : Fail(ExportOutputFailed, error);
    }

    int WritePdf()
    {
        QString error;
        QStringList leftOut;
        const bool written = PrintSceneToPdf(options_.output, DocumentScene(doc_, options_.size, options_.drawing),
                                             options_.paper, &error, &leftOut);
        Note(leftOut);
        return written ? ExportWritten : Fail(ExportOutputFailed, error);
    }

    int WriteFigure()
    {
        const SceneState scene = DocumentScene(doc_, options_.size, options_.drawing);
        QString error;
        QStringList leftOut;
        const bool written = options_.format == ExportFormat::Svg
                                 ? WriteSvgFigure(options_.output, scene, options_.size, &error, &leftOut)
                                 : WritePdfFigure(options_.output, scene, options_.size, &error, &leftOut);
        Note(leftOut);
        return written ? ExportWritten : Fail(ExportOutputFailed, error);
    }

    // The animation of the first shown function that has parameters.
    int32_t AnimatedFunction() const
    {
        const FunctionList &functions = doc_.Functions();
        for (int p = functions.First(); p >= 0; p = functions.Next(p))
            if (functions.At(p).visible && AnimationLoopLength(functions, functions.At(p).handle) > 0)
                return functions.At(p).handle;
        return -1;
    }

    int WriteVideo()
    {
        FilmRequest request;
        request.scene = DocumentScene(doc_, options_.size, options_.drawing);
        request.handle = AnimatedFunction();
        request.size = options_.size;
        request.frames = options_.frames;
        request.fps = options_.fps;
        request.format = options_.video;
        if (request.handle < 0)
            return Fail(ExportUsageError, QStringLiteral("No shown function of the document has parameters to animate."));
        const uint64_t loop = AnimationLoopLength(doc_.Functions(), request.handle);
        if (request.frames == 0 && loop > kMaxLoopFrames)
            return Fail(ExportUsageError, QStringLiteral("One loop of the animation has %1 pictures: give their number with --frames.")
                                              .arg(loop));
        // A GIF is walked twice (its colors first): the frame shown runs at
        // half speed over both walks.
        const int passes = request.format == VideoFormat::Gif ? 2 : 1;
        FilmProgress progress;
        int shown = 0;
        if (console_.progress)
            progress = [this, passes, &shown](int done, int total) {
                const int frame = (done + passes - 1) / passes;
                if (frame != shown)
                    console_.progress(frame, total / passes);
                shown = frame;
                return true;
            };
        QString error;
        QStringList leftOut;
        const FilmOutcome outcome = WriteAnimationFilm(options_.output, request, progress, &error, &leftOut);
        Note(leftOut);
        return outcome == FilmOutcome::Written ? ExportWritten : Fail(ExportOutputFailed, error);
    }

    int WritePicture()
    {
        OffscreenRenderer renderer;
        if (!renderer.IsValid())
            return Fail(ExportOutputFailed, QStringLiteral("The scene cannot be rendered: %1.").arg(renderer.Error()));
        const QSize size = options_.size;
        if (size.width() > renderer.MaxSide() || size.height() > renderer.MaxSide())
            return Fail(ExportUsageError, QStringLiteral("A picture of %1 x %2 pixels is too large: at most %3 a side.")
                                              .arg(size.width())
                                              .arg(size.height())
                                              .arg(renderer.MaxSide()));
        if (options_.frames > 0)
            return WriteFrames(renderer);
        return RenderAndWrite(renderer, options_.output);
    }

    // Frame after frame of the animation of the first shown function that
    // has parameters: the first position, then one tick of the engine each.
    int WriteFrames(OffscreenRenderer &renderer)
    {
        FrameByFrameClock clock;
        AnimationEngine engine(clock);
        const FunctionList &functions = doc_.Functions();
        bool started = false;
        for (int p = functions.First(); p >= 0 && !started; p = functions.Next(p))
            if (functions.At(p).visible)
                started = engine.Start(functions, functions.At(p).handle, doc_.Settings().animationIntervalMs);
        if (!started)
            return Fail(ExportUsageError, QStringLiteral("No shown function of the document has parameters to animate."));
        const int total = options_.frames;
        for (int frame = 1; frame <= total; ++frame) {
            if (frame > 1)
                engine.Tick();
            const int status = RenderAndWrite(renderer, FrameFileName(options_.output, frame, total));
            if (status != ExportWritten)
                return status;
            engine.FrameShown();
            if (console_.progress)
                console_.progress(frame, total);
        }
        return ExportWritten;
    }

    int RenderAndWrite(OffscreenRenderer &renderer, const QString &path)
    {
        const QSize size = options_.size;
        QString error;
        const bool written = WriteRenderedPicture(path, renderer, DocumentScene(doc_, size, options_.drawing),
                                                  size.width(), size.height(), &error);
        // What the drawing left out is told with the picture that lacks it.
        if (written)
            Note(renderer.LeftOut());
        if (!written)
            return Fail(ExportOutputFailed, error);
        return ExportWritten;
    }

    const ExportOptions &options_;
    const ExportConsole &console_;
    CVeltrix2Doc doc_;
    bool noted_ = false;
};

} // namespace

int RunExport(const ExportOptions &options, const ExportConsole &console)
{
    return Exporter(options, console).Run();
}

bool ExportNeedsFonts(const ExportOptions &options)
{
    if (options.output.isEmpty())
        return false;
    switch (options.format) {
    case ExportFormat::Picture:
    case ExportFormat::Pdf:
    case ExportFormat::Gltf:
    case ExportFormat::WebPage:
    case ExportFormat::Svg:
    case ExportFormat::PdfFigure:
    case ExportFormat::Video: return true;
    default: return false;
    }
}

QString FrameFileName(const QString &output, int index, int count)
{
    const QFileInfo info(output);
    const int width = std::max(4, int(QString::number(count).size()));
    const QString name = info.completeBaseName() + QStringLiteral("%1").arg(index, width, 10, QLatin1Char('0')) +
                         QLatin1Char('.') + info.suffix();
    return info.path() == QLatin1String(".") && !output.startsWith(QLatin1String("./"))
               ? name
               : QDir(info.path()).filePath(name);
}
