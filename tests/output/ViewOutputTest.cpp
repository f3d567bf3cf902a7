// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <csignal>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QDir>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "GuiWaits.h"
#include "OutputTestSupport.h"
#include "output/BitmapPixels.h"
#include "output/OffscreenRenderer.h"
#include "output/OutputCommands.h"
#include "output/ScenePrinting.h"
#include "output/ViewCapture.h"
#include "view3d/GLView.h"

namespace {

// A view of 803 x 600 pixels showing a filled sheet below the eye, with the
// output commands answering their dialogs from the test.
class ViewOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Settings().backgroundColor = MakeColor(32, 64, 96);
        ASSERT_TRUE(AddPlot(doc, {"sheet", "z(x,y)=x/5", Gradient, -4, 4, 8, -4, 4, 8, true,
                                  MakeColor(255, 0, 0), MakeColor(0, 0, 255)}));
        view.SetDocument(&doc);
        view.resize(803, 600);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_TRUE(ShowFrames(view, 1));
        commands = std::make_unique<OutputCommands>(
            &view, [this] { return &printer; }, nullptr);
        commands->prompts().askSavePath = [this](const OutputCommands::SaveRequest &r) {
            requests.push_back(r);
            return answer;
        };
        commands->prompts().showError = [this](const QString &m) { errors << m; };
    }

    // What the view shows, top row first (drawn again by Qt, same frame).
    QImage Shown() { return view.grabFramebuffer().convertToFormat(QImage::Format_RGB888); }

    CVeltrix2Doc doc;
    GLView view;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<OutputCommands> commands;
    std::vector<OutputCommands::SaveRequest> requests;
    QString answer;
    QStringList errors;
    QTemporaryDir dir;
};

// An 803-pixel view exports 800 columns: a file of 1,440,054 bytes that
// reads back as the view's picture, the right way up.
TEST_F(ViewOutputTest, ExportBmpWritesTheViewsPixels)
{
    answer = dir.filePath(QStringLiteral("scene"));
    commands->ExportBmp();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filters, QStringList{"Windows or OS/2 bitmap (*.bmp)"});
    EXPECT_TRUE(requests[0].confirmOverwrite);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();

    const QString path = answer + QStringLiteral(".bmp");
    EXPECT_EQ(QFileInfo(path).size(), 1440054);
    const QImage file(path);
    ASSERT_EQ(file.size(), QSize(800, 600));
    const QImage shown = Shown();
    EXPECT_EQ(file.convertToFormat(QImage::Format_RGB888), shown.copy(0, 0, 800, 600));
    EXPECT_EQ(file.pixel(0, 0), qRgb(32, 64, 96));
    // The sheet runs from red (x = -4, left in this view) to blue (right).
    int red = 0, blue = 0;
    for (int y = 200; y < 400; ++y)
        for (int x = 0; x < 800; ++x) {
            const QRgb c = file.pixel(x, y);
            red += qRed(c) > 200 && qGreen(c) < 30 && qBlue(c) < 60 && x < 400;
            blue += qBlue(c) > 200 && qGreen(c) < 30 && qRed(c) < 60 && x > 400;
        }
    EXPECT_GT(red, 50);
    EXPECT_GT(blue, 50);
}

// The DXF command asks before replacing a file and appends .dxf; a hidden
// function that cannot be drawn is named after writing.
TEST_F(ViewOutputTest, ExportDxfWritesTheDocument)
{
    QStringList notes;
    commands->prompts().showNote = [&](const QString &caption, const QString &m) { notes << caption + ": " + m; };
    ASSERT_TRUE(AddPlot(doc, {"huge", "z(x,y)=x", WireFrame, -5, 5, 2000, -5, 5, 2000, false}));
    answer = dir.filePath(QStringLiteral("drawing"));
    commands->ExportDxf();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filters, (QStringList{"Autocad Drawing (*.dxf)", "All Files (*.*)"}));
    EXPECT_TRUE(requests[0].confirmOverwrite);
    const QByteArray dxf = ReadFileBytes(answer + QStringLiteral(".dxf"));
    EXPECT_EQ(dxf.count("3DFACE"), 64);
    EXPECT_TRUE(dxf.endsWith("0\nEOF"));
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].startsWith(QStringLiteral("Export DXF: The function \"huge\" cannot be drawn")))
        << notes[0].toStdString();

    // Cancel writes nothing; a folder that does not exist is reported.
    answer.clear();
    commands->ExportDxf();
    EXPECT_TRUE(errors.isEmpty());
    answer = dir.filePath(QStringLiteral("missing/drawing.dxf"));
    commands->ExportDxf();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("missing/drawing.dxf")));
}

