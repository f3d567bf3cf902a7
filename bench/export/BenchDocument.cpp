#include "BenchDocument.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/FunctionDefinition.h"
#include "qel/qel.h"

std::unique_ptr<CVeltrix2Doc> BenchDocument(int steps, int mode, bool animated)
{
    const std::string text = animated ? "z(x,y,t)=cos(x-t)*siny" : "z(x,y)=cosx*siny";
    const DefinitionOutcome compiled = CompileNewFunction(text, QEL_RADIANS);
    if (!compiled.ok) {
        std::fprintf(stderr, "the benchmark's function does not compile: %s\n", qPrintable(compiled.message));
        std::abort();
    }
    for (const char *name : {"x", "y"})
        modify_function_variable(compiled.handle, VariableRecord{name, 0, -5, 5, steps});
    if (animated)
        modify_function_variable(compiled.handle, VariableRecord{"t", 0, 0, 2 * M_PI, 99});
    auto doc = std::make_unique<CVeltrix2Doc>();
    FunctionRecord record;
    record.label = "cos(x)*sin(y)";
    record.text = text;
    record.handle = compiled.handle;
    record.mode = mode;
    record.color1 = 0xFF0000;
    record.color2 = 0x00FFFF;
    doc->Add(record);
    return doc;
}
