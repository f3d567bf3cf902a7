// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How many animation positions per second reach the screen for a function of
// 20, 100 and 200 steps in x and y: through the 3D view on its own timer at
// a 1 ms interval (ticks that come while a position waits for its frame are
// merged), and driven tick by tick in an off-screen 800x600 context as an
// exporter would.
#include <memory>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include "BenchDocument.h"
#include "model/CVeltrix2Doc.h"
#include "model/LibraryFunction.h"
#include "view3d/AnimationEngine.h"
#include "view3d/GLView.h"
#include "view3d/SceneRenderer.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// A document with one animated function of `steps` x `steps` cells.
void FillDocument(CVeltrix2Doc &doc, int steps)
{
    BenchPlot plot;
    plot.text = "z(x,y,t)=sin(x+t)*cosy";
    plot.steps = steps;
    const int32_t handle = AddBenchPlot(doc, plot);
    LibraryFunction(handle).Write(FunctionVariable{"t", 0, 0, 6.28, 1000});
    doc.Settings().animationIntervalMs = 1;
}

void BM_ViewTicks(benchmark::State &state)
{
    CVeltrix2Doc doc;
    FillDocument(doc, int(state.range(0)));
    const int32_t handle = doc.Get(0).handle;
    GLView view;
    view.SetDocument(&doc);
    view.resize(kWidth, kHeight);
    view.show();
    uint64_t shown = 0;
    QObject::connect(&doc, &CVeltrix2Doc::ViewsNeedUpdate, [&](QObject *sender, int hint) {
        shown += sender == &view && hint == handle;
    });
    view.SetAnimation(true, handle);
    // The first frames build the font and all lists.
    while (shown < 3)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);

    const uint64_t mergedBefore = view.Animation().MergedTicks();
    for (auto _ : state) {
        const uint64_t before = shown;
        while (shown == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    state.counters["ticks/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["merged/s"] = benchmark::Counter(double(view.Animation().MergedTicks() - mergedBefore),
                                                    benchmark::Counter::kIsRate);
    view.SetAnimation(false, -1);
}

class NoClock : public AnimationClock {
public:
    void Start(uint32_t) override {}
    void Stop() override {}
    bool IsRunning() const override { return false; }
};

// The next position, sampled and drawn as the view draws it.
void DrawNextPosition(AnimationEngine &engine, SceneRenderer &renderer, ListSet &lists)
{
    engine.FrameShown();
    engine.Tick();
    renderer.RebuildLists(lists, engine.Handle());
    renderer.ApplyViewport();
    renderer.RenderScene(lists, Camera());
}

void BM_OffscreenTicks(benchmark::State &state)
{
    QOffscreenSurface surface;
    surface.setFormat(QSurfaceFormat::defaultFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    context.create();
    context.makeCurrent(&surface);
    {
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        QOpenGLFramebufferObject fbo(kWidth, kHeight, format);
        fbo.bind();
        CVeltrix2Doc doc;
        FillDocument(doc, int(state.range(0)));
        SceneRenderer renderer(&doc);
        renderer.InitializeGL();
        renderer.Resize(kWidth, kHeight);
        ListSet lists;
        renderer.RebuildLists(lists, -1);
        NoClock clock;
        AnimationEngine engine(clock);
        engine.Start(doc.Functions(), doc.Get(0).handle, 1);
        for (auto _ : state)
            DrawNextPosition(engine, renderer, lists);
        state.counters["ticks/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
        renderer.ReleaseGL({&lists});
    }
    context.doneCurrent();
}

#define STEPS Arg(20)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)
BENCHMARK(BM_ViewTicks)->STEPS;
BENCHMARK(BM_OffscreenTicks)->STEPS;

} // namespace

int main(int argc, char **argv)
{
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
