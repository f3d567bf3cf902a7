// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Rebuilding and replaying a function's display list against drawing the
// same geometry in immediate mode (one primitive per cell, as a frame would
// without lists) and from client vertex arrays, at 800x600.  And a surface
// given by three expressions (a torus) against a z(x,y) surface of as many
// cells.  And what contour lines add to a frame.
#include <cmath>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <GL/gl.h>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include "BenchDocument.h"
#include "model/CVeltrix2Doc.h"
#include "model/LibraryFunction.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/FramebufferFunctions.h"
#include "view3d/MeshDrawing.h"
#include "view3d/MeshSink.h"
#include "view3d/MultisampleTarget.h"
#include "view3d/SampleGrid.h"
#include "view3d/SceneRenderer.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// The scene of one function in an off-screen 800x600 framebuffer.
struct Bench {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    CVeltrix2Doc doc;
    SceneRenderer renderer{&doc};
    ListSet lists;
    int steps = -1;

    Bench()
    {
        surface.setFormat(QSurfaceFormat::defaultFormat());
        surface.create();
        context.setFormat(QSurfaceFormat::defaultFormat());
        context.create();
        context.makeCurrent(&surface);
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        fbo = std::make_unique<QOpenGLFramebufferObject>(kWidth, kHeight, format);
        fbo->bind();
        renderer.InitializeGL();
        renderer.Resize(kWidth, kHeight);
        AddBenchPlot(doc, BenchPlot());
        doc.Settings().showCube = doc.Settings().showAxes = 0;
    }

    const FunctionRecord &Record() const { return doc.Functions().At(0); }

    void SetSteps(int n)
    {
        if (n == steps)
            return;
        steps = n;
        SetBenchSteps(Record().handle, n);
        renderer.RebuildLists(lists, -1);
    }

    // The frame's projection, camera and cleared buffers, without the scene.
    void BeginFrame() const
    {
        renderer.LoadProjection(Camera());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
};

Bench *theBench = nullptr;   // made and destroyed in main, while the application lives

Bench &TheBench()
{
    return *theBench;
}

// One glBegin/glEnd per cell with the state changes around it, as a cell by
// cell emitter would draw straight into the frame.
class PerCellSink : public GeometrySink {
public:
    void BeginFunction(const FunctionRecord &r, double, double) override { record_ = r; }
    void Cell(const CellGeometry &c) override
    {
        glColor3ub(GLubyte(ColorRed(record_.color1)), GLubyte(ColorGreen(record_.color1)),
                   GLubyte(ColorBlue(record_.color1)));
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        Quad(c);
        glColor3ub(GLubyte(ColorRed(record_.color2)), GLubyte(ColorGreen(record_.color2)),
                   GLubyte(ColorBlue(record_.color2)));
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        Quad(c);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
    void Segment(const SegmentGeometry &) override {}
    void Triangle(const TriangleGeometry &) override {}
    void EndFunction() override {}

private:
    static void Quad(const CellGeometry &c)
    {
        glBegin(GL_QUADS);
        for (int k : {0, 1, 2, 3, 0})
            glVertex3d(c.p[k].x, c.p[k].y, c.p[k].z);
        glEnd();
    }
    FunctionRecord record_;
};

void BM_Sampling(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SampleGrid(b.Record().text, b.Record().handle).grid.data());
}

void BM_Rebuild(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    for (auto _ : state) {
        b.renderer.RebuildLists(b.lists, -1);
        glFinish();
    }
}

void BM_ListReplay(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    for (auto _ : state) {
        b.BeginFrame();
        b.lists.entries.at(0).Draw(1);
        glFinish();
    }
}

void BM_ImmediatePerCell(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    const SampleGridResult grid = SampleGrid(b.Record().text, b.Record().handle);
    PerCellSink sink;
    for (auto _ : state) {
        b.BeginFrame();
        DrawSamples(sink, b.Record(), grid, b.doc.Settings().cubeDimension);
        glFinish();
    }
}

// The function's mesh (all faces, then all outlines) through glVertex.
void BM_Immediate(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    MeshSink sink(0);
    DrawSamples(sink, b.Record(), SampleGrid(b.Record().text, b.Record().handle), b.doc.Settings().cubeDimension);
    const RenderMesh mesh = sink.TakeMesh();
    for (auto _ : state) {
        b.BeginFrame();
        DrawRenderMesh(mesh, 1, MeshSubmission::Immediate);
        glFinish();
    }
}

// The same mesh from its arrays, in pieces, as pictures and animations draw it.
void BM_VertexArrays(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    MeshSink sink(0);
    DrawSamples(sink, b.Record(), SampleGrid(b.Record().text, b.Record().handle), b.doc.Settings().cubeDimension);
    const RenderMesh mesh = sink.TakeMesh();
    for (auto _ : state) {
        b.BeginFrame();
        DrawRenderMesh(mesh, 1);
        glFinish();
    }
}

void BM_FullFrame(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 1;
    for (auto _ : state)
        b.renderer.RenderScene(b.lists, Camera());
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 0;
}

// The frame as the view draws it with smooth lines: into a framebuffer of
// `samples` samples per pixel, resolved into the plain one.
void BM_FullFrameSmooth(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 1;
    FramebufferFunctions functions;
    QOpenGLContext *context = &b.context;
    if (!functions.Load([context](const char *name) { return context->getProcAddress(name); })) {
        state.SkipWithError("no framebuffer functions");
        return;
    }
    MultisampleTarget target(functions);
    if (!target.Prepare(kWidth, kHeight, int(state.range(1)))) {
        state.SkipWithError("no multisampled framebuffer");
        return;
    }
    for (auto _ : state) {
        target.Bind();
        b.renderer.RenderScene(b.lists, Camera());
        target.ResolveColor(b.fbo->handle());
        glFinish();
    }
    state.counters["samples"] = target.Samples();
    target.Release();
    b.fbo->bind();
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 0;
}

// The view's frame replayed from lists compiled with `options`; the lists
// are compiled back without them afterwards.
void FrameFromListsWith(benchmark::State &state, const RenderOptions &options)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 1;
    b.renderer.SetOptions(options);
    b.renderer.RebuildLists(b.lists, -1);
    for (auto _ : state)
        b.renderer.RenderScene(b.lists, Camera());
    b.renderer.SetOptions(RenderOptions());
    b.renderer.RebuildLists(b.lists, -1);
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 0;
}