// Answers the dialogs the output commands open, through their widgets:
// the save dialog gets `path`'s name typed into it in its folder and is
// accepted, the question
// whether to replace a file gets `reply`; a save dialog still open after
// that (the reply was No) is cancelled.
class DialogDriver {
public:
    DialogDriver(const QString &path, QMessageBox::StandardButton reply) : path_(path), reply_(reply)
    {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
        timer_.start();
        clock_.start();
    }
    QStringList questions;

private:
    void Step()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (clock_.elapsed() > 30000) {   // whatever went wrong, the test goes on
            ADD_FAILURE() << "a dialog was left open";
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            questions << box->text();
            box->button(reply_)->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (dialog->property("typed").toBool()) {
                dialog->reject();
                return;
            }
            dialog->setProperty("typed", true);
            // As a user does: to the folder, and the name typed in.
            dialog->setDirectory(QFileInfo(path_).absolutePath());
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                ADD_FAILURE() << "the save dialog has no name box";
                dialog->reject();
                return;
            }
            name->setText(QFileInfo(path_).fileName());
            QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
        }
    }

    QString path_;
    QMessageBox::StandardButton reply_;
    QTimer timer_;
    QElapsedTimer clock_;
};

// Every export asks before replacing a file, DXF included: through the
// real save dialog, a document typed into its name box is kept when the
// answer is No and replaced only on Yes.
TEST_F(ViewOutputTest, DxfAsksBeforeReplacingAFile)
{
    const QString thesis = dir.filePath(QStringLiteral("thesis.vxf"));
    {
        QFile f(thesis);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("a thesis");
    }
    OutputCommands real(&view, [this] { return &printer; }, nullptr);   // with its own dialogs
    real.prompts().showError = [this](const QString &m) { errors << m; };
    const QString question = QStringLiteral("thesis.vxf already exists.\nDo you want to replace it?");
    {
        DialogDriver no(thesis, QMessageBox::No);
        real.ExportDxf();
        EXPECT_EQ(no.questions, QStringList{question});
    }
    EXPECT_EQ(ReadFileBytes(thesis), QByteArray("a thesis"));
    {
        DialogDriver yes(thesis, QMessageBox::Yes);
        real.ExportDxf();
        EXPECT_EQ(yes.questions, QStringList{question});
    }
    EXPECT_TRUE(ReadFileBytes(thesis).endsWith("0\nEOF"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
}

// A FIFO or a link to a device at the chosen path is refused by every
// export and by printing to a file, with the reader's words, and left as
// it was.
TEST_F(ViewOutputTest, OutputsThatAreNotRegularFilesAreRefused)
{
    commands->prompts().askPictureSize = [](QSize viewSize, int) { return std::optional<QSize>(viewSize); };
    commands->prompts().askPrint = [this](QPrinter &p, const QString &) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(answer);
        return true;
    };
    // clang-format off
    const std::pair<const char *, void (OutputCommands::*)()> commandsBySuffix[] = {
        {"bmp", &OutputCommands::ExportBmp}, {"dxf", &OutputCommands::ExportDxf}, {"png", &OutputCommands::ExportPng},
        {"obj", &OutputCommands::ExportObj}, {"stl", &OutputCommands::ExportStl}, {"pdf", &OutputCommands::Print}};
    // clang-format on
    for (const auto &[suffix, command] : commandsBySuffix) {
        const QString fifo = dir.filePath(QStringLiteral("pipe.%1").arg(QLatin1String(suffix)));
        const QString device = dir.filePath(QStringLiteral("null.%1").arg(QLatin1String(suffix)));
        ASSERT_TRUE(MakeFifo(fifo));
        ASSERT_TRUE(MakeLinkToDevice(device));
        for (const QString &path : {fifo, device}) {
            errors.clear();
            answer = path;
            (commands.get()->*command)();
            EXPECT_EQ(errors, QStringList{QStringLiteral("%1 is not a regular file.").arg(path)}) << suffix;
        }
        EXPECT_TRUE(IsFifo(fifo)) << suffix;
        EXPECT_TRUE(IsLinkToDevice(device)) << suffix;
    }
}

// Print to File (PDF) past the file-size limit, as on a full disk: the
// message names the file and the reason, and no file is left.  The limit
// is set in a process of its own: this program, run again for this test.
TEST_F(ViewOutputTest, PrintToAPdfFileThatCannotBeWrittenIsReported)
{
    const auto printTo = [this](const QString &path, std::optional<std::pair<int, int>> range) {
        commands->prompts().askPrint = [path, range](QPrinter &p, const QString &) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(path);
            p.setPageSize(QPageSize(QPageSize::Letter));
            if (range) {
                p.setPrintRange(QPrinter::PageRange);
                p.setFromTo(range->first, range->second);
            }
            return true;
        };
        commands->Print();
    };
    const QString limited = qEnvironmentVariable("VELTRIX_LIMITED_PDF");
    if (!limited.isEmpty()) {
        printTo(limited, std::nullopt);
        EXPECT_EQ(errors, QStringList{QStringLiteral("The file %1 could not be written: File too large.").arg(limited)});
        return;
    }

    const QString path = dir.filePath(QStringLiteral("scene.pdf"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELTRIX_LIMITED_PDF"), path);
    child.setProcessEnvironment(env);
    child.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {65536, 65536};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=ViewOutputTest.PrintToAPdfFileThatCannotBeWrittenIsReported")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    // Without the limit: the printer's paper and the pages chosen.
    printTo(path, std::pair{2, 2});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    const QString info = QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfinfo"), {path}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts (letter)"))) << info.toStdString();
    const QString text = QString::fromUtf8(RunProgram(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    EXPECT_TRUE(text.contains(QStringLiteral("Label: sheet"))) << text.toStdString();
}

// Copy offers the exported file's bytes as image/bmp, and the picture
// itself for programs that paste other formats.
TEST_F(ViewOutputTest, CopyPutsTheSamePictureOnTheClipboard)
{
    answer = dir.filePath(QStringLiteral("same.bmp"));
    commands->ExportBmp();
    commands->Copy();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/bmp")), ReadFileBytes(answer));
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888),
              QImage(answer).convertToFormat(QImage::Format_RGB888));
}

