// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QMap>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QSlider>
#include <QUndoStack>
#include <QWindow>

#include "BarLayouts.h"
#include "CMainFrame.h"
#include "FloatingBar.h"
#include "../tree/FakePrompter.h"
#include "FramePlacement.h"
#include "ParametersDock.h"
#include "RunningInstance.h"
#include "TestSupport.h"
#include "TraceStatusBar.h"
#include "history/DocumentHistory.h"
#include "model/CVeltrix2Doc.h"
#include "output/OutputCommands.h"
#include "qel/qel.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/Prompter.h"
#include "ContourDialog.h"
#include "tree/CVeltrix2View.h"
#include "tree/ColorButton.h"
#include "tree/ParameterPanel.h"
#include "tree/SettingsDialog.h"
#include "tree/SettingsPages.h"
#include "tree/ValueDialog.h"
#include "view3d/AnimationEngine.h"
#include "view3d/GLView.h"

namespace {

// The title as the window shows it: Qt's "[*]" becomes the modified mark.
QString ShownTitle(const QWidget &window)
{
    return window.windowTitle().replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SamePose(const CameraPose &a, const CameraPose &b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.pitch == b.pitch && a.yaw == b.yaw;
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettingsStore();
        frame = MakeFrame();
    }

    std::unique_ptr<CMainFrame> MakeFrame()
    {
        auto f = std::make_unique<CMainFrame>(CMainFrame::Options{false});
        auto &p = f->Documents()->prompts();
        p.askToSave = [this](const QString &title) {
            askedToSave << title;
            return saveAnswer;
        };
        p.askOpenPath = [this](const QString &) { return openPath; };
        p.askSavePath = [this](const QString &) { return savePath; };
        p.showError = [this](const QString &title, const QString &text) { errors << title + ": " + text; };
        return f;
    }

    void ShowAndActivate(CMainFrame &f)
    {
        f.show();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }

    // The shown window with a wave added and traced: the trace bar asked
    // for, as the tree asks for it.
    void TraceAWave(int *handle)
    {
        ShowAndActivate(*frame);
        ASSERT_TRUE(AddFunction(*frame->Document(), "wave", "z(x,y)=cosx*siny"));
        *handle = frame->Document()->Get(frame->Document()->First()).handle;
        emit frame->TreeView()->TraceBarRequested(true);
        emit frame->TreeView()->TraceRequested(true, *handle);
    }

    QString SavedTour()
    {
        CVeltrix2Doc doc;
        EXPECT_TRUE(AddFunction(doc, "wave", "z(x,y)=cosx*siny", 1));
        EXPECT_TRUE(AddFunction(doc, "ball", "r(alpha,beta)=2", 3));
        const QString path = dir.filePath("tour.vxf");
        EXPECT_TRUE(doc.Save(path));
        return path;
    }

    QMenu *TopMenu(const QString &title) const
    {
        for (QAction *a : frame->menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }

    int TreeItems() const
    {
        return frame->TreeView()->findChild<QTreeWidget *>()->topLevelItemCount();
    }

    // Selects the definition node of `handle` in the tree and triggers the
    // tree's `command` (trace or animate), as the context menu would.
    void TreeCommandOnText(int handle, QAction *TreeActions::*command)
    {
        CVeltrix2View *tree = frame->TreeView();
        for (const TreeNodeEntry &e : tree->Nodes())
            if (e.function == handle && e.kind == TextNode)
                tree->Tree()->setCurrentItem(e.item);
        (tree->Actions().*command)->trigger();
    }

    int32_t LastHandle() const { return frame->Document()->Get(frame->Document()->Last()).handle; }

    // Adds a function as the tree's add command would: the tree shows it.
    int32_t AddShown(const std::string &label, const std::string &text)
    {
        EXPECT_TRUE(AddFunction(*frame->Document(), label, text));
        frame->TreeView()->FillTree();
        frame->Document()->SetModifiedFlag(false);
        return LastHandle();
    }

    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame;
    QMessageBox::StandardButton saveAnswer = QMessageBox::Cancel;
    QString openPath, savePath;
    QStringList askedToSave, errors;
};

}  // namespace

TEST_F(MainFrameTest, CommandLineOpensTheNamedDocumentOrEndsTheStart)
{
    const QString path = SavedTour();
    EXPECT_TRUE(frame->ProcessCommandLine({"veltrix", path}));
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("tour.vxf - Veltrix 2.0"));
    EXPECT_EQ(frame->Document()->Count(), 2);
    EXPECT_EQ(TreeItems(), 2);

