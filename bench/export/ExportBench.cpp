// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where veltrix-export's time goes, stage by stage, for the benchmark's
// document (z = cos(x) sin(y) over [-5, 5]^2, 200 or 400 steps): the
// off-screen context with its outline font, one picture at 1280 x 1024
// (sampling, drawing, read-back), the PNG file, the DXF
// drawing, the meshes, the vector figures and a film's picture.  compare.sh
// times the whole process against the reference plotter.
#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include "BenchDocument.h"
#include "output/AnimationFilm.h"
#include "output/DxfWriter.h"
#include "output/GltfWriter.h"
#include "output/MeshFiles.h"
#include "output/OffscreenRenderer.h"
#include "output/PainterFigureCanvas.h"
#include "output/SceneFigure.h"
#include "output/SvgFigureCanvas.h"
#include "output/SceneGeometry.h"
#include "output/SurfaceMesh.h"
#include "output/WebPage.h"
#include "view3d/SceneState.h"

namespace {

SceneState Scene(const CVeltrix2Doc &doc)
{
    SceneState s;
    s.doc = &doc;
    s.width = 1280;
    s.height = 1024;
    return s;
}

// EGL display and context, framebuffer functions, the outline font.
void BM_RendererStartup(benchmark::State &state)
{
    for (auto _ : state) {
        OffscreenRenderer renderer;
        if (!renderer.IsValid())
            state.SkipWithError("no off-screen context");
    }
}

// One picture: sampling, display lists, drawing and reading back.
void BM_RenderPicture(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), Gradient);
    OffscreenRenderer renderer;
    BitmapPixels pixels;
    for (auto _ : state)
        if (!renderer.Render(Scene(*doc), 1280, 1024, pixels))
            state.SkipWithError("rendering failed");
}

// The picture turned round and encoded as PNG.
void BM_WritePng(benchmark::State &state)
{
    const auto doc = BenchDocument(200, Gradient);
    OffscreenRenderer renderer;
    BitmapPixels pixels;
    renderer.Render(Scene(*doc), 1280, 1024, pixels);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.write(ToImage(pixels));
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

// The wire frame as DXF text: sampling and about 6 numbers per line.
void BM_WriteDxf(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), WireFrame);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteDxf(*doc, buffer);
        state.counters["MB"] = double(buffer.data().size()) / 1e6;
    }
}

void BM_WriteStl(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), Gradient);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteStl(BuildSceneMesh(*doc), buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

void BM_WriteObj(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), Gradient);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteObj(BuildSceneMesh(*doc), QStringLiteral("b.mtl"), buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

// The scene as glTF: sampling, the texts' outlines, the buffers and JSON.
void BM_WriteGltf(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), Gradient);
    const GlyphOutlines glyphs;
    for (auto _ : state) {
        const QByteArray glb = GltfBinary(BuildSceneGeometry(*doc, glyphs), QStringLiteral("bench.vxf"));
        state.counters["MB"] = double(glb.size()) / 1e6;
    }
}

// The web page: the glTF scene in base64 and three.js around it.
void BM_WriteWebPage(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), Gradient);
    const GlyphOutlines glyphs;
    for (auto _ : state) {
        const QByteArray page = WebPage(BuildSceneGeometry(*doc, glyphs), QStringLiteral("bench.vxf"));
        state.counters["MB"] = double(page.size()) / 1e6;
    }
}

// The vector figure: sampling, projection, cutting and painter's order.
void BM_OrderFigure(benchmark::State &state)
{
    const auto doc = BenchDocument(int(state.range(0)), Gradient);
    for (auto _ : state) {
        const SceneFigure figure(Scene(*doc), 1280, 1024);
        state.counters["items"] = double(figure.Stats().items);
    }
}

// The ordered figure written as SVG or as a PDF page.
void BM_WriteFigure(benchmark::State &state)
{
    const auto doc = BenchDocument(200, Gradient);
    const SceneFigure figure(Scene(*doc), 1280, 1024);
    const bool pdf = state.range(0) == 1;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (pdf) {
            QPdfWriter writer(&buffer);
            writer.setResolution(96);
            writer.setPageSize(QPageSize(QSizeF(960, 768), QPageSize::Point));
            writer.setPageMargins(QMarginsF());
            QPainter painter(&writer);
            PainterFigureCanvas canvas(painter, 1280, 1024, true);
            figure.Paint(canvas);
        } else {
            SvgFigureCanvas canvas(buffer, 1280, 1024, QStringLiteral("bench"));
            figure.Paint(canvas);
            canvas.Finish();
        }
        state.counters["MB"] = double(buffer.data().size()) / 1e6;
    }
}

// One picture of a film: the animated function sampled and drawn at
// 1280 x 720, then converted and handed to the H.264 encoder.
void BM_FilmPicture(benchmark::State &state)
{
    const auto doc = BenchDocument(200, Gradient, true);
    FrameByFrameClock clock;
    AnimationEngine engine(clock);
    engine.Start(doc->Functions(), doc->Get(0).handle, 0);
    OffscreenRenderer renderer;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    VideoEncoder encoder;
    if (!encoder.Open(buffer, VideoFormat::Mp4, 1280, 720, 25))
        state.SkipWithError("no encoder");
    BitmapPixels pixels;
    SceneState scene = Scene(*doc);
    for (auto _ : state) {
        engine.FrameShown();
        engine.Tick();
        if (!renderer.Render(scene, 1280, 720, pixels) || !encoder.Add(pixels))
            state.SkipWithError("the picture failed");
    }
    encoder.Finish();
    state.counters["MB"] = double(buffer.size()) / 1e6;
}

} // namespace

BENCHMARK(BM_RendererStartup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderPicture)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WritePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDxf)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteStl)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteObj)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteGltf)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWebPage)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrderFigure)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFigure)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilmPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    // Fonts need a GUI application; it runs on the offscreen platform like
    // the exporter's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
