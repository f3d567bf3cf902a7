// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <gtest/gtest.h>

#include "GuiWaits.h"
#include "TestFunctions.h"
#include "X11Keys.h"
#include "model/CVeltrix2Doc.h"
#include "qel/qel.h"
#include "view3d/Camera.h"
#include "view3d/GLView.h"

namespace {

class GLViewTest : public testing::Test {
protected:
    void SetUp() override { view.SetDocument(&doc); }

    void Key(QEvent::Type type, int key, bool autoRepeat = false)
    {
        QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(&view, &e);
    }
    // As the window system delivers it: with the physical key's scan code,
    // and Shift in the native modifiers as X11 has it.
    void PhysicalKey(QEvent::Type type, int key, quint32 scanCode, Qt::KeyboardModifiers mods = Qt::NoModifier,
                     bool autoRepeat = false)
    {
        const quint32 nativeMods = mods & Qt::ShiftModifier ? 1 : 0;
        QKeyEvent e(type, key, mods, scanCode, 0, nativeMods, QString(), autoRepeat);
        QCoreApplication::sendEvent(&view, &e);
    }
    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), QPointF(view.mapToGlobal(p)), button, buttons, mods);
        QCoreApplication::sendEvent(&view, &e);
    }
    CameraPose Pose() const { return view.GetCamera(); }

    CVeltrix2Doc doc;
    GLView view;
};

constexpr double kStep = 10 * 0.08;

// Unit steps at a yaw of 30 degrees, where sine and cosine differ and
// neither is 0: a wrong sign or a swapped function shows in X and in Z.
const double kSin30 = std::sin(30 * kDegree), kCos30 = std::cos(30 * kDegree);
struct Along {
    double x, z;
};
const Along kAhead{-kSin30, -kCos30};   // where the eye looks at yaw 30
const Along kRightHand{kCos30, -kSin30};

TEST_F(GLViewTest, ToolBarCommandsMoveTheCameraAndMarkTheDocument)
{
    const CameraPose start = Pose();
    EXPECT_EQ(start.x, 4.0);
    EXPECT_EQ(start.y, 7.0);
    EXPECT_EQ(start.z, 20.0);
    EXPECT_EQ(start.pitch, -20.0);
    EXPECT_EQ(start.yaw, 15.0);

    view.SetCamera({1, 2, 3, 0, 30});
    EXPECT_FALSE(doc.IsModified());
    view.Actions().cameraForward->trigger();
    EXPECT_NEAR(Pose().x, 1 + kStep * kAhead.x, 1e-12);
    EXPECT_NEAR(Pose().z, 3 + kStep * kAhead.z, 1e-12);
    EXPECT_TRUE(doc.IsModified());
    view.Actions().cameraBack->trigger();
    EXPECT_NEAR(Pose().x, 1, 1e-12);
    EXPECT_NEAR(Pose().z, 3, 1e-12);

    view.Actions().cameraLeft->trigger();   // left
    EXPECT_NEAR(Pose().x, 1 - kStep * kRightHand.x, 1e-12);
    EXPECT_NEAR(Pose().z, 3 - kStep * kRightHand.z, 1e-12);
    view.Actions().cameraRight->trigger();
    view.Actions().cameraRight->trigger();   // right
    EXPECT_NEAR(Pose().x, 1 + kStep * kRightHand.x, 1e-12);
    EXPECT_NEAR(Pose().z, 3 + kStep * kRightHand.z, 1e-12);
    view.Actions().cameraUp->trigger();
    EXPECT_NEAR(Pose().y, 2 + kStep, 1e-12);
    view.Actions().cameraDown->trigger();
    view.Actions().cameraDown->trigger();
    EXPECT_NEAR(Pose().y, 2 - kStep, 1e-12);
    view.Actions().yawLeft->trigger();
    EXPECT_NEAR(Pose().yaw, 30 + kStep, 1e-12);
    view.Actions().yawRight->trigger();
    view.Actions().yawRight->trigger();
    EXPECT_NEAR(Pose().yaw, 30 - kStep, 1e-12);
    view.Actions().pitchDown->trigger();
    EXPECT_NEAR(Pose().pitch, -kStep, 1e-12);
    view.Actions().pitchUp->trigger();
    view.Actions().pitchUp->trigger();
    EXPECT_NEAR(Pose().pitch, kStep, 1e-12);

    view.Actions().cameraReset->trigger();
    EXPECT_EQ(Pose().x, 4.0);
    EXPECT_EQ(Pose().yaw, 15.0);

    QSignalSpy pick(&view, &GLView::PickModeChanged);
    view.Actions().pickMode->trigger();
    EXPECT_TRUE(view.PickMode());
    view.Actions().pickMode->trigger();
    EXPECT_FALSE(view.PickMode());
    EXPECT_EQ(pick.count(), 2);
}