    auto other = MakeFrame();
    EXPECT_TRUE(other->ProcessCommandLine({"veltrix"}));
    EXPECT_EQ(ShownTitle(*other), QStringLiteral("Untitled - Veltrix 2.0"));
    EXPECT_FALSE(other->ProcessCommandLine({"veltrix", dir.filePath("missing.vxf")}));
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(MainFrameTest, LayoutHasTheTreeOnTheLeftAndTheBarsInTheirPlaces)
{
    ShowAndActivate(*frame);
    EXPECT_EQ(frame->Splitter()->widget(0), frame->TreeView());
    EXPECT_EQ(frame->Splitter()->widget(1), frame->View3d());
    EXPECT_EQ(frame->Splitter()->sizes().value(0), 250);
    EXPECT_EQ(frame->toolBarArea(frame->StandardBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar3d()), Qt::RightToolBarArea);
    EXPECT_EQ(frame->StandardBar()->actions().size(), 9);   // six buttons, three separators
    EXPECT_EQ(frame->ToolBar3d()->actions().size(), 15);
    EXPECT_TRUE(frame->View3d()->Actions().pickMode->isCheckable());

    EXPECT_FALSE(frame->AnimationBar()->isVisible());
    EXPECT_FALSE(frame->TraceBar()->isVisible());
    EXPECT_EQ(frame->AnimationBar()->windowTitle(), QStringLiteral("Animation"));
    EXPECT_EQ(frame->TraceBar()->windowTitle(), QStringLiteral("Trace"));
    EXPECT_FALSE(frame->TraceBar()->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(MainFrameTest, NewOnAModifiedDocumentAsksToSave)
{
    ASSERT_TRUE(AddFunction(*frame->Document(), "saddle", "z(x,y)=x^2-y^2"));
    saveAnswer = QMessageBox::Cancel;
    frame->Actions().fileNew->trigger();
    EXPECT_EQ(askedToSave, QStringList{"Untitled"});
    EXPECT_EQ(frame->Document()->Count(), 1);

    saveAnswer = QMessageBox::No;
    frame->Actions().fileNew->trigger();
    EXPECT_EQ(frame->Document()->Count(), 0);
    EXPECT_EQ(TreeItems(), 0);
}

TEST_F(MainFrameTest, SaveThenOpenGivesBackTheDocumentAndTheCamera)
{
    ShowAndActivate(*frame);
    CVeltrix2Doc *doc = frame->Document();
    ASSERT_TRUE(AddFunction(*doc, "wave", "z(x,y)=cosx*siny", 2));
    ASSERT_TRUE(AddFunction(*doc, "bowl", "z(x,y,a)=a*(x^2+y^2)", 3));
    const ViewActions &camera = frame->View3d()->Actions();
    const QList<QAction *> moves{camera.cameraForward, camera.cameraForward, camera.pitchDown, camera.yawLeft,
                                 camera.cameraUp};
    for (QAction *move : moves)
        move->trigger();
    const CameraPose moved = frame->View3d()->GetCamera();
    ASSERT_FALSE(SamePose(moved, CameraPose{}));

    savePath = dir.filePath("roundtrip");
    frame->Actions().fileSave->trigger();
    const QString saved = dir.filePath("roundtrip.vxf");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("roundtrip.vxf - Veltrix 2.0"));
    const FunctionRecord first = doc->Get(doc->First());
    const FunctionRecord second = doc->Get(doc->Next(doc->First()));

    frame->View3d()->Actions().yawRight->trigger();   // a camera move counts as a change
    saveAnswer = QMessageBox::No;
    frame->Actions().fileNew->trigger();
    EXPECT_EQ(doc->Count(), 0);
    EXPECT_EQ(askedToSave, QStringList{"roundtrip.vxf"});
    EXPECT_TRUE(SamePose(frame->View3d()->GetCamera(), CameraPose{})) << "a new document shows the default camera";

    openPath = saved;
    frame->Actions().fileOpen->trigger();
    ASSERT_EQ(doc->Count(), 2);
    const FunctionRecord a = doc->Get(doc->First());
    const FunctionRecord b = doc->Get(doc->Next(doc->First()));
    EXPECT_EQ(a.label, first.label);
    EXPECT_EQ(a.text, first.text);
    EXPECT_EQ(a.mode, first.mode);
    EXPECT_EQ(b.text, second.text);
    EXPECT_EQ(b.mode, second.mode);
    EXPECT_TRUE(SamePose(frame->View3d()->GetCamera(), moved));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(MainFrameTest, DamagedFileShowsTheMessageAndLeavesAnUntitledEmptyDocument)
{
    const QString path = SavedTour();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(f.size() / 2);
    f.close();

    ASSERT_TRUE(AddFunction(*frame->Document(), "saddle", "z(x,y)=x^2-y^2"));
    frame->Document()->SetModifiedFlag(false);
    openPath = path;
    frame->Actions().fileOpen->trigger();
    EXPECT_EQ(errors, QStringList{"Error: Bad file format"});
    EXPECT_EQ(frame->Document()->Count(), 0);
    EXPECT_EQ(TreeItems(), 0);
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("Untitled - Veltrix 2.0"));
}

// Answers the question a handed-over file asks, in its real message box:
// records its text and clicks `reply`.
class QuestionAnswerer {
public:
    explicit QuestionAnswerer(QMessageBox::StandardButton reply) : reply_(reply)
    {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                questions << box->windowTitle() + QStringLiteral(": ") + box->text();
                box->button(reply_)->click();
            }
        });
        timer_.start();
    }
    QStringList questions;

private:
    QMessageBox::StandardButton reply_;
    QTimer timer_;
};

// Starts the program with `arguments` on the X display `display`.
void StartOn(QProcess &process, const QString &display, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VELTRIX_PROGRAM), arguments);
}

// A second X server for the test (without the sanitizer's runtime, which
// breaks its start); returns its display, ":N", once it takes clients.  A
// server that picks its own number starts at :0 and takes no lock file, so
// any other start on this machine may take that display from under it: the
// number is drawn from high up instead, and drawn again when it is in use.
QString StartSecondServer(QProcess &server)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    server.setProcessEnvironment(env);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QString display = QLatin1Char(':') + QString::number(1000 + QRandomGenerator::global()->bounded(30000));
        // Without -noreset the server starts over whenever its last client
        // leaves (each window search below is one), and turns away whoever
        // connects meanwhile.
        server.start(QStringLiteral("Xvfb"), {display, QStringLiteral("-displayfd"), QStringLiteral("1"),
                                              QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                              QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!server.waitForStarted(10000))
            return QString();
        // The number comes back once the server listens; a server that
        // found the display taken ends instead.
        const bool answered =
            QTest::qWaitFor([&] { return server.canReadLine() || server.state() == QProcess::NotRunning; }, kPatienceMs);
        if (answered && server.canReadLine() && QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed()) == display)
            return display;
        server.kill();
        server.waitForFinished(10000);
    }
    return QString();
}

// Whether a window of that exact title exists on the display.
bool HasWindow(const QString &display, const QString &title)
{
    QProcess search;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("LD_PRELOAD"));
    search.setProcessEnvironment(env);
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--name"),
                  QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
    return search.waitForFinished(10000) && search.exitCode() == 0 && !search.readAllStandardOutput().isEmpty();
}

// Two programs: the second start's file goes to the running program through
// its save question, which names the file, and the second program ends
// without a window.
TEST_F(MainFrameTest, ASecondStartHandsItsFileToTheRunningProgramAndEnds)
{
    const QString path = SavedTour();
    AddShown("saddle", "z(x,y)=x^2-y^2");
    frame->Document()->SetModifiedFlag(true);
    RunningInstance instance;
    ASSERT_TRUE(instance.Listen());
    OpenHandedOverFiles(instance, *frame);
    EXPECT_FALSE(frame->isVisible());

    QProcess second;
    second.setWorkingDirectory(dir.path());   // a name relative to where it starts
    {
        QuestionAnswerer no(QMessageBox::No);
        second.start(QStringLiteral(VELTRIX_PROGRAM), {QStringLiteral("tour.vxf")});
        ASSERT_TRUE(second.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 30000))
            << "the second program did not end";
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->Document()->PathName() == path; }, kPatienceMs));
        EXPECT_EQ(no.questions,
                  QStringList{"Veltrix 2.0: tour.vxf is being opened. Save changes to Untitled first?"});
    }
    EXPECT_EQ(frame->Document()->Count(), 2);
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("tour.vxf - Veltrix 2.0"));
    EXPECT_TRUE(frame->isVisible()) << "the running program shows its window";
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    // Cancelling the question keeps the running program's document.
    frame->Document()->SetModifiedFlag(true);
    const QString other = dir.filePath("other.vxf");
    ASSERT_TRUE(QFile::copy(path, other));
    QuestionAnswerer cancel(QMessageBox::Cancel);
    second.start(QStringLiteral(VELTRIX_PROGRAM), {other});
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return cancel.questions.size() == 1; }, kPatienceMs));
    EXPECT_EQ(cancel.questions[0], QStringLiteral("Veltrix 2.0: other.vxf is being opened. Save changes to tour.vxf first?"));
    EXPECT_EQ(frame->Document()->PathName(), path);
}