// The frame with shaded surfaces: lists compiled with normals, lit faces.
void BM_FullFrameShaded(benchmark::State &state)
{
    RenderOptions shaded;
    shaded.shadedSurfaces = true;
    FrameFromListsWith(state, shaded);
}

// A frame drawn once (a picture, a page, an animation position): sampled,
// tessellated and drawn, with contour lines on the surface and the floor
// (second argument 1) or without.
void BM_FrameOnceContours(benchmark::State &state)
{
    Bench &b = TheBench();
    b.SetSteps(int(state.range(0)));
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 1;
    RenderOptions options;
    if (state.range(1))
        options.contours = {kDefaultContourLevels, true};
    b.renderer.SetOptions(options);
    for (auto _ : state)
        b.renderer.RenderSceneOnce(Camera());
    b.renderer.SetOptions(RenderOptions());
    b.doc.Settings().showCube = b.doc.Settings().showAxes = 0;
}

// The view's frame, replayed from lists compiled with contour lines or
// without.
void BM_FullFrameContours(benchmark::State &state)
{
    RenderOptions options;
    if (state.range(1))
        options.contours = {kDefaultContourLevels, true};
    FrameFromListsWith(state, options);
}

// A z(x,y) surface and a torus, 200 x 200 cells each and wholly inside the
// cube: what drawing a torus costs beside a surface of as many cells.
struct Shapes {
    CVeltrix2Doc doc;
    SceneRenderer renderer{&doc};
    ListSet lists;
    int32_t handles[2] = {-1, -1};

    Shapes()
    {
        renderer.InitializeGL();
        renderer.Resize(kWidth, kHeight);
        BenchPlot surface;
        surface.steps = 200;
        handles[0] = AddBenchPlot(doc, surface);
        BenchPlot torus;
        torus.text = "(x,y,z)(u,v)=(cos(u)*(3+cos(v)), sin(u)*(3+cos(v)), sin(v))";
        handles[1] = AddBenchPlot(doc, torus);
        for (const char *name : {"u", "v"})
            LibraryFunction(handles[1]).Write(FunctionVariable{name, 0, 0, 2 * M_PI, 200});
        renderer.RebuildLists(lists, -1);
    }

    // Only function `k` is shown.
    void Show(int k)
    {
        for (int p = 0; p < 2; ++p) {
            FunctionRecord r = doc.Get(p);
            r.visible = p == k;
            doc.Update(p, r);
        }
    }
};

Shapes *theShapes = nullptr;

// Sampling, tessellating and compiling the function's lists: what a change
// of the function costs.  Arg 0 the surface, 1 the torus; arg 2 shaded.
void BM_ShapeRebuild(benchmark::State &state)
{
    Shapes &s = *theShapes;
    RenderOptions options;
    options.shadedSurfaces = state.range(1) != 0;
    s.renderer.SetOptions(options);
    for (auto _ : state) {
        s.renderer.RebuildLists(s.lists, s.handles[state.range(0)]);
        glFinish();
    }
    s.renderer.SetOptions(RenderOptions());
    s.renderer.RebuildLists(s.lists, -1);
}

