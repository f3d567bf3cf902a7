// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Trace and animation as the 3D view carries them out: on screen, driven by
// commands, keys and the view's own timer.
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "GuiWaits.h"
#include "TestFunctions.h"
#include "model/CVeltrix2Doc.h"
#include "qel/qel.h"
#include "view3d/AnimationEngine.h"
#include "view3d/GLView.h"
#include "view3d/SceneRenderer.h"

namespace {

class ModesTest : public testing::Test {
protected:
    int32_t Add(const char *text, int steps = 20)
    {
        TestFunction f(text);
        EXPECT_TRUE(f.ok());
        f.SetRange("x", -5, 5, steps);
        f.SetRange("y", -5, 5, steps);
        doc.Add(f.Record(FilledPolygons, 0x00C000));
        return f.Release();
    }
    void Show()
    {
        view.SetDocument(&doc);
        view.resize(320, 240);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    template <typename Done>
    bool WaitFor(Done done)
    {
        return QTest::qWaitFor(done, kPatienceMs);
    }

    CVeltrix2Doc doc;
    GLView view;
};

TEST_F(ModesTest, TraceStepsMoveTheCursorAndEachFrameReportsItOnce)
{
    const int32_t h = Add("z(x,y)=cosx*siny");
    doc.SetModifiedFlag(false);
    Show();
    QSignalSpy values(&view, &GLView::TraceValues);
    QSignalSpy notes(&doc, &CVeltrix2Doc::ViewsNeedUpdate);

    view.SetTrace(true, h);
    view.Actions().traceFirstDown->trigger();   // below the first sample
    ASSERT_TRUE(WaitFor([&] { return values.count() > 0; }));
    EXPECT_EQ(values.last().at(1).toDouble(), -5.0) << "stays on the first sample";
    EXPECT_EQ(values.last().at(2).toDouble(), -5.0);
    EXPECT_EQ(view.Renderer()->Trace().index1, 0);

    // Each frame's read-out comes after it is shown, before the next one:
    // as many read-outs as frames shown before.
    values.clear();
    QList<qsizetype> readOutsAtFrames;
    const QMetaObject::Connection frames = QObject::connect(&view, &GLView::frameSwapped, [&] {
        readOutsAtFrames << values.count();
    });
    for (int i = 0; i < 3; ++i)
        view.Actions().traceFirstUp->trigger();
    view.Actions().traceSecondUp->trigger();
    ASSERT_TRUE(WaitFor([&] { return values.count() > 0; }));
    ASSERT_TRUE(ShowFrames(view, 1));
    QObject::disconnect(frames);
    for (qsizetype k = 0; k < readOutsAtFrames.size(); ++k)
        EXPECT_EQ(readOutsAtFrames[k], k) << "four steps before the frame: one frame, one report";
    EXPECT_EQ(values.last().at(1).toDouble(), -3.5);
    EXPECT_EQ(values.last().at(2).toDouble(), -4.5);
    EXPECT_NEAR(values.last().at(0).toDouble(), std::cos(-3.5) * std::sin(-4.5), 1e-12);
    bool treeTold = false;
    for (const QList<QVariant> &n : notes)
        treeTold |= n.at(0).value<QObject *>() == &view && n.at(1).toInt() == h;
    EXPECT_TRUE(treeTold) << "the tree shows the traced point";
    EXPECT_FALSE(doc.IsModified()) << "tracing changes nothing the user made";

    // Arrow keys step when they are let go: Down as 119, Left as 121.
    values.clear();
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Left);
    ASSERT_TRUE(WaitFor([&] { return !values.isEmpty() && values.last().at(2).toDouble() == -5.0; }));
    EXPECT_EQ(values.last().at(1).toDouble(), -4.0);

    view.SetTrace(false, -1);
    values.clear();
    view.Actions().traceFirstUp->trigger();
    ASSERT_TRUE(ShowFrames(view));
    EXPECT_TRUE(values.isEmpty()) << "no cursor, no read-out";
}

// A 200 x 200 function on a 1 ms timer: sampling and drawing take far
// longer than a tick, yet no more than one position ever waits for a frame,
// input is still taken at the next frame, and while the view cannot draw
// the ticks are merged instead of piling up.
TEST_F(ModesTest, AFastAnimationMergesItsTicksAndLeavesRoomForInput)
{
    const int32_t h = Add("z(x,y,t)=sin(x+t)*cosy", 200);
    modify_function_variable(h, VariableRecord{"t", 0, 0, 6.28, 50});
    doc.Settings().animationIntervalMs = 1;
    doc.SetModifiedFlag(false);
    Show();
    int frames = 0, applied = 0;
    QObject::connect(&view, &GLView::frameSwapped, [&] { ++frames; });
    QObject::connect(&doc, &CVeltrix2Doc::ViewsNeedUpdate, [&](QObject *sender, int hint) {
        applied += sender == &view && hint == h;
    });
    QSignalSpy playing(&view, &GLView::AnimationPlaying);

    view.SetAnimation(true, h);
    ASSERT_TRUE(view.Animation().IsPlaying());
    ASSERT_EQ(playing.count(), 1);
    EXPECT_TRUE(playing.last().at(0).toBool());
    ASSERT_TRUE(WaitFor([&] { return frames >= 4; }));
    ASSERT_TRUE(WaitFor([&] { return frames >= 8; })) << "some more frames, with many ticks between them";
    EXPECT_LE(applied, frames + 1) << "never more than one position waiting for a frame";
    EXPECT_GT(view.Animation().Steps().at(0), 0u);
    EXPECT_FALSE(doc.IsModified()) << "the animation's values are not the user's edits";

    const double height = view.GetCamera().y;
    const int before = frames;
    QCoreApplication::postEvent(&view, new QKeyEvent(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier));
    QCoreApplication::postEvent(&view, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Home, Qt::NoModifier));
    ASSERT_TRUE(WaitFor([&] { return view.GetCamera().y != height; }));
    EXPECT_LE(frames, before + 1) << "the key was taken before a second frame";

