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
// without finite neighbours) gets the zero vector.
std::vector<GLPoint> GridNormals(const std::vector<GLPoint> &points, uint32_t count1, uint32_t count2);

// Unit normal of a cell's face from its two diagonals; zero when the cell
// has no area.
GLPoint FaceNormal(const GLPoint (&corners)[4]);

bool IsZero(const GLPoint &v);
