// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "BlendedPixels.h"
#include "GuiWaits.h"
#include "TestFunctions.h"
#include "model/CVeltrix2Doc.h"
#include "view3d/GLView.h"
#include "view3d/SceneRenderer.h"

namespace {

constexpr Color kRed = 0x0000FF;

// A shown 400 x 300 view of one function on black, without the furniture.
class ViewOptionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        doc.Settings().showCube = doc.Settings().showReferenceMarks = doc.Settings().showAxes = 0;
        view.SetDocument(&doc);
        view.resize(400, 300);
    }

    int32_t Add(const char *text, int mode, Color c1, Color c2, int steps = 8, const char *label = "f")
    {
        TestFunction f(text);
        EXPECT_TRUE(f.ok());
        f.SetRange("x", -4, 4, steps);
        f.SetRange("y", -4, 4, steps);
        FunctionRecord r = f.Record(mode, c1, c2);
        r.label = label;
        doc.Add(r);
        return f.Release();
    }

    void Show()
    {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_TRUE(ShowFrames(view, 1));
    }

    void SetOptions(bool smooth, bool shaded = false)
    {
        RenderOptions o;
        o.smoothLines = smooth;
        o.shadedSurfaces = shaded;
        view.SetRenderOptions(o);
    }

    void Move(QPoint p, Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(view.mapToGlobal(p)), Qt::NoButton, buttons, mods);
        QCoreApplication::sendEvent(&view, &e);
    }
    void Press(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(p), QPointF(view.mapToGlobal(p)), b, b, mods);
        QCoreApplication::sendEvent(&view, &e);
    }
    void Release(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(QEvent::MouseButtonRelease, QPointF(p), QPointF(view.mapToGlobal(p)), b, Qt::NoButton,
                      mods);
        QCoreApplication::sendEvent(&view, &e);
    }
    void Wheel(int angle)
    {
        QWheelEvent e(QPointF(200, 150), QPointF(view.mapToGlobal(QPoint(200, 150))), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&view, &e);
    }

    // Widget pixel of a GL point in the view's present frame.
    QPoint PixelOf(double x, double y, double z)
    {
        view.makeCurrent();
        GLdouble projection[16], wx, wy, wz;
        const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        view.Renderer()->LoadProjection(view.CurrentScene().camera);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        const GLint viewport[4] = {0, 0, 400, 300};
        gluProject(x, y, z, identity, projection, viewport, &wx, &wy, &wz);
        view.doneCurrent();
        return QPoint(int(wx), 299 - int(wy));
    }

    CameraPose Pose() const { return view.GetCamera(); }

    CVeltrix2Doc doc;
    GLView view;
};

TEST_F(ViewOptionsTest, SmoothLinesBlendTheEdgesOfFilledFunctions)
{
    Add("z(x,y)=x/4", FilledPolygons, kRed, kRed);
    EXPECT_FALSE(view.Options().smoothLines) << "the designed picture until the user's choice arrives";
    SetOptions(true);
    Show();
    // The first frame comes plain and at once, the smooth one when the
    // window rests.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.FrameSamples() >= 2; }, kPatienceMs));
    const QImage smooth = view.grabFramebuffer();
    EXPECT_GT(CountBlendedRed(smooth), 100) << "intermediate colors along the sheet's edges";

    // While the camera moves, frames go without multisampling; the scene
    // at rest is drawn smooth again, or at once when a picture is taken.
    view.Actions().cameraForward->trigger();
    EXPECT_TRUE(view.SceneMoving());
    view.grabFramebuffer();
    EXPECT_EQ(view.FrameSamples(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.FrameSamples() >= 2; }, kPatienceMs));
    EXPECT_FALSE(view.SceneMoving());
    view.Actions().cameraBack->trigger();
    view.grabFramebuffer();
    view.SettleFrame();
    EXPECT_GE(view.FrameSamples(), 2);

    SetOptions(false);
    const QImage jagged = view.grabFramebuffer();
    EXPECT_EQ(view.FrameSamples(), 0);
    EXPECT_EQ(CountBlendedRed(jagged), 0) << "the designed look: red or black";
    // Inside the sheet both are the same color.
    const QPoint middle = PixelOf(0, 0, 0);
    EXPECT_EQ(smooth.pixel(middle), qRgb(255, 0, 0));
    EXPECT_EQ(jagged.pixel(middle), qRgb(255, 0, 0));
}

