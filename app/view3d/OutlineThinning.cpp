// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/OutlineThinning.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

uint8_t GridLineLevel(uint32_t index)
{
    if (index == 0)
        return 32;
    uint8_t level = 0;
    while ((index & 1u) == 0) {
        index >>= 1;
        ++level;
    }
    return level;
}

GridLine CellEdgeLine(uint32_t i, uint32_t j, int edge)
{
    switch (edge) {
    case 0: return {LinesOfConstantJ, j};
    case 1: return {LinesOfConstantI, i + 1};
    case 2: return {LinesOfConstantJ, j + 1};
    default: return {LinesOfConstantI, i};
    }
}

namespace {

// Up to `lines` indices spread evenly over 0 .. count - 1, both ends included.
std::vector<uint32_t> Spread(uint32_t count, uint32_t lines)
{
    std::vector<uint32_t> picked;
    if (count == 0)
        return picked;
    const uint32_t n = std::min(count, lines);
    for (uint32_t k = 0; k < n; ++k) {
        const uint32_t index = n == 1 ? 0 : uint32_t(std::llround(double(k) * (count - 1) / (n - 1)));
        if (picked.empty() || picked.back() != index)
            picked.push_back(index);
    }
    return picked;
}

double Median(std::vector<double> &values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

uint8_t Shift(std::vector<double> &spacings, double wanted)
{
    if (spacings.empty())
        return 0;
    const double typical = Median(spacings);
    uint8_t shift = 0;
    // The cap keeps a surface seen edge on (spacing near 0) to line 0 alone.
    for (double spacing = typical; spacing < wanted && shift < 32; spacing *= 2)
        ++shift;
    return shift;
}

} // namespace

GridProbe MakeGridProbe(const std::vector<GLPoint> &points, uint32_t count1, uint32_t count2, double cubeDimension)
{
    GridProbe probe;
    if (points.size() != size_t(count1) * count2)
        return probe;
    probe.rows = Spread(count1, kProbeLines);
    probe.columns = Spread(count2, kProbeLines);
    for (const uint32_t i : probe.rows) {
        for (const uint32_t j : probe.columns) {
            const GLPoint &p = points[size_t(i) * count2 + j];
            probe.points.push_back(p);
            probe.usable.push_back(InsideCube(cubeDimension, p));
        }
    }
    return probe;
}

OutlineSpacing ChooseOutlineSpacing(const GridProbe &probe, const ScreenProjection &project, double lineWidth)
{
    OutlineSpacing spacing;
    if (probe.IsEmpty() || !project)
        return spacing;
    const size_t columns = probe.columns.size();
    std::vector<double> x(probe.points.size()), y(probe.points.size());
    std::vector<bool> seen(probe.points.size());
    for (size_t k = 0; k < probe.points.size(); ++k)
        seen[k] = probe.usable[k] && project(probe.points[k], &x[k], &y[k]);
    // Neighbours on the lattice, a number of grid steps apart: the distance
    // between them over those steps is that between neighbouring lines.
    auto spacings = [&](size_t from, size_t to, uint32_t steps, std::vector<double> &into) {
        if (seen[from] && seen[to] && steps > 0)
            into.push_back(std::hypot(x[to] - x[from], y[to] - y[from]) / steps);
    };
    std::vector<double> betweenI, betweenJ;
    for (size_t a = 0; a < probe.rows.size(); ++a) {
        for (size_t b = 0; b < columns; ++b) {
            const size_t k = a * columns + b;
            if (a + 1 < probe.rows.size())
                spacings(k, k + columns, probe.rows[a + 1] - probe.rows[a], betweenI);
            if (b + 1 < columns)
                spacings(k, k + 1, probe.columns[b + 1] - probe.columns[b], betweenJ);
        }
    }
    const double wanted = kOutlineSpacingInLineWidths * std::max(1.0, lineWidth);
    spacing.shift[LinesOfConstantI] = Shift(betweenI, wanted);
    spacing.shift[LinesOfConstantJ] = Shift(betweenJ, wanted);
    return spacing;
}