// A view narrower than 4 pixels gives headers only.
TEST_F(ViewOutputTest, NarrowViewGivesAnEmptyBitmap)
{
    view.resize(3, 600);
    ASSERT_TRUE(ShowFrames(view, 1));
    BitmapPixels pixels;
    ASSERT_TRUE(CaptureView(view, pixels));
    EXPECT_EQ(pixels.width, 0);
    EXPECT_EQ(BitmapFileBytes(pixels).size(), 54);
}

// The off-screen renderer beside the view's context in the same thread:
// it draws the view's very frame, and the view goes on drawing afterwards.
TEST_F(ViewOutputTest, OffscreenRendererDrawsTheViewsFrameBesideIt)
{
    const QImage before = Shown();
    view.makeCurrent();   // the view's GLX context is current on entry
    BitmapPixels pixels;
    {
        OffscreenRenderer renderer;
        ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
        const SceneState scene = view.CurrentScene();
        ASSERT_EQ(scene.width, 803);
        ASSERT_TRUE(renderer.Render(scene, scene.width, scene.height, pixels))
            << renderer.Error().toStdString();
    }
    const QImage offscreen = ToImage(pixels);
    ASSERT_EQ(offscreen.size(), before.size());
    int differing = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            differing += offscreen.pixel(x, y) != before.pixel(x, y);
    EXPECT_LT(differing, before.width() * before.height() / 1000) << "the same frame";

    // The view still draws, also after a change.
    doc.Settings().backgroundColor = MakeColor(0, 128, 0);
    ASSERT_TRUE(ShowFrames(view, 1));
    EXPECT_EQ(Shown().pixel(0, 0), qRgb(0, 128, 0));

    // And printing from the GUI process works the same way.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath(QStringLiteral("view.pdf")));
    QString error;
    EXPECT_TRUE(PrintScene(pdf, view.CurrentScene(), std::nullopt, &error)) << error.toStdString();
    EXPECT_GT(QFileInfo(pdf.outputFileName()).size(), 10000);
    EXPECT_EQ(Shown().pixel(0, 0), qRgb(0, 128, 0));
}

