// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "view3d/SampleMapping.h"

// Where a GL point lands on a picture, in pixels; false for a point behind
// the eye.  Which way y runs is the caller's: window coordinates (y up) for
// the GL frame and the legend.
using ScreenProjection = std::function<bool(const GLPoint &p, double *x, double *y)>;

// GL's projection: the product of the projection and model-view matrices
// (column major) onto a viewport of width x height pixels, y up.
ScreenProjection MatrixProjection(const double (&matrix)[16], int width, int height);

// A rectangle of a picture, in its pixels.
struct ScreenRect {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;   // x0 <= x1, y0 <= y1

    // The area the two share (0 when they only touch or do not meet).
    double Overlap(const ScreenRect &o) const;
};
