#pragma once

#include <string>
#include <vector>

#include "model/ViewSettings.h"
#include "view3d/FurnitureGeometry.h"
#include "view3d/ScreenProjection.h"

class OutlineFont;

// One colour bar of the legend: a gradient function's label and the range
// its colours were drawn with.
struct LegendEntry {
    std::string label;   // 8-bit, as the document keeps it
    double low = 0, high = 0;
    Color color1 = 0, color2 = 0;
    // Levels of the function's contour lines, marked on the bar.
    std::vector<double> marks;
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

// A text of the legend: its left end on the baseline at (x, y) (window
// coordinates, y up), one em `size` pixels.
struct LegendText {
    std::string text;
    double x = 0, y = 0, size = 0;
};

// The legend as drawn: a panel in the background colour outlined in ink
// (black or white, whichever shows on the background), and per entry its
// label, its bar from color1 (low, at the left) to color2 (high), outlined
// in ink, with a short ink line across it at each contour level, and the two
// end values in ink.
struct LegendDrawing {
    struct Item {
        LegendEntry entry;
        double barLeft = 0, barBottom = 0, barRight = 0, barTop = 0;
        LegendText label, low, high;
        // Where the contour levels lie along the bar (x, window coordinates).
        std::vector<double> markX;
    };
    double left = 0, bottom = 0, right = 0, top = 0;   // of the panel
    Color background = 0, ink = 0;
    std::vector<Item> items;
};

// Points along a bar where its colour is given; it changes linearly in
// between.
constexpr int kLegendBarSegments = 64;

// The legend of the entries in a corner of a viewport of width x height
// pixels, with the text widths of `metrics`.  Entries that do not fit are
// left out; none shown when nothing fits.  The corner is the lower right one
// unless the legend would cover one of `avoid` there (the numbers and
// letters of the cube and axes, window coordinates): then the first of the
// lower left, upper left and upper right corners where it covers none, or
// else the one where it covers least.
LegendDrawing ComposeLegend(const std::vector<LegendEntry> &entries, const GlyphMetricsTable &metrics, int width,
                            int height, Color background, const std::vector<ScreenRect> &avoid = {});

// Draws the legend over whatever is there.  Leaves the projection and
// model-view matrices as it found them.
void DrawColorLegend(const std::vector<LegendEntry> &entries, const OutlineFont &font, int width,
                     int height, Color background, const std::vector<ScreenRect> &avoid = {});
