#pragma once

#include "view3d/Camera.h"
#include "view3d/RenderOptions.h"
#include "view3d/TraceCursor.h"

class CVeltrix2Doc;

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
};
