#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/CVeltrix2Doc.h"

// One function of a benchmark's document.
struct BenchPlot {
    std::string text = "z(x,y)=cosx*siny";
    std::string label = "bench";
    int steps = 20;   // per plotted variable, over [-5, 5]
    int unit = 1;     // radians
    int mode = FilledPolygons;
    Color color1 = 0x00C000, color2 = 0x000000;
};

// Compiles `plot` into `doc` and returns its handle; ends the
// program when the definition does not compile, as no figure would mean
// anything then.
int32_t AddBenchPlot(CVeltrix2Doc &doc, const BenchPlot &plot);

// Gives the plotted variables x and y of `handle` `steps` over [-5, 5].
void SetBenchSteps(int32_t handle, int steps);

// The comparison's document: z = cos(x) sin(y) over [-5, 5]^2 with `steps`
// per variable, in `mode`, blue to yellow.  Animated, the wave travels:
// z = cos(x - t) sin(y), t from 0 to 2 pi in 99 steps (100 positions).
std::unique_ptr<CVeltrix2Doc> BenchDocument(int steps, int mode, bool animated = false);
