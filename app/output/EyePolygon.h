#pragma once

#include <cstdint>
#include <vector>

#include "output/FigureProjection.h"

// A colour with channels 0..255 in floating point: colours are interpolated
// where polygons are cut.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

struct PolygonVertex {
    EyePoint p;
    Rgb color;
};

// A convex polygon in the eye's frame (a line has two vertices), with a
// colour at each vertex and, per edge, whether the edge is part of what was
// drawn (the outline of a grid cell) rather than a cut.  outlined[k] is the
// edge from v[k] to v[k + 1].
struct EyePolygon {
    std::vector<PolygonVertex> v;
    std::vector<uint8_t> outlined;

    size_t Size() const { return v.size(); }
};

// The plane n . p = d.
struct EyePlane {
    EyePoint n;
    double d = 0;
    double Distance(const EyePoint &p) const { return n.x * p.x + n.y * p.y + n.z * p.z - d; }
    bool Valid() const { return n.x != 0 || n.y != 0 || n.z != 0; }
};

// The plane through the points (Newell's normal, so that a polygon that is
// almost flat gets its best plane), with a unit normal; invalid when the
// points span no area.
EyePlane PlaneThrough(const PolygonVertex *const *points, int count);
EyePlane PlaneOf(const EyePolygon &polygon);

// The parts of `polygon` on the positive and the negative side of `plane`.
// Points within `tolerance` of the plane belong to both sides; a part
// without area comes back empty.  The new edge along the plane is not
// outlined.
void SplitPolygon(const EyePolygon &polygon, const EyePlane &plane, double tolerance, EyePolygon *positive,
                  EyePolygon *negative);

// The part of a line (two vertices) on each side of `plane`; empty when none.
void SplitLine(const EyePolygon &line, const EyePlane &plane, double tolerance, EyePolygon *positive,
               EyePolygon *negative);

// Whether two convex figure polygons share some area (touching is not
// overlapping).
bool Overlaps(const FigurePoint *a, int countA, const FigurePoint *b, int countB);

// Overlap of two convex figure polygons: the area they share and its
// centroid.  0 when they only touch.
double OverlapArea(const FigurePoint *a, int countA, const FigurePoint *b, int countB, FigurePoint *centroid);

// The part of the segment a-b inside a convex figure polygon, as parameters
// 0 <= t0 < t1 <= 1 along it; false when it does not cross the inside.
bool SegmentInside(FigurePoint a, FigurePoint b, const FigurePoint *polygon, int count, double *t0, double *t1);