// One program per display: a start on another X display (a second login,
// a remote session) opens a window of its own there, and starts on that
// display hand their files to it; starts on this display still come here.
TEST_F(MainFrameTest, EachDisplayHasItsOwnProgram)
{
    const QString first = SavedTour();
    RunningInstance instance;
    ASSERT_TRUE(instance.Listen());
    OpenHandedOverFiles(instance, *frame);
    for (const char *name : {"other.vxf", "third.vxf", "fourth.vxf"})
        ASSERT_TRUE(QFile::copy(first, dir.filePath(QString::fromLatin1(name))));

    QProcess server;
    const QString there = StartSecondServer(server);
    ASSERT_FALSE(there.isEmpty()) << "no second X server started";
    const QString here = qEnvironmentVariable("DISPLAY");
    ASSERT_NE(there, here);

    QProcess elsewhere, handing;
    StartOn(elsewhere, there, {dir.filePath("other.vxf")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return HasWindow(there, QStringLiteral("other.vxf - Veltrix 2.0")); }, 30000))
        << "no window on the other display";
    EXPECT_EQ(elsewhere.state(), QProcess::Running) << elsewhere.readAllStandardError().toStdString();
    EXPECT_TRUE(frame->Document()->PathName().isEmpty()) << "nothing came here";

    // Waiting lets this program's server answer.
    const auto ended = [&handing] { return QTest::qWaitFor([&] { return handing.state() == QProcess::NotRunning; }, 30000); };
    StartOn(handing, there, {dir.filePath("third.vxf")});
    EXPECT_TRUE(ended());
    EXPECT_EQ(handing.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return HasWindow(there, QStringLiteral("third.vxf - Veltrix 2.0")); }, kPatienceMs))
        << "the program on the other display took the file";
    EXPECT_TRUE(frame->Document()->PathName().isEmpty()) << "nothing came here";

    StartOn(handing, here, {dir.filePath("fourth.vxf")});
    EXPECT_TRUE(ended());
    EXPECT_EQ(handing.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->Document()->PathName() == dir.filePath("fourth.vxf"); }, kPatienceMs));

    elsewhere.terminate();
    if (!elsewhere.waitForFinished(10000))
        elsewhere.kill();
    server.terminate();
    server.waitForFinished(10000);
}

// A start with a definition the add flow refuses ends with the message and
// the place under the text, status 3, and shows no window.
TEST_F(MainFrameTest, ProgramRefusesAPlotItCannotMake)
{
    QProcess program;
    program.start(QStringLiteral(VELTRIX_PROGRAM), {QStringLiteral("-e"), QStringLiteral("z(x,y)=x*(")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 3);
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError())
                    .endsWith(QStringLiteral("veltrix: -e: Syntax error\n    z(x,y)=x*(\n              ^\n")));
}

// Every kind of message box of the program is as wide as its title needs,
// however short its text: the window manager cut "Current value" to "C...".
TEST_F(MainFrameTest, MessageBoxesAreWideEnoughForTheirTitles)
{
    ShowAndActivate(*frame);
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    // The title, the title bar's picture and at least two buttons.
    auto roomFor = [&](const QString &title) { return metrics.horizontalAdvance(title) + 3 * metrics.height(); };

    QMap<QString, int> widths;
    auto measureAndClose = [&widths] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, kPatienceMs));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        widths[box->windowTitle()] = box->width();
        box->done(0);
    };
    // Through the tree's prompter (Evaluate), a static box, and a box that
    // does not block (the 3D view's).
    QTimer::singleShot(0, frame.get(), measureAndClose);
    Prompter::Current().Message(frame.get(), QMessageBox::NoIcon, QStringLiteral("Current value"), QStringLiteral("1."));
    QTimer::singleShot(0, frame.get(), measureAndClose);
    QMessageBox::critical(frame.get(), QStringLiteral("Bad file format"), QStringLiteral("Invalid file"));
    auto *open = new QMessageBox(QMessageBox::Warning, QStringLiteral("Informations about the drawing"),
                                 QStringLiteral("x"), QMessageBox::Ok, frame.get());
    open->setAttribute(Qt::WA_DeleteOnClose);
    open->open();
    measureAndClose();

    ASSERT_EQ(widths.size(), 3);
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
        EXPECT_GE(it.value(), roomFor(it.key())) << it.key().toStdString();
}

TEST_F(MainFrameTest, DroppedFileIsOpened)
{
    const QString path = SavedTour();
    ShowAndActivate(*frame);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(frame->Document()->Count(), 2);
    EXPECT_EQ(ShownTitle(*frame), QStringLiteral("tour.vxf - Veltrix 2.0"));
}

// The 3D view shows its frames in a window of its own, which the window
// system hands a drop over the view to.
TEST_F(MainFrameTest, AFileDroppedOnTheViewIsOpened)
{
    const QString path = SavedTour();
    ShowAndActivate(*frame);
    QWindow *surface = frame->View3d()->Surface();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(surface));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &drop);
    EXPECT_EQ(frame->Document()->Count(), 2);
}

TEST_F(MainFrameTest, ThreeDToolBarHidesAndComesBackWithItsCheckMark)
{
    ShowAndActivate(*frame);
    QAction *toggle = frame->Actions().toolBar3d;
    EXPECT_EQ(toggle->text(), QStringLiteral("&3D Toolbar"));
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(frame->ToolBar3d()->isVisible());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(frame->ToolBar3d()->isVisible());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar3d()), Qt::RightToolBarArea);

    QAction *standard = frame->Actions().standardBar;
    standard->trigger();
    EXPECT_FALSE(frame->StandardBar()->isVisible());
    EXPECT_FALSE(standard->isChecked());
    standard->trigger();
    EXPECT_TRUE(standard->isChecked());
}

TEST_F(MainFrameTest, PlacementSurvivesARestartAndMaximisedWindowsReopenNormal)
{
    const QRect normal(60, 50, 700, 520);
    frame->setGeometry(normal);
    ShowAndActivate(*frame);
    ASSERT_TRUE(WaitForGeometry(*frame, normal)) << RectText(frame->geometry());
    frame->showMaximized();
    ASSERT_TRUE(frame->isMaximized());
    ASSERT_TRUE(frame->close());

    auto second = MakeFrame();
    EXPECT_EQ(second->geometry(), normal);
    second->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second.get()));
    EXPECT_FALSE(second->isMaximized());
    EXPECT_EQ(second->geometry(), normal);
}

TEST_F(MainFrameTest, F6MovesTheFocusBetweenThePanes)
{
    ShowAndActivate(*frame);
    const auto treeHasFocus = [&] {
        return frame->TreeView()->isAncestorOf(QApplication::focusWidget()) ||
               QApplication::focusWidget() == frame->TreeView();
    };
    ASSERT_TRUE(QTest::qWaitFor(treeHasFocus, kPatienceMs)) << "the tree has no focus";
    EXPECT_EQ(frame->ActivePane(), CMainFrame::Pane::Tree);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), frame->View3d());
    EXPECT_EQ(frame->ActivePane(), CMainFrame::Pane::View);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(frame->TreeView()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == frame->TreeView());
    EXPECT_EQ(frame->ActivePane(), CMainFrame::Pane::Tree);

    // A click in the 3D view makes it the active pane as well.
    QTest::mouseClick(frame->View3d(), Qt::MiddleButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(frame->ActivePane(), CMainFrame::Pane::View);
}

