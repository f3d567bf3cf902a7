// Opening a full document: 100 functions, each over a 21 x 21 grid (20 steps
// per plotting variable), with parameters.  Target: well under 50 ms.
//
// Opening a document made to be slow: one function with tens of thousands of
// variables whose expression names each of them, the last in the table
// first.  Reading must stay far from quadratic in the names.
#include <cstdio>
#include <string>
#include <vector>

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchDocument.h"
#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"

namespace {

QString WriteFullDocument(const QTemporaryDir &dir)
{
    CVeltrix2Doc doc;
    for (int i = 0; i < 100; ++i) {
        BenchPlot plot;
        plot.text = "z(x,y,a,b)=a*cosx*siny+b*(x^2-y^2)/" + std::to_string(i + 1);
        plot.label = "function number " + std::to_string(i);
        plot.unit = i % 3;
        plot.mode = i % 4;
        plot.color1 = 0xFFFFFF;
        AddBenchPlot(doc, plot);
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

// A name per variable, all of one length so that none is a prefix of another.
std::string VariableName(int i)
{
    char name[16];
    std::snprintf(name, sizeof name, "v%05d", i);
    return name;
}

QString WriteManyNamesDocument(const QTemporaryDir &dir, int variables, int names)
{
    std::vector<std::string> storage;
    storage.reserve(size_t(variables) + 2);
    storage.push_back("x");
    storage.push_back("y");
    for (int i = 0; i < variables - 2; ++i)
        storage.push_back(VariableName(i));
    std::vector<VariableRecord> table;
    std::string header = "z(";
    for (const std::string &name : storage) {
        table.push_back(VariableRecord{name.c_str(), 0, -5, 5, 20});
        header += name + (&name == &storage.back() ? ")=" : ",");
    }
    std::string expression;
    for (int k = 0; k < names; ++k)
        expression += (k ? "+" : "") + storage[storage.size() - 1 - size_t(k) % storage.size()];

    CVeltrix2Doc doc;
    FunctionRecord r;
    r.label = "many names";
    r.text = header + expression;
    r.handle = new_function();
    int32_t stop = 0;
    if (initialize_function(r.handle, expression.c_str(), table.data(), int32_t(table.size()), &stop) != 0)
        return QString();
    doc.Add(r, false);
    const QString path = dir.filePath("names.vxf");
    return doc.Save(path) ? path : QString();
}

void BM_OpenDocumentOfManyNames(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = WriteManyNamesDocument(dir, int(state.range(0)), int(state.range(1)));
    if (path.isEmpty()) {
        state.SkipWithError("could not write the document");
        return;
    }
    CVeltrix2Doc doc;
    for (auto _ : state) {
        if (doc.Open(path) != ReadOutcome::Ok || doc.Count() != 1) {
            state.SkipWithError("the document did not open");
            break;
        }
    }
    state.SetLabel(QStringLiteral("%1 variables, %2 names, %3 MB")
                       .arg(state.range(0))
                       .arg(state.range(1))
                       .arg(QFileInfo(path).size() / 1e6, 0, 'f', 1)
                       .toStdString());
}
BENCHMARK(BM_OpenDocumentOfManyNames)
    ->Args({20000, 50000})
    ->Args({40000, 100000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