    // Hidden (as in a collapsed pane), the view draws nothing: the timer
    // goes on firing, and every tick is merged into the position waiting.
    view.hide();
    const uint64_t mergedShown = view.Animation().MergedTicks();
    ASSERT_TRUE(WaitFor([&] { return view.Animation().MergedTicks() > mergedShown + 10; }));
    const int appliedHidden = applied;
    const uint64_t mergedHidden = view.Animation().MergedTicks();
    ASSERT_TRUE(WaitFor([&] { return view.Animation().MergedTicks() > mergedHidden + 10; }));
    EXPECT_LE(applied, appliedHidden + 1) << "ten more ticks, and none drawn";
    view.show();
    ASSERT_TRUE(WaitFor([&] { return applied > appliedHidden + 2; })) << "and plays on when shown";

    view.Actions().stop->trigger();
    EXPECT_FALSE(view.Animation().IsPlaying());
    EXPECT_FALSE(playing.last().at(0).toBool());
    const std::vector<uint32_t> stopped = view.Animation().Steps();
    // The timer's next ticks would have fallen due within a few intervals.
    ASSERT_TRUE(RunTimersDueWithin(10 * int(doc.Settings().animationIntervalMs)));
    ASSERT_TRUE(ShowFrames(view));
    EXPECT_EQ(view.Animation().Steps(), stopped);
    view.Actions().play->trigger();
    EXPECT_TRUE(playing.last().at(0).toBool());
    view.SetAnimation(false, -1);
    EXPECT_FALSE(view.AnimationOn());
    EXPECT_FALSE(playing.last().at(0).toBool());
}

// A still function and every animation position are drawn from meshes: no
// display list is compiled for the screen.  Once the animation ends the last
// position stays, with the same picture.
TEST_F(ModesTest, FunctionsAreDrawnFromMeshesStillAndMoving)
{
    const int32_t h = Add("z(x,y,t)=sin(x+t)*cosy", 30);
    modify_function_variable(h, VariableRecord{"t", 0, 0, 6.28, 50});
    doc.Settings().animationIntervalMs = 5;
    Show();
    auto entry = [&]() -> const ListEntry * {
        for (const ListEntry &e : view.ScreenLists().entries)
            if (e.handle == h)
                return &e;
        return nullptr;
    };
    ASSERT_TRUE(WaitFor([&] { return entry() != nullptr; }));
    EXPECT_TRUE(entry()->mesh && entry()->listIds.empty()) << "a still function";

    view.SetAnimation(true, h);
    ASSERT_TRUE(ShowFrames(view, 2));
    ASSERT_TRUE(entry() && entry()->mesh && entry()->listIds.empty());
    view.Actions().stop->trigger();   // stop at a position
    view.RequestFrame();
    ASSERT_TRUE(WaitFor([&] { return !view.Animation().FrameDue(); }));
    ASSERT_TRUE(ShowFrames(view, 1));
    view.SettleFrame();
    const QImage moving = view.grabFramebuffer();

    view.SetAnimation(false, -1);
    ASSERT_TRUE(ShowFrames(view, 1));
    ASSERT_TRUE(entry() && entry()->mesh && entry()->listIds.empty());
    EXPECT_EQ(view.grabFramebuffer(), moving) << "the position where it stopped";
}

TEST_F(ModesTest, ModesEndWhenTheirFunctionIsRemovedOrRedefined)
{
    const int32_t wave = Add("z(x,y)=cosx*siny");
    const int32_t ripple = Add("z(x,y,t)=sin(x+t)*cosy");
    view.SetDocument(&doc);
    QSignalSpy ended(&view, &GLView::ModesEnded);

    view.SetTrace(true, wave);
    FunctionRecord r = doc.Get(doc.Find(wave));
    r.color1 = 0x123456;
    doc.Update(doc.Find(wave), r);
    EXPECT_TRUE(view.TraceOn()) << "a new color is the same function";
    EXPECT_EQ(ended.count(), 0);
    r.text = "z(x,y)=sinx*cosy";
    doc.Update(doc.Find(wave), r);
    EXPECT_FALSE(view.TraceOn());
    EXPECT_EQ(ended.count(), 1);

    view.SetAnimation(true, ripple);
    ASSERT_TRUE(view.Animation().IsPlaying());
    doc.Remove(doc.Find(ripple));
    EXPECT_FALSE(view.AnimationOn());
    EXPECT_FALSE(view.Animation().IsPlaying()) << "no tick may reach a deleted function";
    EXPECT_EQ(ended.count(), 2);

    view.SetTrace(true, wave);
    doc.NewDocument();
    EXPECT_FALSE(view.TraceOn());
    EXPECT_EQ(ended.count(), 3);
    doc.UpdateAllViews(nullptr, -1);
    EXPECT_EQ(ended.count(), 3) << "nothing left to end";
}

} // namespace
