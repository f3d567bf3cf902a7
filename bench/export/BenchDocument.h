#pragma once

#include <memory>

#include "model/CVeltrix2Doc.h"

// The comparison's document: z = cos(x) sin(y) over [-5, 5]^2 with `steps`
// per variable, in `mode`, blue to yellow.  Animated, the wave travels:
// z = cos(x - t) sin(y), t from 0 to 2 pi in 99 steps (100 positions).
std::unique_ptr<CVeltrix2Doc> BenchDocument(int steps, int mode, bool animated = false);
