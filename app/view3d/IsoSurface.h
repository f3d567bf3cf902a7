#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Values of a function f(x, y, z) at the points of a box's grid: n[0] points
// along x, n[1] along y, n[2] along z, point (i, j, k) at start + (i, j, k) *
// step (the user's coordinates).  Values are kept x outermost, z innermost.
struct VolumeSamples {
    std::array<uint32_t, 3> n = {1, 1, 1};
    std::array<double, 3> start = {0, 0, 0};
    std::array<double, 3> step = {0, 0, 0};
    std::vector<double> values;

    size_t Index(uint32_t i, uint32_t j, uint32_t k) const { return (size_t(i) * n[1] + j) * n[2] + k; }
    double At(uint32_t i, uint32_t j, uint32_t k) const { return values[Index(i, j, k)]; }
};

// The surface f = 0 as triangles over shared vertices, in the user's
// coordinates.  Every triangle turns counter-clockwise about the side where f
// is positive, and the normals, from f's gradient, point there too.
struct IsoMesh {
    struct Vertex {
        double p[3];
        double normal[3];   // unit; zero where the gradient vanishes
    };
    struct Triangle {
        uint32_t v[3];
        // The grid cell the triangle lies in: i + j + k odd or even.
        bool oddCell = false;
    };
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
};

// The zero set of the sampled function, by marching cubes whose faces are
// decided by the asymptotic decider: a face with four sign changes is split
// as the bilinear interpolant over it is, which both cells that share the
// face see alike, so the surface has no holes between cells and each of its
// edges belongs to exactly two triangles (away from the box's sides and from
// cells with a value that is not finite, which are left empty).  The surface
// in a cell is traced face by face into closed polygons: a triangle stays
// one, a quadrilateral is split along its shorter diagonal, and a larger
// polygon becomes a fan around its centre.  A point where f is exactly 0
// counts as positive; a vertex that falls on such a point is shared by every
// edge that ends there, and triangles it makes empty are dropped.
IsoMesh PolygoniseVolume(const VolumeSamples &samples);
