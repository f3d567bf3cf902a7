#include "output/OutputCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QStatusTipEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "output/DxfWriter.h"
#include "output/FigureFiles.h"
#include "output/GltfWriter.h"
#include "output/MeshFiles.h"
#include "output/OffscreenRenderer.h"
#include "output/PictureFiles.h"
#include "output/PictureSizeDialog.h"
#include "output/SafeFileWriter.h"
#include "output/SceneGeometry.h"
#include "output/ScenePrinting.h"
#include "output/SurfaceMesh.h"
#include "output/ViewCapture.h"
#include "output/WebPage.h"
#include "view3d/SceneState.h"
#include "view3d/CommandAction.h"
#include "view3d/GLView.h"

namespace {

const QString kNoPicture = QStringLiteral("The picture of the 3D view could not be read: the view has no OpenGL context.");

// Shows the wait cursor while it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Whether the printer writes a PDF file (Print to File) rather than printing.
bool PrintsToFile(QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
           printer.paintEngine() && printer.paintEngine()->type() == QPaintEngine::Pdf;
}

// The range the user chose in the print dialog; none for all pages.
std::optional<PrintLayout::PageRange> ChosenRange(const QPrinter &printer)
{
    if (printer.printRange() != QPrinter::PageRange)
        return std::nullopt;
    return PrintLayout::PageRange{printer.fromPage(), printer.toPage()};
}

} // namespace

