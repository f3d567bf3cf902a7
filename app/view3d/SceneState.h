// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>

#include "view3d/Camera.h"
#include "view3d/RenderOptions.h"
#include "view3d/TraceCursor.h"

class CVeltrix2Doc;

// The line width of a picture of width x height pixels that shows what a
// reference picture shows: lines grow with the picture, never below one pixel.
inline double ScaledLineWidth(int width, int height, int referenceWidth, int referenceHeight)
{
    if (referenceWidth <= 0 || referenceHeight <= 0)
        return 1.0;
    return std::max(1.0, std::min(double(width) / referenceWidth, double(height) / referenceHeight));
}

// Everything one frame of the view depends on besides the document's own
// contents, copied so that another context (off-screen, for printing or
// export) can draw the very frame the view shows.  Whatever the view's
// renderer holds that changes the picture belongs here too.
struct SceneState {
    const CVeltrix2Doc *doc = nullptr;
    Camera camera;
    int width = 0, height = 0;   // the view's client size in device pixels
    TraceState trace;            // the trace cursor, drawn where the view draws it
    RenderOptions options;       // smooth lines, shading, legend: as the view draws
    // Width of a line in pixels: a picture larger than the view draws its
    // lines as much wider, so that it looks like the view, only sharper.
    double lineWidth = 1.0;
};

// The scene as the document was saved, from its camera, at width x height
// pixels, drawn with `options`, no trace cursor, one-pixel lines.
SceneState SavedScene(const CVeltrix2Doc &doc, int width, int height, const RenderOptions &options);
