#pragma once

#include <vector>

#include "model/ViewSettings.h"   // Color
#include "view3d/SampleMapping.h"

// Contour lines of the graphs z(x,y), x(z,y) and y(x,z): the curves along
// which the function keeps one value, drawn on the surface and, when asked,
// projected onto the side of the cube below the values (the floor, for
// z(x,y)).  A per-user choice of how the scene is drawn, like shading.
struct ContourOptions {
    int levels = 0;       // about this many levels; 0 draws none
    bool floor = false;   // also projected onto the floor

    bool operator==(const ContourOptions &o) const { return levels == o.levels && floor == o.floor; }
    bool operator!=(const ContourOptions &o) const { return !(*this == o); }
};

// Most levels a user may ask for.
constexpr int kMaxContourLevels = 100;
constexpr int kDefaultContourLevels = 10;

// At most `count` values strictly between low and high, at round numbers:
// the multiples of the smallest step of 1, 2, 2.5 or 5 times a power of ten
// that gives no more than `count` of them.  Ascending; none for an empty or
// not finite range or a count below 1.
std::vector<double> ContourLevels(double low, double high, int count);

// The piece of the level line `level` across the triangle with corners `p`
// and values `v` (the function being linear over the triangle): false when
// the level does not cross it.  A corner exactly at the level counts as
// above it, so that a line through grid points is drawn once.
bool ContourAcross(const GLPoint (&p)[3], const double (&v)[3], double level, GLPoint &from, GLPoint &to);

// The color of the contour line `level` on a surface drawn in `mode`: black
// or white, whichever shows on the faces it crosses (color1, or in the
// gradient mode the gradient's color of its level between low and high).
// On the floor they take the gradient's color of their level in the
// gradient mode, color1 in the others.
Color SurfaceContourColor(int mode, Color color1, Color color2, double low, double high, double level);
Color FloorContourColor(int mode, Color color1, Color color2, double low, double high, double level);
