#include "view3d/SurfaceNormals.h"

#include <cmath>

namespace {

bool Finite(const GLPoint &p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

GLPoint Minus(const GLPoint &a, const GLPoint &b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

GLPoint Cross(const GLPoint &a, const GLPoint &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Length(const GLPoint &v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// The vector scaled to length 1, or zero when it has (almost) none.
GLPoint Unit(const GLPoint &v)
{
    const double length = Length(v);
    if (!(length > 1e-300) || !std::isfinite(length))
        return {};
    return {v.x / length, v.y / length, v.z / length};
}

// Below this share of the other direction's difference, a difference is
// rounding, not a direction: at a sphere's pole sampled in degrees the grid's
// points along the azimuth lie on a ring some 1e-10 of the radius wide,
// which cos(beta) of the rounded right angle may even turn inside out.
constexpr double kRounding = 1e-7;

} // namespace

bool IsZero(const GLPoint &v)
{
    return v.x == 0 && v.y == 0 && v.z == 0;
}

std::vector<GLPoint> GridNormals(const std::vector<GLPoint> &points, uint32_t count1, uint32_t count2)
{
    std::vector<GLPoint> normals(points.size());
    auto at = [&](uint32_t i, uint32_t j) -> const GLPoint & { return points[size_t(i) * count2 + j]; };
    // The difference across (i, j) along one direction, from the finite
    // neighbours among `before` and `after` (the point itself otherwise).
    auto across = [&](const GLPoint &centre, const GLPoint *before, const GLPoint *after) {
        const GLPoint &b = before && Finite(*before) ? *before : centre;
        const GLPoint &a = after && Finite(*after) ? *after : centre;
        return Minus(a, b);
    };
    for (uint32_t i = 0; i < count1; ++i) {
        for (uint32_t j = 0; j < count2; ++j) {
            const GLPoint &p = at(i, j);
            if (!Finite(p))
                continue;
            const GLPoint along1 = across(p, i > 0 ? &at(i - 1, j) : nullptr,
                                          i + 1 < count1 ? &at(i + 1, j) : nullptr);
            const GLPoint along2 = across(p, j > 0 ? &at(i, j - 1) : nullptr,
                                          j + 1 < count2 ? &at(i, j + 1) : nullptr);
            const double length1 = Length(along1), length2 = Length(along2);
            if (!(length1 > kRounding * length2) || !(length2 > kRounding * length1))
                continue;
            normals[size_t(i) * count2 + j] = Unit(Cross(along1, along2));
        }
    }
    return normals;
}

GLPoint FaceNormal(const GLPoint (&c)[4])
{
    return Unit(Cross(Minus(c[2], c[0]), Minus(c[3], c[1])));
}