// The view's actions are the main window's tool bar buttons: each has its
// own name and a prompt for the status bar, and only pick mode and play
// stay pressed.
TEST_F(GLViewTest, ActionsHaveNamesPromptsAndTheirCheckStates)
{
    const ViewActions &a = view.Actions();
    const QList<QAction *> all{a.pickMode, a.cameraReset, a.cameraForward, a.cameraBack, a.cameraUp,
                               a.cameraDown, a.cameraLeft, a.cameraRight, a.pitchUp, a.pitchDown,
                               a.yawLeft, a.yawRight, a.play, a.stop, a.rewind,
                               a.stepBack, a.stepForward, a.traceFirstUp, a.traceFirstDown,
                               a.traceSecondUp, a.traceSecondDown};
    QSet<QString> names;
    for (QAction *action : all) {
        ASSERT_NE(action, nullptr);
        names.insert(action->objectName());
        EXPECT_FALSE(action->statusTip().isEmpty()) << action->objectName().toStdString();
        EXPECT_FALSE(action->toolTip().isEmpty()) << action->objectName().toStdString();
        EXPECT_EQ(action->isCheckable(), action == a.pickMode || action == a.play)
            << action->objectName().toStdString();
    }
    EXPECT_EQ(names.size(), all.size());
    EXPECT_EQ(a.traceSecondDown->toolTip(), QStringLiteral("Second variable - 1 step"));
}

TEST(GLViewDocument, TakesTheDocumentsCameraAndHandsItsOwnBack)
{
    CVeltrix2Doc doc;
    doc.Settings().cameraX = -3;
    doc.Settings().cameraYaw = 40;
    GLView view;
    view.SetDocument(&doc);
    EXPECT_EQ(view.GetCamera().x, -3.0);
    EXPECT_EQ(view.GetCamera().yaw, 40.0);
    EXPECT_EQ(doc.GetCameraLink(), &view);
    view.Actions().cameraUp->trigger();
    EXPECT_EQ(doc.GetCameraLink()->GetCamera().y, view.GetCamera().y);
}

