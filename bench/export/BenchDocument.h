#pragma once

#include <memory>

#include "model/CVeltrix2Doc.h"

// The comparison's document: z = cos(x) sin(y) over [-5, 5]^2 with `steps`
// per variable, in `mode`, blue to yellow.
std::unique_ptr<CVeltrix2Doc> BenchDocument(int steps, int mode);
