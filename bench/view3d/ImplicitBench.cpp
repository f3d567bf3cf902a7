// Implicit surfaces: the box sampled through the library and polygonised,
// as a rebuild of the view does it.  Target: a 64^3 box in at most 50 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "BenchDocument.h"
#include "model/LibraryFunction.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/IsoSurface.h"
#include "view3d/MeshSink.h"
#include "view3d/SampleVolume.h"

namespace {

const char *const kSphere = "0(x,y,z)=x^2+y^2+z^2-16";
const char *const kGyroid = "0(x,y,z)=sin(x)*cos(y)+sin(y)*cos(z)+sin(z)*cos(x)";

struct Implicit {
    CVeltrix2Doc doc;
    int32_t handle = -1;

    Implicit(const char *text, int steps)
    {
        BenchPlot plot;
        plot.text = text;
        handle = AddBenchPlot(doc, plot);
        for (const char *name : {"x", "y", "z"})
            LibraryFunction(handle).Write(FunctionVariable{name, 0, -5, 5, steps});
    }
    const FunctionRecord &Record() const { return doc.Functions().At(0); }
};

const char *Text(int64_t which)
{
    return which == 0 ? kSphere : kGyroid;
}

// Sampling alone: (steps + 1)^3 evaluations.
void BM_SampleVolume(benchmark::State &state)
{
    const Implicit f(Text(state.range(1)), int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SampleVolume(f.Record().text, f.handle).samples.values.data());
}

// Polygonising sampled values alone.
void BM_Polygonise(benchmark::State &state)
{
    const Implicit f(Text(state.range(1)), int(state.range(0)));
    const VolumeResult volume = SampleVolume(f.Record().text, f.handle);
    size_t triangles = 0;
    for (auto _ : state)
        triangles = PolygoniseVolume(volume.samples).triangles.size();
    state.counters["triangles"] = double(triangles);
}

// What a rebuild does: sample, polygonise and make the view's mesh, shaded.
void BM_ImplicitMesh(benchmark::State &state)
{
    const Implicit f(Text(state.range(1)), int(state.range(0)));
    for (auto _ : state) {
        MeshSink sink(0, true);
        TessellateFunction(sink, f.Record(), 10);
        benchmark::DoNotOptimize(sink.TakeMesh().positions.data());
    }
}

#define CASES \
    Args({64, 0})->Args({64, 1})->Args({128, 0})->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(3)->ReportAggregatesOnly(true)
BENCHMARK(BM_SampleVolume)->CASES;
BENCHMARK(BM_Polygonise)->CASES;
BENCHMARK(BM_ImplicitMesh)->CASES;

class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                times_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        // Wall time is what the user waits; CPU time says how much of it
        // other programs on a shared machine took.
        for (const char *which : {"0", "1"}) {
            const auto t = times_.find(std::string("BM_ImplicitMesh/64/") + which + "/min_time:0.500/repeats:3");
            if (t == times_.end())
                continue;   // filtered out
            std::printf("64^3 %s sampled, polygonised and meshed: median %.1f ms wall, %.1f ms CPU (target <= 50)\n",
                        *which == '0' ? "sphere" : "gyroid", t->second.first, t->second.second);
        }
    }

private:
    std::map<std::string, std::pair<double, double>> times_;   // wall, CPU
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