TEST_F(GLViewTest, DragsNeedExactlyTheirButtonsAndNoModifier)
{
    const double s = 0.08;
    Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
    Mouse(QEvent::MouseMove, {110, 90}, Qt::NoButton, Qt::RightButton);
    EXPECT_NEAR(Pose().yaw, 15 - 10 * s, 1e-12) << "moving right turns right";
    EXPECT_NEAR(Pose().pitch, -20 + 10 * s, 1e-12) << "moving up looks up";
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    const CameraPose before = Pose();
    Mouse(QEvent::MouseMove, {140, 60}, Qt::NoButton, Qt::RightButton, Qt::ShiftModifier);
    Mouse(QEvent::MouseMove, {150, 50}, Qt::NoButton, Qt::MiddleButton);
    Mouse(QEvent::MouseMove, {160, 40}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Pose().yaw, before.yaw);
    EXPECT_EQ(Pose().pitch, before.pitch);
    EXPECT_EQ(Pose().x, before.x);
    EXPECT_FALSE(doc.IsModified());
    Mouse(QEvent::MouseButtonRelease, {160, 40}, Qt::RightButton, Qt::NoButton);

    // Turned, so that every walk moves along both X and Z.
    view.SetCamera({0, 0, 0, 0, 30});
    Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(Pose().x, 10 * s * kAhead.x, 1e-12) << "moving up walks forward";
    EXPECT_NEAR(Pose().z, 10 * s * kAhead.z, 1e-12) << "moving up walks forward";
    Mouse(QEvent::MouseMove, {60, 40}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(Pose().x, 10 * s * (kAhead.x + kRightHand.x), 1e-12) << "moving right steps right";
    EXPECT_NEAR(Pose().z, 10 * s * (kAhead.z + kRightHand.z), 1e-12) << "moving right steps right";
    Mouse(QEvent::MouseMove, {40, 55}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(Pose().x, s * (-5 * kAhead.x - 10 * kRightHand.x), 1e-12) << "down and left at once";
    EXPECT_NEAR(Pose().z, s * (-5 * kAhead.z - 10 * kRightHand.z), 1e-12) << "down and left at once";
    EXPECT_EQ(Pose().y, 0.0);

    Mouse(QEvent::MouseButtonPress, {40, 55}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    const CameraPose beforeRise = Pose();
    Mouse(QEvent::MouseMove, {60, 35}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_NEAR(Pose().y, 20 * s, 1e-12) << "both buttons rise";
    EXPECT_EQ(Pose().x, beforeRise.x);
    EXPECT_EQ(Pose().z, beforeRise.z);
    EXPECT_EQ(Pose().yaw, 30.0);
}

TEST_F(GLViewTest, HeldKeysStepOnRepeatsAndReleaseAndCombine)
{
    view.SetCamera({0, 0, 0, 0, 0});
    Key(QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(Pose().z, 0.0) << "the first press moves nothing";
    Key(QEvent::KeyRelease, Qt::Key_Up, true);   // X11 auto-repeat pair
    Key(QEvent::KeyPress, Qt::Key_Up, true);
    EXPECT_NEAR(Pose().z, -kStep, 1e-12);
    Key(QEvent::KeyRelease, Qt::Key_Up, true);
    Key(QEvent::KeyPress, Qt::Key_Up, true);
    EXPECT_NEAR(Pose().z, -2 * kStep, 1e-12);
    Key(QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_NEAR(Pose().z, -3 * kStep, 1e-12) << "the release moves once more";
    Key(QEvent::KeyPress, Qt::Key_A);
    EXPECT_NEAR(Pose().z, -3 * kStep, 1e-12) << "nothing held any more";

    // Only the last key repeats; every repeat moves every held key.
    Key(QEvent::KeyPress, Qt::Key_Left);
    Key(QEvent::KeyPress, Qt::Key_PageUp);
    EXPECT_NEAR(Pose().yaw, kStep, 1e-12);
    Key(QEvent::KeyPress, Qt::Key_PageUp, true);
    EXPECT_NEAR(Pose().yaw, 2 * kStep, 1e-12);
    EXPECT_NEAR(Pose().pitch, kStep, 1e-12);

    // The sideways keys step across the line of sight, at any yaw.
    QFocusEvent reset(QEvent::FocusOut);
    QCoreApplication::sendEvent(&view, &reset);
    view.SetCamera({0, 0, 0, 0, 30});
    Key(QEvent::KeyPress, Qt::Key_Minus);
    Key(QEvent::KeyRelease, Qt::Key_Minus);
    EXPECT_NEAR(Pose().x, kStep * kRightHand.x, 1e-12) << "minus steps right";
    EXPECT_NEAR(Pose().z, kStep * kRightHand.z, 1e-12) << "minus steps right";
    Key(QEvent::KeyPress, Qt::Key_Period);
    Key(QEvent::KeyPress, Qt::Key_Period, true);
    Key(QEvent::KeyRelease, Qt::Key_Period);
    EXPECT_NEAR(Pose().x, -kStep * kRightHand.x, 1e-12) << "period steps left";
    EXPECT_NEAR(Pose().z, -kStep * kRightHand.z, 1e-12) << "period steps left";
    Key(QEvent::KeyPress, Qt::Key_Down);
    Key(QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_NEAR(Pose().x, -kStep * (kRightHand.x + kAhead.x), 1e-12) << "down walks back";
    EXPECT_NEAR(Pose().z, -kStep * (kRightHand.z + kAhead.z), 1e-12) << "down walks back";

    // Keys released while the view had no focus do not stay held.
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(&view, &out);
    const CameraPose afterFocus = Pose();
    Key(QEvent::KeyPress, Qt::Key_Home);
    EXPECT_EQ(Pose().yaw, afterFocus.yaw);
    Key(QEvent::KeyRelease, Qt::Key_Home);
    EXPECT_NEAR(Pose().y, kStep, 1e-12);
    EXPECT_EQ(Pose().yaw, afterFocus.yaw);
}

// A held key is let go by the key, whatever character its release brings.
TEST_F(GLViewTest, AKeyLetGoAsAnotherCharacterIsLetGo)
{
    // Scan codes that X11 keyboards give to letters: only the remembered
    // press, not the keyboard's layout, can tell what their releases let go.
    constexpr quint32 kMinusKey = 24, kPeriodKey = 25, kShiftKey = 50, kLetterKey = 38;
    view.SetCamera({0, 0, 0, 0, 0});
    PhysicalKey(QEvent::KeyPress, Qt::Key_Minus, kMinusKey);
    PhysicalKey(QEvent::KeyPress, Qt::Key_Shift, kShiftKey, Qt::ShiftModifier);
    PhysicalKey(QEvent::KeyRelease, Qt::Key_Underscore, kMinusKey, Qt::ShiftModifier);
    PhysicalKey(QEvent::KeyRelease, Qt::Key_Shift, kShiftKey);
    EXPECT_NEAR(Pose().x, 2 * kStep, 1e-12) << "one step at Shift, one at the release";

    doc.SetModifiedFlag(false);
    const CameraPose after = Pose();
    for (int i = 0; i < 3; ++i) {
        PhysicalKey(QEvent::KeyPress, Qt::Key_A, kLetterKey);
        PhysicalKey(QEvent::KeyRelease, Qt::Key_A, kLetterKey);
    }
    EXPECT_EQ(Pose().x, after.x) << "the minus key stayed held";
    EXPECT_FALSE(doc.IsModified());

    // Period let go as ">" after Shift; an arrow's auto-repeat is unaffected.
    PhysicalKey(QEvent::KeyPress, Qt::Key_Period, kPeriodKey);
    PhysicalKey(QEvent::KeyRelease, Qt::Key_Greater, kPeriodKey, Qt::ShiftModifier);
    PhysicalKey(QEvent::KeyPress, Qt::Key_A, kLetterKey);
    EXPECT_NEAR(Pose().x, after.x - kStep, 1e-12);
}

// With Shift held first, "-" gives "_" but is still the minus key, as a key
// code is the same whatever the modifiers.  Only the window system knows
// which key that is.
TEST_F(GLViewTest, ShiftedMinusKeyIsStillTheMinusKey)
{
    const quint32 minusKey = X11KeyCodeOfMinus();
    if (minusKey == 0)
        GTEST_SKIP() << "needs an X11 display";
    view.SetCamera({0, 0, 0, 0, 0});
    PhysicalKey(QEvent::KeyPress, Qt::Key_Underscore, minusKey, Qt::ShiftModifier);
    PhysicalKey(QEvent::KeyPress, Qt::Key_Underscore, minusKey, Qt::ShiftModifier, true);
    EXPECT_NEAR(Pose().x, kStep, 1e-12);
    PhysicalKey(QEvent::KeyRelease, Qt::Key_Minus, minusKey);
    EXPECT_NEAR(Pose().x, 2 * kStep, 1e-12);
    PhysicalKey(QEvent::KeyPress, Qt::Key_A, 38);
    EXPECT_NEAR(Pose().x, 2 * kStep, 1e-12) << "let go";
}

// While tracing, the arrows move the trace cursor, which is no change to
// the document: neither the camera nor the modified mark moves.  The other
// keys still move the camera, and that is a change.
TEST_F(GLViewTest, ArrowsMoveTheTraceCursorAndLeaveCameraAndDocumentAlone)
{
    view.SetTrace(true, 0);
    const CameraPose before = Pose();
    for (int key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Left, Qt::Key_Down}) {
        Key(QEvent::KeyPress, key);
        Key(QEvent::KeyRelease, key, true);
        Key(QEvent::KeyPress, key, true);
        Key(QEvent::KeyRelease, key);
    }
    EXPECT_EQ(view.CurrentScene().trace.index1, 0) << "up and down";
    EXPECT_EQ(view.CurrentScene().trace.index2, 0) << "right and left";
    Key(QEvent::KeyPress, Qt::Key_Up);
    Key(QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_EQ(view.CurrentScene().trace.index1, 1);
    const CameraPose after = Pose();
    EXPECT_TRUE(after.x == before.x && after.z == before.z && after.yaw == before.yaw);
    EXPECT_FALSE(doc.IsModified());

    Key(QEvent::KeyPress, Qt::Key_Minus);
    Key(QEvent::KeyRelease, Qt::Key_Minus);
    EXPECT_NE(Pose().x, before.x);
    EXPECT_TRUE(doc.IsModified());
}

// The view only asks for full screen: the main window owns the geometry.
TEST_F(GLViewTest, EscapeAsksForFullScreenOncePerPress)
{
    QSignalSpy requests(&view, &GLView::FullScreenRequested);
    Key(QEvent::KeyPress, Qt::Key_Escape);
    Key(QEvent::KeyPress, Qt::Key_Escape, true);   // held: the window system repeats it
    Key(QEvent::KeyRelease, Qt::Key_Escape);
    EXPECT_EQ(requests.count(), 1);
    Key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(requests.count(), 2);
}

TEST(GLViewWindow, AnUnusableGridIsReportedOncePerFunction)
{
    CVeltrix2Doc doc;
    TestFunction f("z(x,y)=x*y");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -5, 5, 0);
    doc.Add(f.Record());
    const int32_t handle = f.Release();

    GLView view;
    QSignalSpy problems(&view, &GLView::DrawingProblem);
    view.SetDocument(&doc);
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(QTest::qWaitFor([&] { return problems.count() == 1; }, kPatienceMs));
    doc.UpdateAllViews(nullptr, -1);
    doc.UpdateAllViews(nullptr, handle);
    // A problem is told after the frame that met it, before the next one.
    ASSERT_TRUE(ShowFrames(view));
    EXPECT_EQ(problems.count(), 1) << "told once";

    VariableRecord x{"x", 0, -5, 5, 20};
    modify_function_variable(handle, x);
    doc.UpdateAllViews(nullptr, handle);
    x.steps = -4;
    modify_function_variable(handle, x);
    doc.UpdateAllViews(nullptr, handle);
    ASSERT_TRUE(ShowFrames(view));
    EXPECT_EQ(problems.count(), 2) << "told again after it had drawn";
    EXPECT_TRUE(problems.last().at(0).toString().contains("-4"));

    // A deleted function's handle comes back with the next one: that is
    // another function, and told about in turn.
    doc.Remove(doc.Find(handle));
    TestFunction g("z(x,y)=x-y");
    ASSERT_EQ(g.handle(), handle);
    g.SetRange("y", -5, 5, 0);
    doc.Add(g.Record());
    g.Release();
    ASSERT_TRUE(ShowFrames(view));
    EXPECT_EQ(problems.count(), 3);

    int boxes = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            boxes += box->isVisible();
            box->close();
        }
    EXPECT_EQ(boxes, 3);
}

// Compiles `text` and gives it to `doc`, drawn in `mode` under `label`: the
// function's handle, or -1 when it does not compile.
int32_t AddFunction(CVeltrix2Doc &doc, const std::string &text, int mode, const char *label = "f")
{
    TestFunction f(text);
    if (!f.ok())
        return -1;
    FunctionRecord record = f.Record(mode);
    record.label = label;
    doc.Add(record);
    return f.Release();
}

// The frames are shown in a window of their own over the view: what the
// window system gives that window reaches the view as if it had come there.
TEST(GLViewWindow, TheWindowOverTheViewPassesItsInputOn)
{
    CVeltrix2Doc doc;
    ASSERT_GE(AddFunction(doc, "z(x,y)=0", FilledPolygons, "Flat"), 0);
    QWidget top;
    auto *layout = new QVBoxLayout(&top);
    auto *field = new QLineEdit;
    auto *view = new GLView;
    layout->addWidget(field);
    layout->addWidget(view, 1);
    view->SetDocument(&doc);
    top.resize(400, 340);
    top.show();
    top.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
    ASSERT_TRUE(ShowFrames(*view, 1));
    QWindow *surface = view->Surface();
    ASSERT_TRUE(surface && surface->isExposed());
    EXPECT_EQ(surface->size(), view->size());
    const QPoint middle(view->width() / 2, view->height() / 2);

    QSignalSpy point(view, &GLView::PointUnderMouse);
    QSignalSpy gone(view, &GLView::PointUnderMouseGone);
    QTest::mouseMove(surface, middle);
    ASSERT_TRUE(point.wait(kPatienceMs)) << "the mouse rests over the plane";
    EXPECT_EQ(point.at(0).at(0).toString(), QStringLiteral("Flat"));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(surface, &leave);
    EXPECT_EQ(gone.count(), 1);

    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, middle);
    EXPECT_TRUE(view->hasFocus()) << "a click gives the view the keyboard";
    EXPECT_NE(QGuiApplication::focusWindow(), surface);

    const CameraPose before = view->GetCamera();
    QWheelEvent notch(QPointF(middle), QPointF(surface->mapToGlobal(middle)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(surface, &notch);
    EXPECT_LT(view->GetCamera().z, before.z) << "one notch walks forward";

    view->Actions().pickMode->trigger();
    EXPECT_EQ(surface->cursor().shape(), Qt::CrossCursor);
    view->Actions().pickMode->trigger();
    EXPECT_EQ(surface->cursor().shape(), Qt::ArrowCursor);
}

// What the screen shows where the view is.
QImage OnScreen(GLView &view)
{
    const QPoint origin = view.mapToGlobal(QPoint(0, 0));
    return view.screen()
        ->grabWindow(0, origin.x(), origin.y(), view.width(), view.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int DifferingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return a.width() * a.height() + 1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// A software driver puts the first frame after a resize into a window
// buffer of the old size: the frame is shown once more, whole.
TEST(GLViewWindow, AViewThatGrewShowsItsWholeFrame)
{
    CVeltrix2Doc doc;
    ASSERT_GE(AddFunction(doc, "z(x,y)=x*y/5", ChessBoard), 0);
    GLView view;
    view.SetDocument(&doc);
    view.resize(320, 240);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(ShowFrames(view, 2));

    QSignalSpy shown(&view, &GLView::frameSwapped);
    view.resize(640, 480);
    ASSERT_TRUE(shown.wait(kPatienceMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() >= 2; }, kPatienceMs)) << "shown again, whole";
    const QImage frame = view.grabFramebuffer();
    ASSERT_EQ(frame.size(), QSize(640, 480));
    EXPECT_LT(DifferingPixels(OnScreen(view), frame), 640 * 480 / 100);
}

// The first frame goes straight into the window, those after it by way of
// the framebuffer that keeps them: each shows the view's picture, and the
// point under the mouse is read after the first as after any other.
TEST(GLViewWindow, TheFirstFrameAndThoseAfterItShowThePicture)
{
    CVeltrix2Doc doc;
    ASSERT_GE(AddFunction(doc, "z(x,y)=x*y/5", ChessBoard, "Board"), 0);
    GLView view;
    view.SetDocument(&doc);
    view.resize(320, 240);
    QSignalSpy shown(&view, &GLView::frameSwapped);
    view.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() >= 1; }, kPatienceMs));
    const QImage first = OnScreen(view);

    QSignalSpy point(&view, &GLView::PointUnderMouse);
    QTest::mouseMove(view.Surface(), QPoint(160, 120));
    ASSERT_TRUE(point.wait(kPatienceMs)) << "the mouse rests over the board";
    EXPECT_EQ(point.at(0).at(0).toString(), QStringLiteral("Board"));
    EXPECT_EQ(shown.count(), 1) << "read without showing another frame";

    const QImage picture = view.grabFramebuffer();
    ASSERT_EQ(picture.size(), QSize(320, 240));
    EXPECT_EQ(DifferingPixels(first, picture), 0);
    ASSERT_TRUE(ShowFrames(view, 1));
    EXPECT_EQ(DifferingPixels(OnScreen(view), picture), 0);
}

TEST(GLViewWindow, LeftClickInPickModeNamesTheFunctionUnderTheMouse)
{
    CVeltrix2Doc doc;
    const int32_t handle = AddFunction(doc, "z(x,y)=0", FilledPolygons);
    ASSERT_GE(handle, 0);
    GLView view;
    view.SetDocument(&doc);
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy picked(&view, &GLView::FunctionPicked);

    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_EQ(picked.count(), 0) << "not in pick mode: the click only sets anchors";
    view.Actions().pickMode->trigger();
    const CameraPose before = view.GetCamera();
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(picked.count(), 2);
    EXPECT_EQ(picked.at(0).at(0).toInt(), handle);
    EXPECT_EQ(picked.at(1).at(0).toInt(), -1);
    EXPECT_EQ(view.GetCamera().x, before.x);
}

} // namespace