// The commands of the bars and menus that work from either pane stay
// available in either pane, and when a menu opens.
TEST_F(MainFrameTest, CommandsOfEitherPaneStayAvailableInBoth)
{
    const ViewActions &v = frame->View3d()->Actions();
    const OutputActions &o = frame->Output()->Actions();
    const FrameActions &f = frame->Actions();
    QList<QAction *> handled = BarLayouts::ThreeD(v) + BarLayouts::Animation(v, f) + BarLayouts::Trace(v, f);
    handled.removeAll(nullptr);
    handled << f.fileNew << o.printSetup << f.about << f.summary << f.settings << o.print << o.printPreview;
    handled << o.Exports();
    handled.removeAll(nullptr);
    auto expectStates = [&](const char *where) {
        for (QAction *action : handled)
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString() << " " << where;
    };

    ShowAndActivate(*frame);
    ASSERT_EQ(frame->ActivePane(), CMainFrame::Pane::Tree);
    expectStates("tree");
    frame->Actions().nextPane->trigger();
    ASSERT_EQ(frame->ActivePane(), CMainFrame::Pane::View);
    expectStates("view");

    for (const QString &title : {QStringLiteral("&File"), QStringLiteral("&Edit")}) {
        QMenu *menu = TopMenu(title);
        ASSERT_NE(menu, nullptr);
        emit menu->aboutToShow();
    }
    expectStates("menus");
}

// Copy takes the 3D view's picture, and only while the view is the active
// pane: from the tree it is greyed and leaves the clipboard alone.
TEST_F(MainFrameTest, CopyWorksOnlyFromTheView)
{
    ShowAndActivate(*frame);
    ASSERT_EQ(frame->ActivePane(), CMainFrame::Pane::Tree);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));
    EXPECT_FALSE(frame->Output()->Actions().copy->isEnabled());
    frame->Output()->Actions().copy->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("kept"));

    frame->Actions().nextPane->trigger();
    ASSERT_EQ(frame->ActivePane(), CMainFrame::Pane::View);
    EXPECT_TRUE(frame->Output()->Actions().copy->isEnabled());
    frame->Output()->Actions().copy->trigger();
    ASSERT_TRUE(clipboard->mimeData()->hasFormat(QStringLiteral("image/bmp")));
    const int width = qRound(frame->View3d()->width() * frame->View3d()->devicePixelRatioF());
    EXPECT_EQ(clipboard->image().width(), width & ~3);
}

// Greying changes no text: the menus keep their items and order.
TEST_F(MainFrameTest, FileAndEditMenusKeepTheirItems)
{
    auto texts = [](QMenu *menu) {
        QStringList result;
        for (QAction *a : menu->actions())
            result << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return result;
    };
    EXPECT_EQ(texts(TopMenu(QStringLiteral("&File"))),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
                           "&Print...\tCtrl+P", "Print Pre&view...", "P&rint Setup...", "-", "&Export", "-", "Recent File", "-",
                           "E&xit"}));
    EXPECT_EQ(texts(TopMenu(QStringLiteral("&Edit"))),
              (QStringList{"&Undo", "&Redo", "-", "&Copy\tCtrl+C", "-", "&Settings..."}));
    EXPECT_EQ(frame->Output()->Actions().print->statusTip(), QStringLiteral("Print the active document"));
    EXPECT_EQ(frame->Actions().settings->statusTip(), QStringLiteral("Change the view settings"));
}

// Every item of every menu opens with a letter: the keyboard reaches them
// all.  Two items of a menu share a letter only where the designed texts
// do (the View menu's "&Standard Toolbar" and "&Status Bar").
TEST_F(MainFrameTest, EveryMenuItemHasAMnemonic)
{
    const int wave = AddShown("wave", "z(x,y)=cosx*siny");
    QStringList missing, shared;
    std::function<void(QMenu *)> check = [&](QMenu *menu) {
        emit menu->aboutToShow();
        QMap<QString, QString> letters;
        for (QAction *a : menu->actions()) {
            // The recent-file list's stand-in when it is empty is never enabled.
            if (a->isSeparator() || !a->isVisible() || (a->text() == "Recent File" && !a->isEnabled()))
                continue;
            const QString text = a->text().section(QLatin1Char('\t'), 0, 0);
            const QString key = QKeySequence::mnemonic(text).toString();
            if (key.isEmpty())
                missing << menu->title() + " > " + text;
            else if (letters.contains(key) && !(text == "&Status Bar" && letters[key] == "&Standard Toolbar"))
                shared << menu->title() + " > " + letters[key] + " / " + text;
            letters[key] = text;
            if (a->menu())
                check(a->menu());
        }
    };
    QMenu *functions = TopMenu(QStringLiteral("F&unctions"));
    ASSERT_TRUE(functions);
    for (QAction *top : frame->menuBar()->actions()) {
        EXPECT_FALSE(QKeySequence::mnemonic(top->text()).isEmpty()) << top->text().toStdString();
        if (top->menu() != functions)
            check(top->menu());
    }
    // The Functions menu as it opens for each kind of node.
    CVeltrix2View *tree = frame->TreeView();
    tree->Tree()->expandAll();
    for (const TreeNodeEntry &e : tree->Nodes()) {
        if (e.function != wave)
            continue;
        tree->Tree()->setCurrentItem(e.item);
        e.item->setSelected(true);
        check(functions);
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    EXPECT_TRUE(shared.isEmpty()) << shared.join(", ").toStdString();
}

TEST_F(MainFrameTest, ViewCommandsReachTheViewFromTheTreePane)
{
    ShowAndActivate(*frame);
    ASSERT_EQ(frame->ActivePane(), CMainFrame::Pane::Tree);
    const CameraPose before = frame->View3d()->GetCamera();
    frame->View3d()->Actions().cameraUp->trigger();
    EXPECT_GT(frame->View3d()->GetCamera().y, before.y);

    frame->View3d()->Actions().pickMode->trigger();
    EXPECT_TRUE(frame->View3d()->PickMode());
    EXPECT_TRUE(frame->View3d()->Actions().pickMode->isChecked());
    frame->View3d()->Actions().pickMode->trigger();
    EXPECT_FALSE(frame->View3d()->PickMode());
    EXPECT_FALSE(frame->View3d()->Actions().pickMode->isChecked());
}

TEST_F(MainFrameTest, TraceRequestsShowTheBarAndCloseEndsTraceAndAnimation)
{
    int handle = 0;
    ASSERT_NO_FATAL_FAILURE(TraceAWave(&handle));
    CVeltrix2View *tree = frame->TreeView();
    EXPECT_TRUE(frame->TraceBar()->isVisible());
    EXPECT_TRUE(frame->TraceStatus()->TraceLayout());
    EXPECT_TRUE(frame->View3d()->TraceOn());
    EXPECT_EQ(frame->View3d()->TracedHandle(), handle);

    emit tree->AnimationBarRequested(true);
    EXPECT_TRUE(frame->AnimationBar()->isVisible());

    frame->Actions().closeTraceAnimation->trigger();
    EXPECT_FALSE(frame->TraceBar()->isVisible());
    EXPECT_FALSE(frame->AnimationBar()->isVisible());
    EXPECT_FALSE(frame->TraceStatus()->TraceLayout());
    EXPECT_FALSE(frame->View3d()->TraceOn());
    EXPECT_FALSE(frame->View3d()->AnimationOn());
}

// The bars opened over the 3D tool bar's arrows at the screen's right edge.
TEST_F(MainFrameTest, FloatingBarsOpenBesideThe3dToolBarOverNoControl)
{
    frame->resize(1000, 700);
    ShowAndActivate(*frame);
    ASSERT_TRUE(AddFunction(*frame->Document(), "wave", "z(x,y)=cosx*siny"));
    const int handle = frame->Document()->Get(frame->Document()->First()).handle;
    auto global = [](const QWidget *w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); };
    const QRect toolBar = global(frame->ToolBar3d());
    const QRect scene = global(frame->View3d());
    ASSERT_EQ(toolBar.left(), scene.right() + 1) << "the 3D tool bar is docked right of the scene";

    emit frame->TreeView()->TraceBarRequested(true);
    emit frame->TreeView()->AnimationBarRequested(true);
    QCoreApplication::processEvents();
    for (const FloatingBar *bar : {frame->TraceBar(), frame->AnimationBar()}) {
        ASSERT_TRUE(bar->isVisible());
        const QRect placed = bar->frameGeometry();
        EXPECT_FALSE(placed.intersects(toolBar)) << bar->windowTitle().toStdString();
        EXPECT_FALSE(placed.intersects(global(frame->StandardBar())));
        EXPECT_TRUE(scene.contains(placed)) << bar->windowTitle().toStdString();
        EXPECT_LE(toolBar.left() - placed.right(), 20) << "beside the tool bar";
    }
    EXPECT_FALSE(frame->TraceBar()->frameGeometry().intersects(frame->AnimationBar()->frameGeometry()));

    // Closed and opened again after the window moved: beside it again.
    frame->Actions().closeTraceAnimation->trigger();
    frame->move(frame->pos() + QPoint(-40, 30));
    QCoreApplication::processEvents();
    emit frame->TreeView()->TraceBarRequested(true);
    emit frame->TreeView()->TraceRequested(true, handle);
    QCoreApplication::processEvents();
    EXPECT_TRUE(global(frame->View3d()).contains(frame->TraceBar()->frameGeometry()));
    EXPECT_FALSE(frame->TraceBar()->frameGeometry().intersects(global(frame->ToolBar3d())));
}

