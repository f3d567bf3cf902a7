#include <cmath>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "model/CVeltrix2Doc.h"
#include "qel/qel.h"
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

TEST_F(GLViewTest, ToolBarCommandsMoveTheCameraAndMarkTheDocument)
{
    const CameraPose start = Pose();
    EXPECT_EQ(start.x, 4.0);
    EXPECT_EQ(start.y, 7.0);
    EXPECT_EQ(start.z, 20.0);
    EXPECT_EQ(start.pitch, -20.0);
    EXPECT_EQ(start.yaw, 15.0);

    view.SetCamera({1, 2, 3, 0, 90});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(view.OnCommand(501));
    EXPECT_NEAR(Pose().x, 1 - kStep, 1e-6);
    EXPECT_NEAR(Pose().z, 3, 1e-6);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_TRUE(view.OnCommand(507));   // left, at yaw 90: along +Z
    EXPECT_NEAR(Pose().z, 3 + kStep, 1e-6);
    EXPECT_TRUE(view.OnCommand(505));
    EXPECT_NEAR(Pose().y, 2 + kStep, 1e-12);
    EXPECT_TRUE(view.OnCommand(512));
    EXPECT_NEAR(Pose().yaw, 90 - kStep, 1e-12);
    EXPECT_TRUE(view.OnCommand(509));
    EXPECT_NEAR(Pose().pitch, kStep, 1e-12);

    EXPECT_TRUE(view.OnCommand(500));
    EXPECT_EQ(Pose().x, 4.0);
    EXPECT_EQ(Pose().yaw, 15.0);

    QSignalSpy pick(&view, &GLView::PickModeChanged);
    EXPECT_TRUE(view.OnCommand(513));
    EXPECT_TRUE(view.PickMode());
    EXPECT_TRUE(view.OnCommand(513));
    EXPECT_FALSE(view.PickMode());
    EXPECT_EQ(pick.count(), 2);
    EXPECT_FALSE(view.OnCommand(32800));
}

// The main window enables a command by asking Handles: it must say yes
// exactly for what OnCommand carries out, tool bar gaps included.
TEST_F(GLViewTest, HandlesNamesExactlyTheCommandsItCarriesOut)
{
    QList<int> ids{32798, 32803, 57607, 57634, 32783};
    for (int id = 100; id <= 130; ++id)
        ids << id;
    for (int id = 495; id <= 520; ++id)
        ids << id;
    int handled = 0;
    for (int id : ids) {
        const bool claimed = view.Handles(id);
        EXPECT_EQ(view.OnCommand(id), claimed) << id;
        handled += claimed;
    }
    EXPECT_EQ(handled, 21);   // 500..513 without 503/504, the animation and trace bars' 113..121
    EXPECT_FALSE(view.Handles(129));
    EXPECT_FALSE(view.Handles(57634));
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
    view.OnCommand(505);
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

    view.SetCamera({0, 0, 0, 0, 0});
    Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(Pose().z, -10 * s, 1e-12) << "moving up walks forward (yaw 0 looks along -Z)";
    Mouse(QEvent::MouseMove, {60, 40}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(Pose().x, 10 * s, 1e-12) << "moving right steps right";

    Mouse(QEvent::MouseButtonPress, {60, 40}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    Mouse(QEvent::MouseMove, {60, 20}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_NEAR(Pose().y, 20 * s, 1e-12) << "both buttons rise";
    EXPECT_EQ(Pose().yaw, 0.0);
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

TEST_F(GLViewTest, ArrowsLeaveTheCameraWhileTracingButStillMarkTheDocument)
{
    view.SetTrace(true, 0);
    const CameraPose before = Pose();
    Key(QEvent::KeyPress, Qt::Key_Up);
    Key(QEvent::KeyPress, Qt::Key_Up, true);
    Key(QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_EQ(Pose().x, before.x);
    EXPECT_EQ(Pose().z, before.z);
    EXPECT_TRUE(doc.IsModified());
    // The other keys still move.
    Key(QEvent::KeyPress, Qt::Key_Minus);
    Key(QEvent::KeyRelease, Qt::Key_Minus);
    EXPECT_NE(Pose().x, before.x);
}

TEST(GLViewWindow, EscapeFillsTheScreenAndRestoresTheWindow)
{
    CVeltrix2Doc doc;
    QSplitter frame;
    frame.addWidget(new QWidget);
    auto *view = new GLView;
    frame.addWidget(view);
    view->SetDocument(&doc);
    frame.setGeometry(100, 80, 700, 500);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QRect before = frame.geometry();
    const QList<int> panes = frame.sizes();

    QTest::keyClick(view, Qt::Key_Escape);
    QTest::qWait(200);
    EXPECT_TRUE(view->IsFullScreen());
    const QRect screen = frame.screen()->geometry();
    EXPECT_EQ(view->mapToGlobal(QPoint(0, 0)), screen.topLeft());
    EXPECT_EQ(view->size(), screen.size());

    QTest::keyClick(view, Qt::Key_Escape);
    QTest::qWait(200);
    EXPECT_FALSE(view->IsFullScreen());
    EXPECT_EQ(frame.geometry(), before);
    EXPECT_EQ(frame.sizes(), panes);
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
    QTest::qWait(100);
    EXPECT_EQ(problems.count(), 1);
    doc.UpdateAllViews(nullptr, -1);
    doc.UpdateAllViews(nullptr, handle);
    QTest::qWait(50);
    EXPECT_EQ(problems.count(), 1) << "told once";

    VariableRecord x{"x", 0, -5, 5, 20};
    modify_function_variable(handle, x);
    doc.UpdateAllViews(nullptr, handle);
    x.steps = -4;
    modify_function_variable(handle, x);
    doc.UpdateAllViews(nullptr, handle);
    QTest::qWait(50);
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
    QTest::qWait(50);
    EXPECT_EQ(problems.count(), 3);

    int boxes = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            boxes += box->isVisible();
            box->close();
        }
    EXPECT_EQ(boxes, 3);
}

TEST(GLViewWindow, LeftClickInPickModeNamesTheFunctionUnderTheMouse)
{
    CVeltrix2Doc doc;
    TestFunction f("z(x,y)=0");
    ASSERT_TRUE(f.ok());
    doc.Add(f.Record(FilledPolygons));
    const int32_t handle = f.Release();
    GLView view;
    view.SetDocument(&doc);
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy picked(&view, &GLView::FunctionPicked);

    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_EQ(picked.count(), 0) << "not in pick mode: the click only sets anchors";
    view.OnCommand(513);
    const CameraPose before = view.GetCamera();
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(picked.count(), 2);
    EXPECT_EQ(picked.at(0).at(0).toInt(), handle);
    EXPECT_EQ(picked.at(1).at(0).toInt(), -1);
    EXPECT_EQ(view.GetCamera().x, before.x);
}

} // namespace
