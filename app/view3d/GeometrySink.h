#pragma once

#include <cstdint>
#include <vector>

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

// One triangle of a surface that comes as a mesh (an implicit surface),
// inside the cube.  Vertex numbers name the mesh's points: triangles that
// share a point give it the same number, so a sink can keep it once.  The
// corners turn counter-clockwise about the normals' side in GL coordinates.
struct TriangleGeometry {
    uint32_t vertex[3] = {};
    GLPoint p[3];
    double value[3] = {};   // what the gradient colors follow: the height
    GLPoint normal[3];      // unit, from the function's gradient
    bool odd = false;       // the chess board's color: color1 when odd
};

// A piece of a contour line: on the surface, or its projection onto the
// cube's floor.
struct ContourGeometry {
    GLPoint p[2];
    double level = 0;
    bool onFloor = false;
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
    // A surface given as a mesh of `vertexCount` points; its triangles follow.
    virtual void BeginMesh(uint32_t vertexCount) { (void)vertexCount; }
    virtual void Triangle(const TriangleGeometry &triangle) = 0;
    // Contour lines, after the surface's cells, when they were asked for;
    // geometry that is not a picture (meshes, drawings) has none.
    virtual void ContourLevelsUsed(const std::vector<double> &levels) { (void)levels; }
    virtual void Contour(const ContourGeometry &contour) { (void)contour; }
    virtual void EndFunction() = 0;
    // Whether the cells of this function need their corners' normals.
    virtual bool WantsNormals() const { return false; }
};
