// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "view3d/GeometrySink.h"
#include "view3d/SampleGrid.h"

struct FunctionRecord;

// The range of the gradient colours of a grid: the samples' extremes with
// IEEE comparisons (a NaN can become low but never high), clamped to the cube
// for the Cartesian kinds and to half its diagonal for radii.
struct GradientRange {
    double low = 0, high = 0;
};
GradientRange ComputeGradientRange(const SampleGridResult &grid, double cubeDimension);

// Feeds the cells (surface) or segments (curve) of a sampled function that
// lie wholly inside the cube of edge `cubeDimension` to `sink`, in grid order.
// An unusable grid, or one without a plotted variable, emits nothing between
// BeginFunction and EndFunction.
void DrawSamples(GeometrySink &sink, const FunctionRecord &record, const SampleGridResult &grid,
                 double cubeDimension);
