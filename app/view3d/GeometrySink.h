#pragma once

#include <cstdint>

#include "view3d/OutlineThinning.h"
#include "view3d/SampleMapping.h"

struct FunctionRecord;

// One grid cell inside the cube: corners P0 (i, j), P1 (i+1, j),
// P2 (i+1, j+1), P3 (i, j+1) and the function values at those samples.
struct CellGeometry {
    uint32_t i = 0, j = 0;
    GLPoint p[4];
    double value[4] = {};
    // Unit surface normals at the corners; filled only for a sink that
    // wants them.
    GLPoint normal[4];
};

// One curve segment inside the cube, with the function values at its ends.
struct SegmentGeometry {
    GLPoint p[2];
    double value[2] = {};
};

// Receives the geometry of one function, cell after cell (or segment after
// segment) in drawing order.  Drawing, picking and export all take the same
// cells from the emitter; how a cell looks is the sink's business.
class GeometrySink {
public:
    virtual ~GeometrySink() = default;
    // low and high: the range of the gradient colors.
    virtual void BeginFunction(const FunctionRecord &record, double low, double high) = 0;
    // A surface's cells follow, from a grid of count1 x count2 samples of
    // which `probe` is a coarse lattice (for the spacing of its outlines).
    virtual void BeginGrid(uint32_t count1, uint32_t count2, const GridProbe &probe)
    {
        (void)count1, (void)count2, (void)probe;
    }
    virtual void Cell(const CellGeometry &cell) = 0;
    virtual void Segment(const SegmentGeometry &segment) = 0;
    virtual void EndFunction() = 0;
    // Whether the cells of this function need their corners' normals.
    virtual bool WantsNormals() const { return false; }
};
