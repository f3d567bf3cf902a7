#include "BenchDocument.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/FunctionDefinition.h"
#include "model/LibraryFunction.h"

int32_t AddBenchPlot(CVeltrix2Doc &doc, const BenchPlot &plot)
{
    const DefinitionOutcome compiled = CompileNewFunction(plot.text, plot.unit);
    if (!compiled.ok) {
        std::fprintf(stderr, "the benchmark's function %s does not compile: %s\n", plot.text.c_str(),
                     qPrintable(compiled.message));
        std::abort();
    }
    SetBenchSteps(compiled.handle, plot.steps);
    FunctionRecord record;
    record.label = plot.label;
    record.text = plot.text;
    record.handle = compiled.handle;
    record.mode = plot.mode;
    record.color1 = plot.color1;
    record.color2 = plot.color2;
    doc.Add(record, false);
    return compiled.handle;
}

void SetBenchSteps(int32_t handle, int steps)
{
    const LibraryFunction function(handle);
    for (const char *name : {"x", "y"})
        function.Write(FunctionVariable{name, 0, -5, 5, steps});
}

std::unique_ptr<CVeltrix2Doc> BenchDocument(int steps, int mode, bool animated)
{
    auto doc = std::make_unique<CVeltrix2Doc>();
    BenchPlot plot;
    if (animated)
        plot.text = "z(x,y,t)=cos(x-t)*siny";
    plot.label = "cos(x)*sin(y)";
    plot.steps = steps;
    plot.mode = mode;
    plot.color1 = 0xFF0000;
    plot.color2 = 0x00FFFF;
    const int32_t handle = AddBenchPlot(*doc, plot);
    if (animated)
        LibraryFunction(handle).Write(FunctionVariable{"t", 0, 0, 2 * M_PI, 99});
    return doc;
}