// A close box the window manager draws on a bar (or Alt+F4 on it) does what
// the bar's own close button does, instead of nothing.
TEST_F(MainFrameTest, ClosingABarThroughTheWindowManagerEndsTraceAndAnimation)
{
    int handle = 0;
    ASSERT_NO_FATAL_FAILURE(TraceAWave(&handle));
    CVeltrix2View *tree = frame->TreeView();
    ASSERT_TRUE(frame->TraceBar()->isVisible());

    QCloseEvent close;
    QCoreApplication::sendEvent(frame->TraceBar(), &close);
    EXPECT_FALSE(close.isAccepted()) << "the owner hides the bar";
    EXPECT_FALSE(frame->TraceBar()->isVisible());
    EXPECT_FALSE(frame->View3d()->TraceOn());
    EXPECT_FALSE(frame->TraceStatus()->TraceLayout());

    emit tree->AnimationBarRequested(true);
    emit tree->AnimationRequested(true, handle);
    ASSERT_TRUE(frame->AnimationBar()->isVisible());
    EXPECT_TRUE(frame->AnimationBar()->close() == false);
    EXPECT_FALSE(frame->AnimationBar()->isVisible());
    EXPECT_FALSE(frame->View3d()->AnimationOn());
    EXPECT_FALSE(frame->TreeView()->IsAnimating());
}

TEST_F(MainFrameTest, ExitAsksToSaveAndCancelKeepsTheWindowOpen)
{
    ShowAndActivate(*frame);
    ASSERT_TRUE(AddFunction(*frame->Document(), "saddle", "z(x,y)=x^2-y^2"));
    saveAnswer = QMessageBox::Cancel;
    frame->Actions().exit->trigger();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(askedToSave.size(), 1);

    // Nothing stored while the window stays.
    EXPECT_FALSE(QSettings().contains("Settings/cx"));

    saveAnswer = QMessageBox::No;
    frame->Actions().exit->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(QSettings().contains("Settings/cx"));
}

TEST_F(MainFrameTest, RecentFilesAppearUnderFileAndOpenAgain)
{
    const QString path = SavedTour();
    QMenu *file = TopMenu(QStringLiteral("&File"));
    ASSERT_NE(file, nullptr);
    auto recentEntry = [file]() -> QAction * {
        for (QAction *a : file->actions())
            if (a->text().startsWith(QStringLiteral("&1 ")))
                return a;
        return nullptr;
    };
    EXPECT_EQ(recentEntry(), nullptr);

    ASSERT_EQ(frame->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
    QAction *entry = recentEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->text().endsWith(QStringLiteral("tour.vxf")));

    frame->Actions().fileNew->trigger();
    ASSERT_EQ(frame->Document()->Count(), 0);
    recentEntry()->trigger();
    EXPECT_EQ(frame->Document()->Count(), 2);

    // Shared by the next start.
    auto second = MakeFrame();
    EXPECT_EQ(second->Documents()->Recent().Entries().value(0), path);
}

