// Opening a full document: 100 functions, each over a 21 x 21 grid (20 steps
// per plotting variable), with parameters.  Target: well under 50 ms.
#include <string>

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"

namespace {

QString WriteFullDocument(const QTemporaryDir &dir)
{
    CVeltrix2Doc doc;
    for (int i = 0; i < 100; ++i) {
        const std::string text = "z(x,y,a,b)=a*cosx*siny+b*(x^2-y^2)/" + std::to_string(i + 1);
        const DefinitionOutcome o = CompileNewFunction(text, i % 3);
        if (!o.ok)
            return QString();
        FunctionRecord r;
        r.label = "function number " + std::to_string(i);
        r.text = text;
        r.handle = o.handle;
        r.mode = i % 4;
        doc.Add(r, false);
    }
    const QString path = dir.filePath("full.vxf");
    return doc.Save(path) ? path : QString();
}

void BM_OpenDocumentOf100Functions(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = WriteFullDocument(dir);
    if (path.isEmpty()) {
        state.SkipWithError("could not write the document");
        return;
    }
    CVeltrix2Doc doc;
    for (auto _ : state) {
        const ReadOutcome outcome = doc.Open(path);
        if (outcome != ReadOutcome::Ok || doc.Count() != 100) {
            state.SkipWithError("the document did not open");
            break;
        }
        benchmark::DoNotOptimize(doc.Count());
    }
    state.SetLabel("100 functions, 21x21 grids");
}
BENCHMARK(BM_OpenDocumentOf100Functions)->Unit(benchmark::kMillisecond);

}  // namespace