OutputCommands::OutputCommands(GLView *view, std::function<QPrinter *()> printer, QWidget *parent)
    : QObject(parent), view_(view), printer_(std::move(printer)), parent_(parent)
{
    prompts_.askSavePath = [parent](const SaveRequest &r) {
        QFileDialog dialog(parent, r.caption);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(r.filters);
        dialog.setDefaultSuffix(r.suffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
        if (!r.folder.isEmpty())
            dialog.setDirectory(r.folder);
        if (!r.name.isEmpty())
            dialog.selectFile(r.name);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    prompts_.askPrint = [parent](QPrinter &printer, const QString &pdfPath) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, 1000);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        // The dialog offers "<job name>.pdf" in the home folder for a file;
        // the document's own name beside it is the better guess.  Setting
        // the printer's file instead would choose printing to a file.
        if (auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename")); file && !pdfPath.isEmpty())
            file->setText(pdfPath);
        return dialog.exec() == QDialog::Accepted;
    };
    prompts_.askPictureSize = [parent](QSize viewSize, int maxSide) -> std::optional<QSize> {
        PictureSizeDialog dialog(viewSize, maxSide, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.ChosenSize();
    };
    prompts_.showError = [parent](const QString &message) {
        QMessageBox::critical(parent, QStringLiteral("Error"), message);
    };
    // The main window shows a status tip in its status bar.
    prompts_.showStatus = [parent](const QString &message) {
        if (parent) {
            QStatusTipEvent tip(message);
            QCoreApplication::sendEvent(parent, &tip);
        }
    };
    prompts_.showNote = [parent](const QString &caption, const QString &message) {
        QMessageBox::information(parent, caption, message);
    };
    prompts_.askAnimation = [parent](const QString &label, QSize viewSize, int maxSide,
                                     int loopLength) -> std::optional<AnimationChoice> {
        AnimationExportDialog dialog(label, viewSize, maxSide, loopLength, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Choice();
    };
    prompts_.showProgress = [parent](const QString &caption, int total) -> FilmProgress {
        auto dialog = std::make_shared<QProgressDialog>(caption, QStringLiteral("Cancel"), 0, total, parent);
        dialog->setWindowTitle(QStringLiteral("Export Animation"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setValue(0);
        return [dialog](int done, int) {
            // Setting the value lets the dialog take the user's Cancel.
            dialog->setValue(done);
            return !dialog->wasCanceled();
        };
    };
    prompts_.showWorking = [parent](const QString &title, const QString &caption,
                                    int total) -> std::function<void(int)> {
        auto dialog = std::make_shared<QProgressDialog>(caption, QString(), 0, total, parent);
        dialog->setWindowTitle(title);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setCancelButton(nullptr);
        dialog->setMinimumDuration(1000);
        return [dialog](int done) { dialog->setValue(done); };
    };
    MakeActions();
}

void OutputCommands::MakeActions()
{
    OutputActions &a = actions_;
    a.print = MakeCommandAction(this, "print", QStringLiteral("&Print...\tCtrl+P"),
                                QStringLiteral("Print the active document\nPrint"),
                                {QKeySequence(QStringLiteral("Ctrl+P"))});
    a.printPreview = MakeCommandAction(this, "printPreview", QStringLiteral("Print Pre&view..."),
                                       QStringLiteral("Display full pages\nPrint Preview"));
    a.printSetup = MakeCommandAction(this, "printSetup", QStringLiteral("P&rint Setup..."),
                                     QStringLiteral("Change the printer and printing options\nPage Setup"));
    a.exportBmp = MakeCommandAction(this, "exportBmp", QStringLiteral("&BMP"),
                                    QStringLiteral("Export the rendered scene to a .bmp image"));
    a.exportDxf = MakeCommandAction(this, "exportDxf", QStringLiteral("&DXF"),
                                    QStringLiteral("Export the rendered scene to a .dxf file"));
    a.exportPng = MakeCommandAction(this, "exportPng", QStringLiteral("&PNG..."),
                                    QStringLiteral("Export the scene to a .png image of the size you choose"));
    a.exportObj = MakeCommandAction(this, "exportObj", QStringLiteral("&OBJ..."),
                                    QStringLiteral("Export the visible surfaces to a .obj mesh"));
    a.exportStl = MakeCommandAction(this, "exportStl", QStringLiteral("S&TL..."),
                                    QStringLiteral("Export the visible surfaces to a .stl mesh"));
    a.exportGltf =
        MakeCommandAction(this, "exportGltf", QStringLiteral("&glTF..."),
                          QStringLiteral("Export the scene to a .glb file that 3D programs and viewers open"));
    a.exportWebPage = MakeCommandAction(this, "exportWebPage", QStringLiteral("&Web Page..."),
                                        QStringLiteral("Export the scene to a web page that turns it with the mouse"));
    a.exportSvg = MakeCommandAction(this, "exportSvg", QStringLiteral("S&VG..."),
                                    QStringLiteral("Export the scene to a .svg vector figure for papers and slides"));
    a.exportPdfFigure = MakeCommandAction(this, "exportPdfFigure", QStringLiteral("PD&F Figure..."),
                                          QStringLiteral("Export the scene to a one-page vector .pdf figure"));
    a.exportAnimation =
        MakeCommandAction(this, "exportAnimation", QStringLiteral("&Animation..."),
                          QStringLiteral("Export the animation of a function to an .mp4, .webm or .gif film"));
    a.copy = MakeCommandAction(this, "copy", QStringLiteral("&Copy\tCtrl+C"),
                               QStringLiteral("Copy the selection and put it on the Clipboard\nCopy"),
                               {QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Insert"))});

    const struct {
        QAction *action;
        void (OutputCommands::*command)();
    } commands[] = {
        {a.print, &OutputCommands::Print},
        {a.printPreview, &OutputCommands::PrintPreview},
        {a.printSetup, &OutputCommands::PrintSetup},
        {a.exportBmp, &OutputCommands::ExportBmp},
        {a.exportDxf, &OutputCommands::ExportDxf},
        {a.exportPng, &OutputCommands::ExportPng},
        {a.exportObj, &OutputCommands::ExportObj},
        {a.exportStl, &OutputCommands::ExportStl},
        {a.exportGltf, &OutputCommands::ExportGltf},
        {a.exportWebPage, &OutputCommands::ExportWebPage},
        {a.exportSvg, &OutputCommands::ExportSvg},
        {a.exportPdfFigure, &OutputCommands::ExportPdfFigure},
        {a.exportAnimation, &OutputCommands::ExportAnimation},
        {a.copy, &OutputCommands::Copy},
    };
    for (const auto &c : commands)
        connect(c.action, &QAction::triggered, this, c.command);
}

void OutputCommands::PrintSetup()
{
    QPageSetupDialog dialog(printer_(), parent_);
    dialog.exec();
}

QString OutputCommands::ProposedName(const QString &suffix) const
{
    const CVeltrix2Doc *doc = view_->Document();
    if (!doc || doc->PathName().isEmpty())
        return QString();
    return QFileInfo(doc->PathName()).completeBaseName() + QLatin1Char('.') + suffix;
}

void OutputCommands::ShowWritten(const QString &path, QSize size)
{
    QString text = QStringLiteral("Wrote %1").arg(QFileInfo(path).fileName());
    if (size.isValid())
        text += QStringLiteral(" (%1 x %2)").arg(size.width()).arg(size.height());
    prompts_.showStatus(text);
}

QString OutputCommands::AskSavePath(SaveRequest request)
{
    if (startFolder_)
        request.folder = startFolder_();
    request.name = ProposedName(request.suffix);
    QString path = prompts_.askSavePath(request);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + request.suffix;
    return path;
}

// The view's picture as the options ask for it: a frame drawn while the
// scene moved lacks the smooth lines, and is drawn again first.
bool OutputCommands::CaptureSettledView(BitmapPixels &pixels)
{
    view_->SettleFrame();
    return CaptureView(*view_, pixels);
}

void OutputCommands::ExportBmp()
{
    // Taken before the dialog opens, so that no dialog spoils the picture.
    BitmapPixels pixels;
    if (!CaptureSettledView(pixels)) {
        prompts_.showError(kNoPicture);
        return;
    }
    const QString path = AskSavePath({QStringLiteral("Export BMP"),
                                      {QStringLiteral("Windows or OS/2 bitmap (*.bmp)")},
                                      QStringLiteral("bmp"),
                                      true,
                                      {},
                                      {}});
    if (path.isEmpty())
        return;
    const QByteArray bytes = BitmapFileBytes(pixels);
    QString error;
    if (!WriteFileSafely(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); }, &error))
        prompts_.showError(error);
    else
        ShowWritten(path, QSize(pixels.width, pixels.height));
}

void OutputCommands::ExportDxf()
{
    const CVeltrix2Doc *doc = view_->Document();
    if (!doc)
        return;
    // Asks before replacing a file, as every other export does: a name
    // typed by mistake (a document's) would otherwise be lost.
    const SaveRequest request{QStringLiteral("Export DXF"),
                              {QStringLiteral("Autocad Drawing (*.dxf)"), QStringLiteral("All Files (*.*)")},
                              QStringLiteral("dxf"),
                              true,
                              {},
                              {}};
    const QString path = AskSavePath(request);
    if (path.isEmpty())
        return;
    QString error;
    QStringList leftOut;
    bool written = false;
    {
        WaitCursor wait;
        written = WriteFileSafely(path, [&](QIODevice &out) { return WriteDxf(*doc, out, &leftOut); }, &error);
    }
    if (!written) {
        prompts_.showError(error);
        return;
    }
    ShowWritten(path);
    if (!leftOut.isEmpty())
        prompts_.showNote(request.caption, leftOut.join(QLatin1Char('\n')));
}

void OutputCommands::ExportPng()
{
    SceneState scene = view_->CurrentScene();
    if (!scene.doc)
        return;
    QString error;
    OffscreenRenderer renderer;
    if (!renderer.IsValid()) {
        prompts_.showError(QStringLiteral("The scene cannot be rendered: %1.").arg(renderer.Error()));
        return;
    }
    const std::optional<QSize> size = prompts_.askPictureSize(QSize(scene.width, scene.height), renderer.MaxSide());
    if (!size)
        return;
    const SaveRequest request{QStringLiteral("Export PNG"),
                              {QStringLiteral("PNG image (*.png)")},
                              QStringLiteral("png"),
                              true,
                              {},
                              {}};
    const QString path = AskSavePath(request);
    if (path.isEmpty())
        return;
    // Twice the view's size shows the view twice as large: lines included.
    scene.lineWidth = ScaledLineWidth(size->width(), size->height(), scene.width, scene.height);
    bool written = false;
    {
        WaitCursor wait;
        std::function<void(int)> working;
        if (prompts_.showWorking)
            working = prompts_.showWorking(request.caption,
                                           QStringLiteral("Writing %1...").arg(QFileInfo(path).fileName()),
                                           size->height());
        const PictureProgress progress = [&working](int done, int) {
            if (working)
                working(done);
        };
        written = WriteRenderedPicture(path, renderer, scene, size->width(), size->height(), &error, progress);
    }
    if (!written)
        prompts_.showError(error);
    else
        ShowWritten(path, *size);
}

void OutputCommands::ExportObj()
{
    ExportMesh({QStringLiteral("Export OBJ"), {QStringLiteral("Wavefront OBJ (*.obj)")}, QStringLiteral("obj"), true, {}, {}},
               false);
}

void OutputCommands::ExportStl()
{
    ExportMesh({QStringLiteral("Export STL"), {QStringLiteral("STL (*.stl)")}, QStringLiteral("stl"), true, {}, {}}, true);
}

void OutputCommands::ExportGltf()
{
    ExportScene({QStringLiteral("Export glTF"), {QStringLiteral("glTF binary (*.glb)")}, QStringLiteral("glb"), true, {}, {}},
                false);
}

void OutputCommands::ExportWebPage()
{
    const SaveRequest request{QStringLiteral("Export Web Page"),
                              {QStringLiteral("Web page (*.html *.htm)")},
                              QStringLiteral("html"),
                              true,
                              {},
                              {}};
    ExportScene(request, true);
}

void OutputCommands::ExportScene(const SaveRequest &request, bool page)
{
    const SceneState view = view_->CurrentScene();
    if (!view.doc)
        return;
    const QString path = AskSavePath(request);
    if (path.isEmpty())
        return;
    const QString title = view.doc->PathName().isEmpty() ? QStringLiteral("Untitled")
                                                         : QFileInfo(view.doc->PathName()).fileName();
    SceneGeometry scene;
    QString error;
    bool written = false;
    {
        WaitCursor wait;
        const GlyphOutlines glyphs;
        scene = BuildSceneGeometry(*view.doc, glyphs);
        // The camera the user looks through now, not the one last saved.
        scene.settings.cameraX = view.camera.posX;
        scene.settings.cameraY = view.camera.posY;
        scene.settings.cameraZ = view.camera.posZ;
        scene.settings.cameraPitch = view.camera.pitch;
        scene.settings.cameraYaw = view.camera.yaw;
        const auto write = [&](QIODevice &out) {
            return page ? WriteWebPage(scene, title, out) : WriteGltf(scene, title, out);
        };
        written = WriteFileSafely(path, write, &error);
    }
    if (!written) {
        prompts_.showError(error);
        return;
    }
    ShowWritten(path);
    if (!scene.notes.isEmpty())
        prompts_.showNote(request.caption, scene.notes.join(QLatin1Char('\n')));
}

void OutputCommands::ExportMesh(const SaveRequest &request, bool stl)
{
    const CVeltrix2Doc *doc = view_->Document();
    if (!doc)
        return;
    SceneMesh mesh;
    {
        WaitCursor wait;
        mesh = BuildSceneMesh(*doc);
    }
    if (mesh.functions.empty()) {
        mesh.notes.prepend(QStringLiteral("There is no visible surface to export."));
        prompts_.showNote(request.caption, mesh.notes.join(QLatin1Char('\n')));
        return;
    }
    const QString refusal = stl ? StlRefusal(mesh) : QString();
    if (!refusal.isEmpty()) {
        prompts_.showError(refusal);
        return;
    }
    const QString path = AskSavePath(request);
    if (path.isEmpty())
        return;
    QString error;
    bool written = false;
    {
        WaitCursor wait;
        if (stl)
            written = WriteFileSafely(path, [&](QIODevice &out) { return WriteStl(mesh, out); }, &error);
        else
            written = WriteObjFiles(mesh, path, &error);
    }
    if (!written) {
        prompts_.showError(error);
        return;
    }
    if (stl)
        ShowWritten(path);
    else
        prompts_.showStatus(QStringLiteral("Wrote %1 and %2")
                                .arg(QFileInfo(path).fileName(), QFileInfo(MaterialLibraryPath(path)).fileName()));
    if (!mesh.notes.isEmpty())
        prompts_.showNote(request.caption, mesh.notes.join(QLatin1Char('\n')));
}

void OutputCommands::ExportSvg()
{
    const SaveRequest request{QStringLiteral("Export SVG"),
                              {QStringLiteral("SVG figure (*.svg)")},
                              QStringLiteral("svg"),
                              true,
                              {},
                              {}};
    ExportFigure(request, false);
}

void OutputCommands::ExportPdfFigure()
{
    const SaveRequest request{QStringLiteral("Export PDF Figure"),
                              {QStringLiteral("PDF figure (*.pdf)")},
                              QStringLiteral("pdf"),
                              true,
                              {},
                              {}};
    ExportFigure(request, true);
}

void OutputCommands::ExportFigure(const SaveRequest &request, bool pdf)
{
    const SceneState scene = view_->CurrentScene();
    if (!scene.doc)
        return;
    const QSize size(scene.width, scene.height);
    if (size.isEmpty()) {
        prompts_.showError(QStringLiteral("The 3D view has no area to make a figure of."));
        return;
    }
    const QString path = AskSavePath(request);
    if (path.isEmpty())
        return;
    QString error;
    QStringList leftOut;
    bool written = false;
    {
        WaitCursor wait;
        written = pdf ? WritePdfFigure(path, scene, size, &error, &leftOut)
                      : WriteSvgFigure(path, scene, size, &error, &leftOut);
    }
    if (!written) {
        prompts_.showError(error);
        return;
    }
    ShowWritten(path, size);
    if (!leftOut.isEmpty())
        prompts_.showNote(request.caption, leftOut.join(QLatin1Char('\n')));
}

int32_t OutputCommands::FilmedFunction(QString *why) const
{
    const CVeltrix2Doc *doc = view_->Document();
    if (view_->AnimationOn())
        return view_->Animation().Handle();
    const FunctionList &functions = doc->Functions();
    const int32_t selected = selected_ ? selected_() : -1;
    if (selected >= 0 && functions.Find(selected) >= 0) {
        if (AnimationLoopLength(functions, selected) > 0)
            return selected;
        *why = QStringLiteral("The function \"%1\" has no parameters to animate.")
                   .arg(FromCp1252(functions.At(functions.Find(selected)).label));
        return -1;
    }
    for (int p = functions.First(); p >= 0; p = functions.Next(p))
        if (functions.At(p).visible && AnimationLoopLength(functions, functions.At(p).handle) > 0)
            return functions.At(p).handle;
    *why = QStringLiteral("No shown function has parameters to animate.");
    return -1;
}

void OutputCommands::ExportAnimation()
{
    FilmRequest request;
    request.scene = view_->CurrentScene();
    if (!request.scene.doc)
        return;
    QString why;
    request.handle = FilmedFunction(&why);
    if (request.handle < 0) {
        prompts_.showNote(QStringLiteral("Export Animation"), why);
        return;
    }
    const FunctionList &functions = request.scene.doc->Functions();
    const FunctionRecord &record = functions.At(functions.Find(request.handle));
    int maxSide = 0;
    {
        OffscreenRenderer probe;
        if (!probe.IsValid()) {
            prompts_.showError(QStringLiteral("The scene cannot be rendered: %1.").arg(probe.Error()));
            return;
        }
        maxSide = probe.MaxSide();
    }
    const uint64_t loop = AnimationLoopLength(functions, request.handle);
    const std::optional<AnimationChoice> choice =
        prompts_.askAnimation(FromCp1252(record.label), QSize(request.scene.width, request.scene.height),
                              maxSide, int(std::min<uint64_t>(loop, kMaxLoopFrames)));
    if (!choice)
        return;
    static const char *const filters[] = {"MP4 video (*.mp4)", "WebM video (*.webm)", "GIF animation (*.gif)"};
    const QString path = AskSavePath({QStringLiteral("Export Animation"),
                                      {QString::fromLatin1(filters[int(choice->format)])},
                                      VideoSuffix(choice->format),
                                      true,
                                      {},
                                      {}});
    if (path.isEmpty())
        return;
    request.format = choice->format;
    request.size = choice->size;
    request.frames = choice->frames;
    request.fps = choice->fps;
    // As large as the view shows it, only larger.
    request.scene.lineWidth =
        ScaledLineWidth(request.size.width(), request.size.height(), request.scene.width, request.scene.height);

    // The view's own animation waits: it moves the same parameters.
    AnimationEngine &shown = view_->Animation();
    const bool playing = shown.IsPlaying();
    if (playing)
        shown.Stop();
    const int passes = request.format == VideoFormat::Gif ? 2 : 1;
    const FilmProgress progress = prompts_.showProgress(
        QStringLiteral("Making the film of \"%1\"...").arg(FromCp1252(record.label)),
        request.frames * passes);
    QString error;
    QStringList leftOut;
    const FilmOutcome outcome = WriteAnimationFilm(path, request, progress, &error, &leftOut);
    if (playing)
        shown.Play(request.scene.doc->Settings().animationIntervalMs);
    if (outcome == FilmOutcome::Failed)
        prompts_.showError(error);
    if (outcome != FilmOutcome::Written)
        return;
    ShowWritten(path, request.size);
    if (!leftOut.isEmpty())
        prompts_.showNote(QStringLiteral("Export Animation"), leftOut.join(QLatin1Char('\n')));
}

void OutputCommands::Copy()
{
    BitmapPixels pixels;
    bool captured = false;
    {
        WaitCursor wait;
        captured = CaptureSettledView(pixels);
        if (captured)
            QGuiApplication::clipboard()->setMimeData(BitmapMimeData(pixels));
    }
    if (!captured)
        prompts_.showError(kNoPicture);
}

void OutputCommands::Print()
{
    QPrinter &printer = *printer_();
    // Every print starts from all pages, with 1 to 1 offered as a range.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, 1);
    const CVeltrix2Doc *doc = view_->Document();
    const QString pdf = ProposedName(QStringLiteral("pdf"));
    if (!prompts_.askPrint(printer, pdf.isEmpty() ? QString() : QFileInfo(doc->PathName()).absoluteDir().filePath(pdf)))
        return;
    printer.setDocName(PrintJobName());
    QString error;
    bool printed = false;
    {
        WaitCursor wait;
        printed = PrintOn(printer, &error);
    }
    if (!printed)
        prompts_.showError(error);
    else if (PrintsToFile(printer))
        ShowWritten(printer.outputFileName());
}

// A PDF file chosen in the print dialog is written here rather than by the
// printer, which neither checks its writes nor keeps an existing file when
// they fail.
bool OutputCommands::PrintOn(QPrinter &printer, QString *error)
{
    const SceneState scene = view_->CurrentScene();
    if (PrintsToFile(printer))
        return PrintSceneToPdf(printer.outputFileName(), scene, printer.pageLayout(), printer.resolution(),
                               ChosenRange(printer), error);
    return PrintScene(printer, scene, ChosenRange(printer), error);
}

void OutputCommands::PrintPreview()
{
    QPrinter *printer = printer_();
    printer->setPrintRange(QPrinter::AllPages);
    printer->setDocName(PrintJobName());
    QPrintPreviewDialog dialog(printer, parent_);
    // The preview draws the pages each time it needs them; printing from it
    // goes through the same drawing with the range chosen there.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        QString error;
        WaitCursor wait;
        if (!PrintOn(*printer, &error))
            prompts_.showError(error);
    });
    dialog.exec();
}