// Edit > Settings... changes the scene at once, the drawn functions
// included: a gradient surface outlines its cells in the background colour.
TEST_F(MainFrameTest, SettingsReachTheSceneAtOnce)
{
    ASSERT_TRUE(AddFunction(*frame->Document(), "plane", "z(x,y)=0", Gradient));
    frame->Document()->SetModifiedFlag(false);
    ShowAndActivate(*frame);
    const QColor black(0, 0, 0), darkBlue(0, 0, 128);
    auto count = [](const QImage &image, const QColor &color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    };
    ASSERT_GT(count(frame->View3d()->grabFramebuffer(), black), 0);

    FakePrompter prompter;
    prompter.colors.push_back(darkBlue);
    prompter.Accept<SettingsDialog>([](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Background());
        QTest::mouseClick(d.Background()->BackgroundButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(frame->Actions().settings->isEnabled());
    frame->Actions().settings->trigger();
    EXPECT_EQ(prompter.runs, 1);
    EXPECT_TRUE(frame->Document()->IsModified());

    const QImage after = frame->View3d()->grabFramebuffer();
    EXPECT_EQ(after.pixelColor(2, 2), darkBlue);
    EXPECT_EQ(count(after, black), 0);
}

TEST_F(MainFrameTest, TracingFromTheTreeFillsTheStatusBarAndNamesTheButtons)
{
    ShowAndActivate(*frame);
    const int wave = AddShown("wave", "z(x,y)=cosx*siny");
    TreeCommandOnText(wave, &TreeActions::trace);
    ASSERT_TRUE(frame->TraceBar()->isVisible());
    EXPECT_EQ(frame->View3d()->TracedHandle(), wave);
    EXPECT_EQ(frame->View3d()->Actions().traceFirstUp->toolTip(), QStringLiteral("x + 1 step"));
    EXPECT_EQ(frame->View3d()->Actions().traceSecondDown->toolTip(), QStringLiteral("y - 1 step"));
    EXPECT_TRUE(frame->View3d()->Actions().traceSecondDown->statusTip().contains(QStringLiteral("Left arrow")));

    for (int i = 0; i < 10; ++i)
        frame->View3d()->Actions().traceFirstUp->trigger();
    TraceStatusBar *status = frame->TraceStatus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status->Pane(5)->text().isEmpty(); }, kPatienceMs));
    EXPECT_EQ(status->Pane(5)->text(), QStringLiteral("0."));
    EXPECT_EQ(status->Pane(7)->text(), QStringLiteral("-5."));
    EXPECT_FALSE(frame->Document()->IsModified());

    // Buttons of the floating bar prompt in the main window's status bar.
    QStatusTipEvent tip(frame->View3d()->Actions().traceFirstUp->statusTip());
    QCoreApplication::sendEvent(frame->TraceBar()->Bar(), &tip);
    EXPECT_EQ(status->Pane(0)->text(), frame->View3d()->Actions().traceFirstUp->statusTip());

    frame->Actions().closeTraceAnimation->trigger();
    EXPECT_FALSE(frame->TraceBar()->isVisible());
    EXPECT_FALSE(status->TraceLayout());
    EXPECT_FALSE(frame->TreeView()->IsTracing());
    EXPECT_TRUE(status->Pane(5)->text().isEmpty()) << "the read-out is cleared";
}

TEST_F(MainFrameTest, TheAnimationBarPlaysStepsAndClosesWithItsOwnButton)
{
    ShowAndActivate(*frame);
    const int ripple = AddShown("ripple", "z(x,y,t)=sin(x+t)*cosy");
    TreeCommandOnText(ripple, &TreeActions::animate);
    ASSERT_TRUE(frame->AnimationBar()->isVisible());
    EXPECT_TRUE(frame->View3d()->Actions().play->isChecked()) << "playing begins at once";

    frame->View3d()->Actions().stop->trigger();
    EXPECT_FALSE(frame->View3d()->Actions().play->isChecked());
    frame->View3d()->Actions().rewind->trigger();
    frame->View3d()->Actions().stepForward->trigger();
    EXPECT_EQ(frame->View3d()->Animation().Steps(), std::vector<uint32_t>{1});
    frame->View3d()->Actions().play->trigger();
    EXPECT_TRUE(frame->View3d()->Actions().play->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->View3d()->Animation().Steps() != std::vector<uint32_t>{1}; },
                                kPatienceMs))
        << "playing on";
    EXPECT_FALSE(frame->Document()->IsModified());

    frame->Actions().closeTraceAnimation->trigger();
    EXPECT_FALSE(frame->AnimationBar()->isVisible());
    EXPECT_FALSE(frame->View3d()->AnimationOn());
    EXPECT_FALSE(frame->View3d()->Actions().play->isChecked());
    EXPECT_FALSE(frame->TreeView()->IsAnimating());
}

// Whatever takes the traced or animated function away, the modes end as if
// their close button had been pressed.
TEST_F(MainFrameTest, LosingTheTracedFunctionClosesTheBarsAndTheReadOut)
{
    ShowAndActivate(*frame);
    CVeltrix2Doc *doc = frame->Document();
    const int wave = AddShown("wave", "z(x,y)=cosx*siny");
    TreeCommandOnText(wave, &TreeActions::trace);
    ASSERT_TRUE(frame->TraceStatus()->TraceLayout());
    doc->Remove(doc->Find(wave));
    EXPECT_FALSE(frame->TraceBar()->isVisible());
    EXPECT_FALSE(frame->TraceStatus()->TraceLayout());
    EXPECT_FALSE(frame->TreeView()->IsTracing());
    EXPECT_FALSE(frame->View3d()->TraceOn());

    TreeCommandOnText(AddShown("ripple", "z(x,y,t)=sin(x+t)*cosy"), &TreeActions::animate);
    ASSERT_TRUE(frame->AnimationBar()->isVisible());
    saveAnswer = QMessageBox::No;
    frame->Actions().fileNew->trigger();
    EXPECT_FALSE(frame->AnimationBar()->isVisible());
    EXPECT_FALSE(frame->TreeView()->IsAnimating());
    EXPECT_FALSE(frame->View3d()->Animation().IsPlaying());
}

TEST_F(MainFrameTest, PickingSelectsTheFunctionInTheTreeAndEmptySpaceClearsIt)
{
    const int wave = AddShown("wave", "z(x,y)=cosx*siny");
    QTreeWidget *tree = frame->TreeView()->Tree();
    emit frame->View3d()->FunctionPicked(wave);
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("wave"));
    emit frame->View3d()->FunctionPicked(-1);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_EQ(tree->currentItem(), nullptr);
}

namespace {
// Message boxes that came up since the last call; each is closed once seen,
// so that a modal one cannot hold the test.
class MessageBoxWatch : public QObject {
public:
    MessageBoxWatch()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
        timer_.start(20);
    }
    // The boxes seen once `count` came up and the view showed two more
    // frames: a box is opened after the frame that met the problem, before
    // the next one.
    QStringList Take(GLView &view, int count)
    {
        if (QTest::qWaitFor([&] { return seen_.size() >= count; }, kPatienceMs) && ShowFrames(view))
            Look();
        return std::exchange(seen_, {});
    }

private:
    void Look()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible() || box->property("seen").toBool())
                continue;
            box->setProperty("seen", true);
            seen_ << box->text();
            QMetaObject::invokeMethod(box, &QDialog::reject, Qt::QueuedConnection);
        }
    }
    QTimer timer_;
    QStringList seen_;
};
}  // namespace

