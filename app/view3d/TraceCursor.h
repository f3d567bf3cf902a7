#pragma once

#include <cstdint>

#include "view3d/SampleMapping.h"

struct FunctionRecord;

// Where the trace cursor stands: on for one function at a time, at a grid
// position counted in steps along the function's first and second plotted
// variable.  Plain data, so that an off-screen renderer can take the view's
// copy and draw the same cursor.
struct TraceState {
    bool on = false;
    int32_t handle = -1;
    int32_t index1 = 0, index2 = 0;
};

// What the cursor reads: the function value at the cursor and the cursor's
// point in the user's coordinates.
struct TraceReading {
    int32_t handle = -1;
    double value = 0;
    double x = 0, y = 0, z = 0;
};

struct TracePlacement {
    GLPoint point;           // where to draw, in GL coordinates
    TraceReading reading;
};

// Puts the cursor of `state` on the function of `record`: clamps both
// indices to the function's grid and keeps the clamped values, makes the
// grid point the current value of the two plotted variables in the library
// (on purpose: the tree and "Evaluate" then show the traced point) and
// evaluates the function there.  A plotted variable the function lacks
// leaves its coordinate at 0.  On an implicit surface the cursor walks x and
// y and stands on the top of the surface over that point (z the highest
// crossing down z's grid, kept as z's value); where there is none it reads
// no z and is not drawn.
TracePlacement PlaceTraceCursor(const FunctionRecord &record, TraceState &state);
