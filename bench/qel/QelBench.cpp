// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The evaluator's speed over a 201 x 201 grid: qel through execute_function,
// the same expressions written in C++, and muParser, in one run.  After the
// runs a table gives the cost per call and checks the targets:
//   - math-bound expressions (E1, E3, E4, E5, E7) within 1.35x of C++;
//   - every expression within 3.5 ns + 0.5 ns per postfix token of C++;
//   - faster than muParser on E1, E2 and E6.

#include "Expressions.h"

#include "qel/qel.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr double kE = 2.718281828459045;
constexpr double kPi = 3.141592653589793;

// Not const: the baselines must read these at run time.
RuntimeConstants g_constants{2.0, 3.0, 1.5, kE};

int32_t CompileQel(const BenchExpression &e)
{
    const VariableRecord vars[5] = {{"x", 0.0, -5.0, 5.0, kGridSteps},
                                    {"y", 0.0, -5.0, 5.0, kGridSteps},
                                    {"a", 1.5, 0.0, 3.0, 10},
                                    {"e", kE, kE, kE, 0},
                                    {"pi", kPi, kPi, kPi, 0}};
    const int32_t h = new_function();
    int32_t stop = 0;
    if (h < 0 || initialize_function(h, e.qel, vars, 5, &stop) != 0) {
        std::fprintf(stderr, "%s: %s does not compile (stop %d)\n", e.name, e.qel, stop);
        delete_function(h);
        return -1;
    }
    return h;
}

double QelGrid(int32_t handle)
{
    double values[5] = {0.0, 0.0, 1.5, kE, kPi};
    double sum = 0.0;
    for (int i = 0; i <= kGridSteps; ++i) {
        values[0] = GridValue(i);
        for (int j = 0; j <= kGridSteps; ++j) {
            values[1] = GridValue(j);
            double out;
            execute_function(handle, values, &out);
            sum += out;
        }
    }
    return sum;
}

double Int(double v) { return std::trunc(v); }

struct MuParserSetup {
    mu::Parser parser;
    double x = 0.0, y = 0.0, a = 1.5, e = kE, pi = kPi;

    explicit MuParserSetup(const char *text)
    {
        parser.DefineVar("x", &x);
        parser.DefineVar("y", &y);
        parser.DefineVar("a", &a);
        parser.DefineVar("e", &e);
        parser.DefineVar("pi", &pi);
        parser.DefineFun("int", Int);
        parser.SetExpr(text);
    }

    double Grid()
    {
        double sum = 0.0;
        for (int i = 0; i <= kGridSteps; ++i) {
            x = GridValue(i);
            for (int j = 0; j <= kGridSteps; ++j) {
                y = GridValue(j);
                sum += parser.Eval();
            }
        }
        return sum;
    }
};

void PerCall(benchmark::State &state)
{
    state.counters["per_call"] = benchmark::Counter(
        kGridPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Qel(benchmark::State &state, int index)
{
    const int32_t h = CompileQel(kExpressions[index]);
    if (h < 0) {
        state.SkipWithError("does not compile");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(QelGrid(h));
    PerCall(state);
    delete_function(h);
}

void BM_Baseline(benchmark::State &state, int index)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BaselineGrid(index, g_constants));
    PerCall(state);
}

void BM_MuParser(benchmark::State &state, int index)
{
    try {
        MuParserSetup mu(kExpressions[index].muparser);
        benchmark::DoNotOptimize(mu.parser.Eval()); // parses, builds the byte code
        for (auto _ : state)
            benchmark::DoNotOptimize(mu.Grid());
    } catch (const mu::Parser::exception_type &e) {
        state.SkipWithError(e.GetMsg().c_str());
        return;
    }
    PerCall(state);
}

// Whether qel's grid sum has the bits of the C++ baseline's sum: the same
// operations in the same order.
bool SameBitsAsBaseline(int index)
{
    const int32_t h = CompileQel(kExpressions[index]);
    if (h < 0)
        return false;
    const double q = QelGrid(h);
    delete_function(h);
    const double b = BaselineGrid(index, g_constants);
    return std::memcmp(&q, &b, sizeof q) == 0;
}

// The console output as usual, then the table of all three per expression.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // The fastest repetition: other work on the machine only ever adds.
        for (const Run &run : runs) {
            const auto c = run.counters.find("per_call");
            if (run.error_occurred || run.run_type != Run::RT_Iteration || c == run.counters.end())
                continue;
            const double ns = c->second.value * 1e9;
            const std::string name = run.run_name.function_name;
            const auto it = nsPerCall_.find(name);
            if (it == nsPerCall_.end() || ns < it->second)
                nsPerCall_[name] = ns;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nns per call over the %d-point grid (qel through execute_function), "
                    "fastest repetition\n",
                    kGridPoints);
        std::printf("%-4s %9s %9s %9s %8s %8s %8s %5s  %s\n", "expr", "qel", "C++", "muParser",
                    "qel/C++", "qel-C++", "allowed", "bits", "targets");
        for (int i = 0; i < kExpressionCount; ++i)
            Row(i);
    }

private:
    double Get(const char *kind, const BenchExpression &e)
    {
        const auto it = nsPerCall_.find(std::string(kind) + "/" + e.name);
        return it == nsPerCall_.end() ? NAN : it->second;
    }

    void Row(int i)
    {
        const BenchExpression &e = kExpressions[i];
        const double q = Get("qel", e), b = Get("baseline", e), m = Get("muparser", e);
        const double allowed = 3.5 + 0.5 * e.postfixTokens;
        std::string verdict;
        if (e.mathBound)
            verdict += q / b <= 1.35 ? "ratio ok; " : "ratio MISSED; ";
        verdict += q - b <= allowed ? "overhead ok" : "overhead MISSED";
        if (e.versusMuParser)
            verdict += q < m ? "; beats muParser" : "; muParser FASTER";
        std::printf("%-4s %9.2f %9.2f %9.2f %8.2f %8.2f %8.2f %5s  %s\n", e.name, q, b, m, q / b,
                    q - b, allowed, SameBitsAsBaseline(i) ? "same" : "DIFF", verdict.c_str());
    }

    std::map<std::string, double> nsPerCall_;
};

} // namespace

int main(int argc, char **argv)
{
    for (int i = 0; i < kExpressionCount; ++i) {
        const std::string name = kExpressions[i].name;
        // Interleaved and repeated, so that the three of an expression see the
        // same load; the table takes the fastest repetition of each.
        benchmark::RegisterBenchmark(("qel/" + name).c_str(), BM_Qel, i)->Repetitions(5);
        benchmark::RegisterBenchmark(("baseline/" + name).c_str(), BM_Baseline, i)->Repetitions(5);
        benchmark::RegisterBenchmark(("muparser/" + name).c_str(), BM_MuParser, i)->Repetitions(5);
    }
    // Defaults that the command line can override: repetitions of the three
    // contenders shuffled among each other, so that a burst of other work on
    // the machine does not fall on one of them only.
    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char minTime[] = "--benchmark_min_time=0.2";
    args.insert(args.begin() + 1, {interleave, minTime});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