TEST_F(MainFrameTest, AFunctionThatCannotBeDrawnIsToldOnceByOneBoxAndAgainInTheNextDocument)
{
    CVeltrix2Doc source;
    ASSERT_TRUE(AddFunction(source, "flat", "z(x,y)=x*y"));
    modify_function_variable(source.Get(0).handle, VariableRecord{"x", 0, -5, 5, 0});
    const QString path = dir.filePath("flat.vxf");
    ASSERT_TRUE(source.Save(path));
    source.NewDocument();

    ShowAndActivate(*frame);
    MessageBoxWatch boxes;
    ASSERT_EQ(frame->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
    GLView &view = *frame->View3d();
    const QStringList first = boxes.Take(view, 1);
    ASSERT_EQ(first.size(), 1) << first.join(" | ").toStdString();
    EXPECT_TRUE(first[0].contains("cannot be drawn"));

    EXPECT_TRUE(boxes.Take(view, 0).isEmpty()) << "told once";

    ASSERT_EQ(frame->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
    EXPECT_EQ(boxes.Take(view, 1).size(), 1) << "the reopened function is another one";
    frame->Actions().fileNew->trigger();
    ASSERT_EQ(frame->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
    EXPECT_EQ(boxes.Take(view, 1).size(), 1);
}

// The real Save As dialog, under the window: the user types a name without
// the extension and the document of that name is there already.
TEST_F(MainFrameTest, SaveAsWithoutTheExtensionAsksBeforeReplacing)
{
    const QString victim = SavedTour();
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();

    CMainFrame plain(CMainFrame::Options{false});   // with the program's own dialogs
    plain.Documents()->prompts().showError = [this](const QString &, const QString &text) { errors << text; };
    ASSERT_TRUE(AddFunction(*plain.Document(), "saddle", "z(x,y)=x^2-y^2"));
    ShowAndActivate(plain);

    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::No;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (!box->property("answered").toBool()) {
                box->setProperty("answered", true);
                questions << box->text();
                QMetaObject::invokeMethod(box->button(answer), &QAbstractButton::click, Qt::QueuedConnection);
            }
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (!dialog->property("typed").toBool()) {
                dialog->setProperty("typed", true);
                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(dir.filePath("tour"));
                QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            } else if (!questions.isEmpty()) {
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            }
        }
    });
    user.start(50);

    plain.Actions().fileSaveAs->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith("tour.vxf already exists")) << questions[0].toStdString();
    file.seek(0);
    EXPECT_EQ(file.readAll(), before) << "replaced without asking";
    EXPECT_TRUE(plain.Document()->PathName().isEmpty());
    EXPECT_TRUE(plain.Document()->IsModified());

    questions.clear();
    answer = QMessageBox::Yes;
    plain.Actions().fileSaveAs->trigger();
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(plain.Document()->PathName(), victim);
    EXPECT_FALSE(plain.Document()->IsModified());
    EXPECT_TRUE(errors.isEmpty());
}

// Full screen: the screen shows the 3D view's whole frame, the view's
// window having grown with the view.
TEST_F(MainFrameTest, FullScreenShowsTheWholeFrame)
{
    ShowAndActivate(*frame);
    GLView *view = frame->View3d();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->Surface()));
    ASSERT_TRUE(ShowFrames(*view, 2));
    QSignalSpy shown(view, &GLView::frameSwapped);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Escape);
    ASSERT_TRUE(frame->IsFullScreen());
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->size() == screen->size() && shown.count() >= 2; }, kPatienceMs));
    const QImage drawn = view->grabFramebuffer();
    const QImage onScreen = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(onScreen.size(), drawn.size());
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            differing += onScreen.pixel(x, y) != drawn.pixel(x, y);
    EXPECT_LT(differing, drawn.width() * drawn.height() / 100);
}

TEST_F(MainFrameTest, ClosingInFullScreenRestartsInTheNormalWindowOnTheScreen)
{
    const QRect normal(60, 50, 700, 520);
    frame->setGeometry(normal);
    ShowAndActivate(*frame);
    ASSERT_TRUE(WaitForGeometry(*frame, normal)) << RectText(frame->geometry());
    frame->View3d()->setFocus();
    QTest::keyClick(frame->View3d(), Qt::Key_Escape);
    ASSERT_TRUE(frame->IsFullScreen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->geometry().width() > normal.width(); }, kPatienceMs))
        << RectText(frame->geometry());
    ASSERT_TRUE(frame->close());

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto second = MakeFrame();
    EXPECT_EQ(second->geometry(), normal);
    second->close();

    // Stored by a run on a larger screen, or damaged: opened on this one.
    QSettings store;
    FramePlacement::Save(store, QRect(screen.right() + 100, -400, screen.width() * 2, 300));
    auto third = MakeFrame();
    EXPECT_TRUE(screen.contains(third->geometry())) << third->geometry().x() << "," << third->geometry().y();
    EXPECT_EQ(third->geometry().size(), QSize(screen.width(), 300));
}

TEST_F(MainFrameTest, ClosingAfterEditValueAsksToSave)
{
    ASSERT_TRUE(AddFunction(*frame->Document(), "wave", "z(x,y,a)=a*cosx*siny"));
    frame->TreeView()->FillTree();
    frame->Document()->SetModifiedFlag(false);
    ShowAndActivate(*frame);

    QTreeWidgetItem *variable = nullptr;
    for (const TreeNodeEntry &entry : frame->TreeView()->Nodes())
        if (entry.kind == VariableNode && entry.variable == "a")
            variable = entry.item;
    ASSERT_NE(variable, nullptr);
    QTreeWidget *tree = frame->TreeView()->Tree();
    tree->expandAll();
    tree->scrollToItem(variable);
    const QPoint at = tree->visualItemRect(variable).center();

    // The user double-clicks the variable and types a new value.
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<ValueDialog *>(QApplication::activeModalWidget())) {
            dialog->Edit()->setText(QStringLiteral("0.5"));
            QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
        }
    });
    user.start(50);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    user.stop();
    VariableRecord a{};
    ASSERT_EQ(get_function_variable(frame->Document()->Get(0).handle, "a", &a), 1);
    ASSERT_EQ(a.value, 0.5);

    saveAnswer = QMessageBox::Cancel;
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(askedToSave, QStringList{"Untitled"});
    EXPECT_TRUE(frame->isVisible());
}

// The drawing choices sit in the View menu, are the user's (a new window
// has them again) and never reach the document's file.  Contour lines start
// off; their options dialog sets the levels and the floor, and turns them on.
TEST_F(MainFrameTest, ViewMenuDrawingChoicesAreKeptPerUserNotInTheDocument)
{
    QStringList texts;
    QList<QAction *> toggles;
    QAction *contourOptions = nullptr;
    for (QAction *a : TopMenu(QStringLiteral("&View"))->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (a->isCheckable() && !a->isSeparator() && texts.size() > 5)
            toggles << a;
        if (a->text() == QStringLiteral("Contour &Options..."))
            contourOptions = a;
    }
    ASSERT_EQ(texts, (QStringList{"&Standard Toolbar", "&3D Toolbar", "&Status Bar", "&Parameters", "-",
                                  "Smooth &Lines", "S&haded Surfaces", "&Colour Legend", "Co&ntour Lines",
                                  "Contour &Options..."}));
    ASSERT_EQ(toggles.size(), 4);
    ASSERT_TRUE(contourOptions);
    EXPECT_TRUE(toggles[0]->isChecked());
    EXPECT_FALSE(toggles[1]->isChecked());
    EXPECT_FALSE(toggles[2]->isChecked());
    EXPECT_FALSE(toggles[3]->isChecked());
    EXPECT_FALSE(toggles[1]->statusTip().isEmpty());
    EXPECT_EQ(frame->View3d()->Options().contours.levels, 0);

    ASSERT_TRUE(AddFunction(*frame->Document(), "wave", "z(x,y)=cosx*siny", Gradient));
    const QString before = dir.filePath("before.vxf"), after = dir.filePath("after.vxf");
    ASSERT_TRUE(frame->Document()->Save(before));
    toggles[0]->trigger();
    toggles[1]->trigger();
    toggles[2]->trigger();
    toggles[3]->trigger();
    RenderOptions options = frame->View3d()->Options();
    EXPECT_FALSE(options.smoothLines);
    EXPECT_TRUE(options.shadedSurfaces);
    EXPECT_TRUE(options.colorLegend);
    EXPECT_EQ(options.contours, (ContourOptions{10, false}));

    // Off again, then the options: 7 levels on the floor, and on at once.
    toggles[3]->trigger();
    EXPECT_EQ(frame->View3d()->Options().contours.levels, 0);
    {
        FakePrompter prompter;
        prompter.Accept<ContourDialog>([](ContourDialog &d) {
            EXPECT_EQ(d.LevelsBox()->value(), 10);
            d.LevelsBox()->setValue(7);
            d.FloorBox()->setChecked(true);
        });
        contourOptions->trigger();
        EXPECT_EQ(prompter.runs, 1);
    }
    EXPECT_TRUE(toggles[3]->isChecked());
    EXPECT_EQ(frame->View3d()->Options().contours, (ContourOptions{7, true}));
    EXPECT_FALSE(frame->Document()->IsModified()) << "not a change to the document";
    ASSERT_TRUE(frame->Document()->Save(after));
    EXPECT_EQ(ReadAll(before), ReadAll(after));

    frame.reset();
    frame = MakeFrame();
    const RenderOptions again = frame->View3d()->Options();
    EXPECT_FALSE(again.smoothLines);
    EXPECT_TRUE(again.shadedSurfaces);
    EXPECT_TRUE(again.colorLegend);
    EXPECT_EQ(again.contours, (ContourOptions{7, true}));
}

