#pragma once

#include <string>
#include <vector>

#include "model/ViewSettings.h"

class OutlineFont;

// One colour bar of the legend: a gradient function's label and the range
// its colours were drawn with.
struct LegendEntry {
    std::string label;   // 8-bit, as the document keeps it
    double low = 0, high = 0;
    Color color1 = 0, color2 = 0;
};

// The number written at an end of a bar.
std::string LegendNumber(double value);

// Where the legend's parts lie in a viewport of width x height pixels
// (GL window coordinates, y up).  Everything scales with the viewport's
// height, so that a printed or exported picture shows the legend as the
// screen does.
struct LegendLayout {
    double unit = 1;              // pixels per unit of the screen layout
    double left = 0, right = 0;   // of the bars
    double barHeight = 0, textHeight = 0;
    double entryHeight = 0;
    double top = 0;               // of the first entry
    int shown = 0;                // entries that fit
    // Bottom of entry k's bar.
    double BarBottom(int k) const;
};
LegendLayout LayOutLegend(int entries, int width, int height);

// Draws the entries in the lower right corner over whatever is there: a
// panel in the background colour, each label, its bar from color1 (low, at
// the left) to color2 (high) and the two end values, in black or white,
// whichever shows on the background.  Entries that do not fit are left
// out.  Leaves the projection and model-view matrices as it found them.
void DrawColorLegend(const std::vector<LegendEntry> &entries, const OutlineFont &font, int width,
                     int height, Color background);
