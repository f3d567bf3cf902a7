// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/SurfaceNormals.h"

#include <algorithm>
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

// The largest extent of the finite points along any axis.
double Extent(const std::vector<GLPoint> &points)
{
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool first = true;
    for (const GLPoint &p : points) {
        if (!Finite(p))
            continue;
        const double c[3] = {p.x, p.y, p.z};
        for (int k = 0; k < 3; ++k) {
            low[k] = first ? c[k] : std::min(low[k], c[k]);
            high[k] = first ? c[k] : std::max(high[k], c[k]);
        }
        first = false;
    }
    return std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
}

// Below this share of the other direction's difference, a difference is
// rounding, not a direction: at a sphere's pole sampled in degrees the grid's
// points along the azimuth lie on a ring some 1e-10 of the radius wide,
// which cos(beta) of the rounded right angle may even turn inside out.
constexpr double kRounding = 1e-7;

} // namespace

bool RowsMeet(const std::vector<GLPoint> &points, uint32_t count, uint32_t length, size_t step, size_t stride)
{
    if (count < 3 || length == 0)
        return false;
    const double tolerance = 1e-6 * Extent(points);
    const size_t last = size_t(count - 1) * step;
    for (size_t k = 0; k < length; ++k) {
        const GLPoint &a = points[k * stride], &b = points[last + k * stride];
        if (!Finite(a) || !Finite(b) || !(std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance && std::abs(a.z - b.z) <= tolerance))
            return false;
    }
    return true;
}

bool IsZero(const GLPoint &v)
{
    return v.x == 0 && v.y == 0 && v.z == 0;
}

std::vector<GLPoint> GridNormals(const std::vector<GLPoint> &points, uint32_t count1, uint32_t count2)
{
    std::vector<GLPoint> normals(points.size());
    auto at = [&](uint32_t i, uint32_t j) -> const GLPoint & { return points[size_t(i) * count2 + j]; };
    // Across a seam the row before the first is the one before the last.
    const bool closed1 = RowsMeet(points, count1, count2, count2, 1);
    const bool closed2 = RowsMeet(points, count2, count1, 1, count2);
    auto before = [](uint32_t k, uint32_t count, bool closed) -> int64_t {
        return k > 0 ? int64_t(k) - 1 : closed ? int64_t(count) - 2
                                               : -1;
    };
    auto after = [](uint32_t k, uint32_t count, bool closed) -> int64_t {
        return k + 1 < count ? int64_t(k) + 1 : closed ? 1
                                                       : -1;
    };
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
            const int64_t i0 = before(i, count1, closed1), i1 = after(i, count1, closed1);
            const int64_t j0 = before(j, count2, closed2), j1 = after(j, count2, closed2);
            const GLPoint along1 = across(p, i0 >= 0 ? &at(uint32_t(i0), j) : nullptr,
                                          i1 >= 0 ? &at(uint32_t(i1), j) : nullptr);
            const GLPoint along2 = across(p, j0 >= 0 ? &at(i, uint32_t(j0)) : nullptr,
                                          j1 >= 0 ? &at(i, uint32_t(j1)) : nullptr);
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