// View > Parameters shows the pane, off for a user who never chose and kept
// as the user leaves it; the pane shows the selected function's parameters,
// its drags are drawn at once and recorded once.
TEST_F(MainFrameTest, TheParametersPaneIsTheUsersAndDrawsItsDragsLive)
{
    QAction *toggle = frame->Actions().parameters;
    ParametersDock *dock = frame->Parameters();
    ShowAndActivate(*frame);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(dock->isVisible());
    toggle->trigger();
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(QSettings().value(QStringLiteral("View/Parameters")).toBool());

    const int32_t torus = AddShown("torus", "(x,y,z)(u,v,a)=(cos(u)*(a+cos(v)), sin(u)*(a+cos(v)), sin(v))");
    VariableRecord a{"a", 2, 1, 4, 3};
    ASSERT_EQ(modify_function_variable(torus, a), 1);
    frame->Document()->UpdateAllViews(nullptr, -1);
    for (const TreeNodeEntry &e : frame->TreeView()->Nodes())
        if (e.function == torus && e.kind == FunctionNode)
            frame->TreeView()->Tree()->setCurrentItem(e.item);
    ParameterPanel *panel = dock->Panel();
    ASSERT_EQ(panel->Function(), torus);
    ASSERT_EQ(panel->RowCount(), 1);

    const QImage before = frame->View3d()->grabFramebuffer();
    QSlider *slider = panel->Slider(0);
    QUndoStack &stack = DocumentHistory::Of(*frame->Document()).Stack();
    const int done = stack.count();
    slider->setSliderDown(true);
    slider->setValue(3);   // a = 4: the torus reaches the cube's sides
    const QImage dragged = frame->View3d()->grabFramebuffer();
    EXPECT_NE(dragged, before) << "drawn while the drag goes on";
    EXPECT_EQ(stack.count(), done);
    slider->setSliderDown(false);
    EXPECT_EQ(stack.count(), done + 1);
    EXPECT_EQ(stack.undoText(), "Change value of a");
    frame->UndoAction()->trigger();
    ASSERT_EQ(get_function_variable(torus, "a", &a), 1);
    EXPECT_EQ(a.value, 2);
    EXPECT_EQ(slider->value(), 1);

    // The pane's own close button is the user's choice too.
    dock->close();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(QSettings().value(QStringLiteral("View/Parameters")).toBool());
    toggle->trigger();
    frame.reset();
    frame = MakeFrame();
    EXPECT_TRUE(frame->Actions().parameters->isChecked());
    frame->show();
    EXPECT_TRUE(frame->Parameters()->isVisible());
}

// The point under the mouse goes to the message pane, and the view's prompt
// (which names the wheel and the orbit) comes back over empty paper; while
// tracing the panes keep their places and the trace's read-out.
TEST_F(MainFrameTest, ThePointUnderTheMouseShowsInTheStatusBar)
{
    ShowAndActivate(*frame);
    ASSERT_TRUE(AddFunction(*frame->Document(), "Flat", "z(x,y)=0", FilledPolygons));
    frame->TreeView()->FillTree();
    frame->Document()->UpdateAllViews(nullptr, -1);
    const int flat = LastHandle();
    TraceStatusBar *status = frame->TraceStatus();
    GLView *view = frame->View3d();
    EXPECT_TRUE(view->statusTip().contains(QStringLiteral("Ctrl+left orbits")));
    EXPECT_TRUE(view->statusTip().contains(QStringLiteral("wheel")));

    TreeCommandOnText(flat, &TreeActions::trace);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status->Pane(5)->text().isEmpty(); }, kPatienceMs));
    const QList<QRect> panes = [&] {
        QList<QRect> r;
        for (int i = 0; i < TraceStatusBar::kPaneCount; ++i)
            r << status->Pane(i)->geometry();
        return r;
    }();
    const QString value = status->Pane(2)->text();

    // The middle of the view looks at the plane near the cube's centre.
    const QPoint middle(view->width() / 2, view->height() / 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(middle), QPointF(view->mapToGlobal(middle)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &move);
    ASSERT_TRUE(QTest::qWaitFor([&] { return status->Pane(0)->text().startsWith(QStringLiteral("Flat:  x = ")); }, kPatienceMs));
    EXPECT_TRUE(status->Pane(0)->text().endsWith(QStringLiteral("z = 0."))) << status->Pane(0)->text().toStdString();
    for (int i = 0; i < TraceStatusBar::kPaneCount; ++i)
        EXPECT_EQ(status->Pane(i)->geometry(), panes[i]) << i;
    EXPECT_EQ(status->Pane(2)->text(), value);

    emit view->PointUnderMouseGone();
    EXPECT_EQ(status->Pane(0)->text(), view->statusTip());
}

// The export dialogs start where the file dialogs of documents do: in the
// open document's folder.
TEST_F(MainFrameTest, ExportDialogsStartInTheDocumentsFolder)
{
    const QString path = SavedTour();
    ASSERT_EQ(frame->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
    QStringList folders;
    frame->Output()->prompts().askSavePath = [&folders](const OutputCommands::SaveRequest &r) {
        folders << r.folder;
        return QString();
    };
    frame->Output()->Actions().exportDxf->trigger();
    frame->Output()->Actions().exportObj->trigger();
    EXPECT_EQ(folders, QStringList(2, QFileInfo(path).absolutePath()));
}
