#pragma once

#include <cstdint>
#include <vector>

#include "view3d/SampleMapping.h"

// Unit normals of a sampled surface at its grid points (count1 rows of
// count2 points, in GL coordinates), from central differences of the
// points along both grid directions: one-sided at the grid's edges and
// beside points that are not finite.  Since the differences are taken of
// the mapped points, spherical surfaces get theirs like Cartesian ones.
// A point whose differences span no plane (the pole of a sphere, a point
// without finite neighbours) gets the zero vector.  A closed surface (a
// torus, a cylinder, a sphere round its axis) whose first and last rows or
// columns meet is differenced across that seam, so that no crease shows
// along it.
std::vector<GLPoint> GridNormals(const std::vector<GLPoint> &points, uint32_t count1, uint32_t count2);

// Whether the first and the last of `count` rows of a grid are the same
// points (within a millionth of the grid's size), `stride` apart along a row
// and `step` apart from one row to the next.
bool RowsMeet(const std::vector<GLPoint> &points, uint32_t count, uint32_t length, size_t step, size_t stride);

// Unit normal of a cell's face from its two diagonals; zero when the cell
// has no area.
GLPoint FaceNormal(const GLPoint (&corners)[4]);

bool IsZero(const GLPoint &v);