// PNG renders the view's scene off-screen at the size chosen: twice the
// view's is a picture of its own, not the window's pixels scaled.
TEST_F(ViewOutputTest, ExportPngRendersAtTheChosenSize)
{
    QSize offered;
    std::optional<QSize> chosen;
    commands->prompts().askPictureSize = [&](QSize viewSize, int maxSide) {
        offered = viewSize;
        EXPECT_GE(maxSide, 4096);
        return chosen;
    };
    commands->ExportPng();   // Cancel: no file asked for
    EXPECT_EQ(offered, QSize(803, 600));
    EXPECT_TRUE(requests.empty());

    chosen = QSize(1606, 1200);
    answer = dir.filePath(QStringLiteral("large"));
    QString working;
    std::vector<int> steps;
    commands->prompts().showWorking = [&](const QString &title, const QString &caption, int total) {
        working = title + QLatin1Char('|') + caption + QLatin1Char('|') + QString::number(total);
        return [&steps](int done) { steps.push_back(done); };
    };
    commands->ExportPng();
    EXPECT_EQ(working, QStringLiteral("Export PNG|Writing large.png...|1200"));
    ASSERT_FALSE(steps.empty());
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    EXPECT_EQ(steps.back(), 1200) << "every row told";
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filters, QStringList{"PNG image (*.png)"});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    const QImage file = QImage(answer + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(file.size(), QSize(1606, 1200));

    // The view's scene twice as large, lines twice as wide.
    SceneState scene = view.CurrentScene();
    BitmapPixels pixels;
    OffscreenRenderer renderer;
    ASSERT_TRUE(renderer.Render(scene, 1606, 1200, pixels));
    EXPECT_NE(file, ToImage(pixels));
    scene.lineWidth = 2;
    ASSERT_TRUE(renderer.Render(scene, 1606, 1200, pixels));
    EXPECT_EQ(file, ToImage(pixels));
    EXPECT_EQ(file.pixel(0, 0), qRgb(32, 64, 96));
}

// The dialogs propose the document's name with the format's suffix beside
// it, and the status bar says what was written.
TEST_F(ViewOutputTest, ExportsProposeTheDocumentsNameAndSayWhatTheyWrote)
{
    QStringList status;
    commands->prompts().showStatus = [&](const QString &text) { status << text; };
    commands->prompts().askPictureSize = [](QSize, int) { return std::optional<QSize>(QSize(1348, 1394)); };
    // Untitled: no name.
    commands->ExportDxf();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].name.isEmpty());

    ASSERT_TRUE(doc.Save(dir.filePath(QStringLiteral("j1.vxf"))));
    requests.clear();
    answer = dir.filePath(QStringLiteral("j1.dxf"));
    commands->ExportDxf();
    answer = dir.filePath(QStringLiteral("j1.png"));
    commands->ExportPng();
    answer = dir.filePath(QStringLiteral("j1.obj"));
    commands->ExportObj();
    answer.clear();
    commands->ExportBmp();   // cancelled: nothing said
    QStringList names;
    for (const OutputCommands::SaveRequest &r : requests)
        names << r.name;
    EXPECT_EQ(names, (QStringList{"j1.dxf", "j1.png", "j1.obj", "j1.bmp"}));
    EXPECT_EQ(status, (QStringList{"Wrote j1.dxf", "Wrote j1.png (1348 x 1394)", "Wrote j1.obj and j1.mtl"}));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("j1.png"))).size(), QSize(1348, 1394));

    // Print to File: the PDF beside the document.
    QString proposed;
    commands->prompts().askPrint = [&](QPrinter &p, const QString &pdf) {
        proposed = pdf;
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    };
    commands->Print();
    EXPECT_EQ(proposed, dir.filePath(QStringLiteral("j1.pdf")));
    EXPECT_EQ(status.last(), QStringLiteral("Wrote j1.pdf"));
    EXPECT_TRUE(QFileInfo::exists(proposed));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
}