// Sampling alone: the evaluations of the grid.
void BM_ShapeSampling(benchmark::State &state)
{
    Shapes &s = *theShapes;
    const FunctionRecord record = s.doc.Get(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SampleGrid(record.text, record.handle).grid.data());
}

// A frame with the function alone, from its lists.
void BM_ShapeFrame(benchmark::State &state)
{
    Shapes &s = *theShapes;
    s.Show(int(state.range(0)));
    for (auto _ : state) {
        s.renderer.RenderScene(s.lists, Camera());
        glFinish();
    }
}

// llvmpipe renders on threads of its own: wall time is what counts.  Three
// repetitions each, compared by their medians, since the machine is shared.
// clang-format off
#define STEPS                                                                            \
    Arg(20)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5) \
        ->Repetitions(3)->ReportAggregatesOnly(true)
// clang-format on
BENCHMARK(BM_Sampling)->STEPS;
BENCHMARK(BM_Rebuild)->STEPS;
BENCHMARK(BM_Immediate)->STEPS;
BENCHMARK(BM_ImmediatePerCell)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListReplay)->STEPS;
BENCHMARK(BM_VertexArrays)->STEPS;
BENCHMARK(BM_FullFrame)->STEPS;
#define FRAME_CASES Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(3)->ReportAggregatesOnly(true)
BENCHMARK(BM_FullFrameSmooth)->Args({20, 4})->Args({200, 2})->Args({200, 4})->Args({400, 4})->FRAME_CASES;
BENCHMARK(BM_FullFrameShaded)->Arg(20)->Arg(200)->Arg(400)->FRAME_CASES;
BENCHMARK(BM_FrameOnceContours)->Args({200, 0})->Args({200, 1})->FRAME_CASES;
BENCHMARK(BM_FullFrameContours)->Args({200, 0})->Args({200, 1})->FRAME_CASES;
BENCHMARK(BM_ShapeRebuild)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->FRAME_CASES;
BENCHMARK(BM_ShapeSampling)->Arg(0)->Arg(1)->FRAME_CASES;
BENCHMARK(BM_ShapeFrame)->Arg(0)->Arg(1)->FRAME_CASES;

// Prints the two ratios the list is measured by, from the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                times_[r.run_name.str()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char *n : {"20", "200", "400"}) {
            const std::string suffix = std::string("/") + n + "/min_time:0.500/repeats:3/real_time";
            auto t = [&](const char *name) { return times_[std::string(name) + suffix]; };
            if (!Have({"BM_Rebuild" + suffix, "BM_Immediate" + suffix, "BM_ListReplay" + suffix,
                       "BM_VertexArrays" + suffix}))
                continue;   // filtered out
            std::printf("steps %-3s medians: rebuild/immediate %.2f (target <= 1.5), replay/arrays %.2f (target <= 1.2)\n",
                        n, t("BM_Rebuild") / t("BM_Immediate"), t("BM_ListReplay") / t("BM_VertexArrays"));
        }
        const std::string tail = "/min_time:0.500/repeats:3/real_time";
        for (const char *frame : {"BM_FrameOnceContours", "BM_FullFrameContours"}) {
            const std::string without = std::string(frame) + "/200/0" + tail, with = std::string(frame) + "/200/1" + tail;
            if (!Have({without, with}))
                continue;
            std::printf("200 steps, %s: contour lines add %.0f%% (target <= 20%%)\n",
                        frame == std::string("BM_FrameOnceContours") ? "frame drawn once" : "view's frame",
                        100 * (times_[with] / times_[without] - 1));
        }
        auto shape = [&](const std::string &name) { return times_[name + "/min_time:0.500/repeats:3/real_time"]; };
        std::printf("200-step torus against a 200-step z(x,y) surface (target <= 1.2): rebuild %.2f, shaded rebuild %.2f, "
                    "frame %.2f\n",
                    shape("BM_ShapeRebuild/1/0") / shape("BM_ShapeRebuild/0/0"),
                    shape("BM_ShapeRebuild/1/1") / shape("BM_ShapeRebuild/0/1"),
                    shape("BM_ShapeFrame/1") / shape("BM_ShapeFrame/0"));
    }

private:
    bool Have(std::initializer_list<std::string> names) const
    {
        for (const std::string &n : names)
            if (!times_.count(n))
                return false;
        return true;
    }

    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char **argv)
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setVersion(2, 1);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(f);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    theBench = new Bench;
    theShapes = new Shapes;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    delete theShapes;
    delete theBench;
    return 0;
}
