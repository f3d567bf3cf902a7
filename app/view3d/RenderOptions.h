#pragma once

#include "view3d/ContourLines.h"

// How the scene is drawn, beyond what the document says: per-user choices
// kept in the settings store, never in the document.  Default-constructed,
// they draw the plain designed picture; the user's own start with smooth
// lines on (the shell's preferences).
struct RenderOptions {
    bool smoothLines = false;     // multisampled edges and lines
    bool shadedSurfaces = false;  // filled faces lit by a light at the eye
    bool colorLegend = false;    // a colour bar per gradient function
    ContourOptions contours;      // none unless asked for

    bool operator==(const RenderOptions &o) const
    {
        return smoothLines == o.smoothLines && shadedSurfaces == o.shadedSurfaces &&
               colorLegend == o.colorLegend && contours == o.contours;
    }
    bool operator!=(const RenderOptions &o) const { return !(*this == o); }
};

// Samples per pixel asked for smooth lines (fewer when the driver has fewer).
constexpr int kSmoothLineSamples = 4;