// The dialogs themselves show those names: the file dialog in the
// document's folder, the print dialog in its file field.
TEST_F(ViewOutputTest, TheDialogsShowTheProposedNames)
{
    OutputCommands own(&view, [this] { return &printer; }, nullptr);
    ASSERT_TRUE(doc.Save(dir.filePath(QStringLiteral("j1.vxf"))));
    own.SetStartFolder([this] { return dir.path(); });
    QString shown;
    // Reads the dialog as soon as it is up, then cancels it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *files = qobject_cast<QFileDialog *>(modal))
            shown = files->selectedFiles().value(0);
        else if (auto *file = modal->findChild<QLineEdit *>(QStringLiteral("filename")))
            shown = file->text();
        poll.stop();
        modal->close();
    });
    auto readAndCancel = [&] { poll.start(10); };
    readAndCancel();
    own.ExportDxf();
    EXPECT_EQ(shown, dir.filePath(QStringLiteral("j1.dxf")));
    shown.clear();
    readAndCancel();
    own.Print();
    EXPECT_EQ(shown, dir.filePath(QStringLiteral("j1.pdf")));
}

// OBJ and STL write the visible surfaces; what was left out is said after
// writing; with no surface at all nothing is asked or written.
TEST_F(ViewOutputTest, ExportMeshesWriteTheSurfaces)
{
    QStringList notes;
    commands->prompts().showNote = [&](const QString &caption, const QString &m) { notes << caption + ": " + m; };
    answer = dir.filePath(QStringLiteral("sheet"));
    commands->ExportStl();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filters, QStringList{"STL (*.stl)"});
    EXPECT_EQ(QFileInfo(answer + QStringLiteral(".stl")).size(), 84 + 128 * 50);

    ASSERT_TRUE(AddPlot(doc, {"line", "z(x)=x/5", WireFrame, -4, 4, 8}));
    commands->ExportObj();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].filters, QStringList{"Wavefront OBJ (*.obj)"});
    EXPECT_EQ(ReadFileBytes(answer + QStringLiteral(".obj")).count("\nf "), 128);
    EXPECT_TRUE(ReadFileBytes(answer + QStringLiteral(".mtl")).contains("newmtl sheet\n"));
    EXPECT_EQ(notes, QStringList{"Export OBJ: The curve \"line\" has no area and was left out."});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();

    FunctionRecord sheet = doc.Get(0);
    sheet.visible = false;
    doc.Update(0, sheet);
    commands->ExportStl();
    EXPECT_EQ(requests.size(), 2u) << "no file asked for";
    ASSERT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes[1].startsWith(QStringLiteral("Export STL: There is no visible surface to export.\n")))
        << notes[1].toStdString();
}

// With smooth lines (the default) the view draws into a multisampled
// framebuffer; what Export BMP and Copy read is the resolved picture, the
// one on screen, blended edges included.
TEST_F(ViewOutputTest, SmoothLinesReadBackAsShown)
{
    RenderOptions smooth;
    smooth.smoothLines = true;
    view.SetRenderOptions(smooth);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.FrameSamples() >= 2; }, kPatienceMs));
    BitmapPixels pixels;
    ASSERT_TRUE(CaptureView(view, pixels));
    const QImage captured = ToImage(pixels);
    EXPECT_EQ(captured.convertToFormat(QImage::Format_RGB888), Shown().copy(0, 0, 800, 600));
    int background = 0, blended = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const QRgb c = captured.pixel(x, y);
            background += c == qRgb(32, 64, 96);
            // Between a red face and the blue-grey paper.
            blended += qRed(c) > 40 && qRed(c) < 220 && qGreen(c) > 5 && qGreen(c) < 60 && qBlue(c) < 90;
        }
    EXPECT_GT(background, 100000) << "not black";
    EXPECT_GT(blended, 20) << "edges blended with the paper";

    // An export or a print draws the same smooth frame off-screen.
    BitmapPixels offscreen;
    {
        OffscreenRenderer renderer;
        const SceneState scene = view.CurrentScene();
        ASSERT_TRUE(renderer.Render(scene, scene.width, scene.height, offscreen));
    }
    const QImage other = ToImage(offscreen).copy(0, 0, 800, 600);
    int differing = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            differing += other.pixel(x, y) != captured.pixel(x, y);
    EXPECT_LT(differing, 800 * 600 / 1000);

    // Right after a camera move the view shows a frame without
    // multisampling; Copy takes the smooth one all the same.
    view.Actions().cameraUp->trigger();
    view.grabFramebuffer();   // the frame drawn now, as the screen shows it
    ASSERT_EQ(view.FrameSamples(), 0);
    commands->Copy();
    EXPECT_GE(view.FrameSamples(), 2);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888),
              Shown().copy(0, 0, 800, 600));
}

} // namespace

