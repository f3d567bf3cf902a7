#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "output/EyePolygon.h"

class FigureProjection;

// One thing of a scene to be painted: a face, a line or a flat box (a text,
// parallel to the screen), in the eye's frame.
struct DepthItem {
    enum Kind : uint8_t {
        Face,
        Line,
        Flat
    };
    Kind kind = Face;
    // A grid cell drawn whole: `shape` holds its four corners, which need
    // not lie in a plane; it covers the triangles 0-1-3 and 1-2-3, as the
    // GL rasteriser splits a quadrilateral.
    bool cell = false;
    // Cells of one surface share a group, and neighbouring cells (i and j
    // one apart) are never cut against each other: they meet at edges.
    int32_t group = -1;
    uint32_t i = 0, j = 0;
    // The group is the graph of a function over a plane (one value at each
    // point of it): two of its cells never pierce each other.
    bool graph = false;
    uint32_t payload = 0;   // the caller's: what to draw
    EyePolygon shape;       // a face or box; a line's two ends
};

// Puts the items of a scene in painter's order, far to near, so that
// painting them one over the other shows what a depth buffer would:
//  - everything is clipped at the near and far planes and the figure's
//    edges;
//  - faces, boxes and lines that pass through a face are cut along its
//    plane, so that no two items pierce each other;
//  - every pair that overlaps on the figure is ordered by which lies in
//    front where they overlap, and the order is a topological sort of those
//    relations, the farther first among free choices.  Cycles (rare: three
//    faces over each other in a ring) are broken at the farthest item.
// Lines are not ordered against each other.  Cut pieces of a cell are faces
// of their own, with their outline kept only along the cell's edges.
class DepthOrder {
public:
    explicit DepthOrder(const FigureProjection &projection);

    void Add(DepthItem item);
    // The items (cut and clipped) in painting order.
    std::vector<DepthItem> Sorted();

    struct Statistics {
        size_t items = 0;        // after cutting and clipping
        size_t cuts = 0;         // items cut because something pierced them
        size_t relations = 0;    // ordered overlapping pairs
        size_t cyclesBroken = 0;
    };
    const Statistics &Stats() const { return stats_; }

private:
    void ClipToView(DepthItem item);

    const FigureProjection &projection_;
    std::vector<DepthItem> items_;
    std::array<EyePlane, 6> view_;   // what the figure shows lies on their positive sides
    Statistics stats_;
};