TEST_F(ViewOptionsTest, ShadingTakesEffectAtOnce)
{
    Add("z(x,y)=cosx*cosy", FilledPolygons, kRed, kRed, 20);
    Show();
    const QImage flat = view.grabFramebuffer();
    SetOptions(true, true);
    const QImage shaded = view.grabFramebuffer();
    int darker = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            darker += qRed(flat.pixel(x, y)) == 255 && qRed(shaded.pixel(x, y)) < 230;
    EXPECT_GT(darker, 1000) << "slopes turned from the light";
}

// A notch forward walks as far as one step of the up arrow, a notch back as
// the down arrow; half notches add up.
TEST_F(ViewOptionsTest, AWheelNotchWalksOneKeyStep)
{
    const CameraPose start{1, 2, 3, -10, 40};
    auto keyStep = [&](int key) {
        view.SetCamera(start);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier), release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &press);
        QCoreApplication::sendEvent(&view, &release);
        return Pose();
    };
    for (auto [angle, key] : {std::pair{120, int(Qt::Key_Up)}, std::pair{-120, int(Qt::Key_Down)}}) {
        const CameraPose walked = keyStep(key);
        view.SetCamera(start);
        doc.SetModifiedFlag(false);
        Wheel(angle);
        EXPECT_EQ(Pose().x, walked.x) << angle;
        EXPECT_EQ(Pose().z, walked.z) << angle;
        EXPECT_EQ(Pose().y, start.y);
        EXPECT_EQ(Pose().yaw, start.yaw);
        EXPECT_TRUE(doc.IsModified());
    }
    view.SetCamera(start);
    Wheel(60);
    EXPECT_EQ(Pose().x, start.x) << "half a notch";
    Wheel(60);
    EXPECT_EQ(Pose().x, keyStep(Qt::Key_Up).x);
}

