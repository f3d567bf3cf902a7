#pragma once

#include <QString>

#include "view3d/ContourLines.h"
#include "view3d/GeometrySink.h"
#include "view3d/IsoSurface.h"
#include "view3d/SampleGrid.h"

struct FunctionRecord;

// The range of the gradient colours of a grid: the samples' extremes with
// IEEE comparisons (a NaN can become low but never high), clamped to the cube
// for the Cartesian kinds and to half its diagonal for radii.
struct GradientRange {
    double low = 0, high = 0;
};
GradientRange ComputeGradientRange(const SampleGridResult &grid, double cubeDimension);

// Feeds the cells (surface) or segments (curve) of a sampled function that
// lie wholly inside the cube of edge `cubeDimension` to `sink`, in grid order.
// An unusable grid, or one without a plotted variable, emits nothing between
// BeginFunction and EndFunction.
// With `contours`, a graph (z(x,y), x(z,y), y(x,z), z(rho,theta)) then gets its contour
// lines at round levels across the values of its cells inside the cube:
// across each cell's two triangles (P0 P1 P3 and P1 P2 P3, as the view
// draws them), on the surface and, when asked, on the cube's side below the
// values.
void DrawSamples(GeometrySink &sink, const FunctionRecord &record, const SampleGridResult &grid,
                 double cubeDimension, const ContourOptions &contours = {});

// Feeds the triangles of an implicit surface's mesh (user coordinates) that
// lie wholly inside the cube to `sink`, mapped to GL coordinates, with the
// height (user z) as the value the gradient colors follow.  The range of
// those colors is the heights' range, clamped to the cube.
void DrawIsoMesh(GeometrySink &sink, const FunctionRecord &record, const IsoMesh &mesh, double cubeDimension);

// Samples the function of `record` afresh (over the grid of its plotted
// variables, or the box of an implicit surface) and feeds its geometry to
// `sink`: the one way every drawing and export takes a function's shape.
// Returns why the function could not be sampled (an empty string when it
// could); the sink then gets only BeginFunction and EndFunction.
QString TessellateFunction(GeometrySink &sink, const FunctionRecord &record, double cubeDimension,
                           const ContourOptions &contours = {});