namespace {

// SVG and PDF figures of the view, from its camera, the size of the view:
// the SVG painted by Qt looks like the view's own frame.
TEST_F(ViewOutputTest, FiguresOfTheView)
{
    answer = dir.filePath(QStringLiteral("view"));
    commands->ExportSvg();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filters, QStringList{"SVG figure (*.svg)"});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    const QByteArray svg = ReadFileBytes(answer + QStringLiteral(".svg"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 803 600\"")) << svg.left(300).toStdString();

    commands->ExportPdfFigure();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].filters, QStringList{"PDF figure (*.pdf)"});
    const QString info =
        QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfinfo"), {answer + QStringLiteral(".pdf")}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    // 803 pixels at 96 dpi are 602.25 points; the page keeps whole points.
    EXPECT_TRUE(info.contains(QStringLiteral("602 x 450 pts"))) << info.toStdString();
}

// The animation's film: the function that has parameters, the choices of
// the dialog, the progress with Cancel.  Cancelled, nothing is left; done,
// the film holds what was asked; either way the function is as it was and
// the view's own animation plays on.
TEST_F(ViewOutputTest, ExportAnimationWithProgressAndCancel)
{
    QStringList notes;
    commands->prompts().showNote = [&](const QString &caption, const QString &m) { notes << caption + ": " + m; };
    commands->ExportAnimation();
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes[0], QStringLiteral("Export Animation: No shown function has parameters to animate."));
    EXPECT_TRUE(requests.empty());

    ASSERT_TRUE(AddPlot(doc, {"wave", "z(x,y,t)=sin(x+t)", FilledPolygons, -4, 4, 8, -4, 4, 8}));
    const int32_t wave = doc.Get(1).handle;
    view.SetAnimation(true, wave);
    ASSERT_TRUE(view.Animation().IsPlaying());
    view.Animation().Stop();
    view.Animation().StepForward();
    auto picture = [&] {
        OffscreenRenderer renderer;
        BitmapPixels pixels;
        EXPECT_TRUE(renderer.Render(view.CurrentScene(), 200, 150, pixels));
        return ToImage(pixels);
    };
    const QImage before = picture();
    view.Animation().Play(1000);

    QString label;
    int loop = 0;
    std::optional<AnimationChoice> choice;
    commands->prompts().askAnimation = [&](const QString &l, QSize viewSize, int maxSide, int loopLength) {
        label = l;
        loop = loopLength;
        EXPECT_EQ(viewSize, QSize(803, 600));
        EXPECT_GE(maxSide, 4096);
        return choice;
    };
    commands->ExportAnimation();   // Cancel in the dialog
    EXPECT_EQ(label, QStringLiteral("wave"));
    EXPECT_GT(loop, 1);
    EXPECT_TRUE(requests.empty());

    choice = AnimationChoice{VideoFormat::Mp4, QSize(160, 120), 12, 6};
    answer = dir.filePath(QStringLiteral("wave"));
    int steps = 0;
    bool cancel = true;
    commands->prompts().showProgress = [&](const QString &, int total) -> FilmProgress {
        EXPECT_EQ(total, 12);
        return [&](int done, int) {
            steps = done;
            EXPECT_FALSE(view.Animation().IsPlaying()) << "the view waits while the film is made";
            return !(cancel && done == 3);
        };
    };
    commands->ExportAnimation();
    EXPECT_EQ(steps, 3);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filters, QStringList{"MP4 video (*.mp4)"});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    cancel = false;
    commands->ExportAnimation();
    EXPECT_EQ(steps, 12);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    const QString probe = QString::fromLocal8Bit(RunProgram(
        QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                                    QStringLiteral("-show_entries"), QStringLiteral("stream=width,height,nb_read_frames"),
                                    QStringLiteral("-of"), QStringLiteral("csv=p=0"), answer + QStringLiteral(".mp4")}));
    EXPECT_EQ(probe, QStringLiteral("160,120,12\n"));

    EXPECT_TRUE(view.Animation().IsPlaying());
    view.Animation().Stop();
    EXPECT_EQ(picture(), before) << "the wave where the view left it";
}

} // namespace