// Ctrl + left drag turns the camera about the cube's centre: the distance
// stays, and so does the centre's place in the picture.
TEST_F(ViewOptionsTest, OrbitDragKeepsTheDistanceToTheCentre)
{
    auto distance = [this] {
        const CameraPose p = Pose();
        return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    };
    // The centre in the eye's frame: undo the camera's translation, yaw and pitch.
    auto centreSeen = [this] {
        const CameraPose p = Pose();
        const double yaw = p.yaw * kDegree, pitch = p.pitch * kDegree;
        const double x = -p.x, y = -p.y, z = -p.z;
        const double x1 = x * std::cos(yaw) - z * std::sin(yaw), z1 = x * std::sin(yaw) + z * std::cos(yaw);
        const double y2 = y * std::cos(pitch) + z1 * std::sin(pitch), z2 = -y * std::sin(pitch) + z1 * std::cos(pitch);
        const double n = std::sqrt(x1 * x1 + y2 * y2 + z2 * z2);
        return std::array<double, 3>{x1 / n, y2 / n, z2 / n};
    };
    const double before = distance();
    const auto seenBefore = centreSeen();
    Press({100, 100}, Qt::LeftButton, Qt::ControlModifier);
    QPoint p(100, 100);
    for (int k = 0; k < 200; ++k) {
        p += QPoint(k % 7 - 2, k % 5 - 3);
        Move(p, Qt::LeftButton, Qt::ControlModifier);
    }
    Release(p, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_NE(Pose().yaw, 15.0);
    EXPECT_NE(Pose().pitch, -20.0);
    EXPECT_NEAR(distance(), before, 1e-9);
    const auto seenAfter = centreSeen();
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(seenAfter[size_t(k)], seenBefore[size_t(k)], 1e-9);
    EXPECT_TRUE(doc.IsModified());

    // Dragging left (anchor minus position positive) turns the eye and its
    // yaw the same way; up tilts to look up from below.
    view.SetCamera({0, 0, 20, 0, 0});
    Press({100, 100}, Qt::LeftButton, Qt::ControlModifier);
    Move({90, 100}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_NEAR(Pose().yaw, 10 * 0.08, 1e-12);
    EXPECT_GT(Pose().x, 0);
    view.SetCamera({0, 0, 20, 0, 0});
    Press({100, 100}, Qt::LeftButton, Qt::ControlModifier);
    Move({100, 90}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_NEAR(Pose().pitch, 10 * 0.08, 1e-12);
    EXPECT_LT(Pose().y, 0);
}

// Over z(x,y)=0 the status bar gets z = 0 to the depth buffer's precision,
// with and without multisampling; empty paper takes it back.
TEST_F(ViewOptionsTest, TheValueUnderTheMouseComesFromTheDepthBuffer)
{
    const int32_t handle = Add("z(x,y)=0", FilledPolygons, kRed, 0x000000, 8, "Flat");
    Show();
    QSignalSpy point(&view, &GLView::PointUnderMouse);
    QSignalSpy gone(&view, &GLView::PointUnderMouseGone);
    for (bool smooth : {true, false}) {
        SetOptions(smooth);
        ASSERT_TRUE(ShowFrames(view, 1));
        point.clear();
        gone.clear();
        // Amid a face (cells are 1 wide), where the depth lies behind the
        // surface by the polygon offset.
        const QPoint over = PixelOf(1.5, 0, 2.5);
        Move(over);
        ASSERT_TRUE(point.wait(kPatienceMs)) << smooth;
        const QList<QVariant> args = point.takeFirst();
        EXPECT_EQ(args.at(0).toString(), QStringLiteral("Flat"));
        // The point lies under the mouse: back in the picture it falls on
        // the pixel (its centre, or where in it the depth was taken).
        const QPoint back = PixelOf(args.at(1).toDouble(), args.at(3).toDouble(), args.at(2).toDouble());
        EXPECT_EQ((back - over).manhattanLength(), 0) << smooth << " " << back.x() << "," << back.y();
        EXPECT_NEAR(args.at(3).toDouble(), 0, 5e-4) << smooth;
        EXPECT_EQ(doc.Find(handle), 0);

        Move(QPoint(3, 3));
        ASSERT_TRUE(gone.wait(kPatienceMs)) << "empty paper";
        EXPECT_EQ(point.count(), 0);
    }
}

TEST_F(ViewOptionsTest, PointsAreReadAtMostEveryIntervalAndNotInPickMode)
{
    Add("z(x,y)=0", ChessBoard, kRed, kRed);
    Show();
    QSignalSpy point(&view, &GLView::PointUnderMouse);
    QSignalSpy gone(&view, &GLView::PointUnderMouseGone);
    const QPoint centre = PixelOf(0, 0, 0);
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < 40; ++k) {
        Move(centre + QPoint(k % 9 - 4, 0));
        QTest::qWait(5);
    }
    const qint64 elapsed = clock.elapsed();
    EXPECT_LE(point.count(), elapsed / GLView::kPointReadIntervalMs + 1);
    ASSERT_TRUE(point.count() > 0 || point.wait(kPatienceMs));

    // A drag is no resting mouse; neither is pick mode.
    Press(centre, Qt::RightButton);
    EXPECT_EQ(gone.count(), 1);
    Release(centre, Qt::RightButton);
    view.Actions().pickMode->trigger();
    point.clear();
    Move(centre);
    // A read would have come when its timer fell due.
    ASSERT_TRUE(RunTimersDueWithin(3 * GLView::kPointReadIntervalMs));
    EXPECT_EQ(point.count(), 0);
}

} // namespace
