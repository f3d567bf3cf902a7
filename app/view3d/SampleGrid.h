#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QString>

#include "model/GridSize.h"   // kMaxGridPoints
#include "view3d/SampleMapping.h"

// Function values over the grid of a function's two plotted variables.
struct SampleGridResult {
    enum Status {
        Ok,
        BadSteps,    // a plotted variable has steps <= 0
        TooLarge,    // more sample points than a grid may hold
    };
    Status status = Ok;
    QString problem;             // for the user when status != Ok

    DependentKind kind = NoKind;
    int angleMode = 1;
    // count1 rows of count2 values: the function's, or for curves and
    // surfaces that give their points, the height z of each point.
    std::vector<double> grid;
    // The points of curves and surfaces that give them, in GL coordinates,
    // in the order of `grid`; empty for every other kind.
    std::vector<GLPoint> points;
    uint32_t count1 = 1, count2 = 1;
    int32_t index1 = -1, index2 = -1;   // table index, -1 when absent
    double start1 = 0, start2 = 0;
    double step1 = 0, step2 = 0;

    double At(uint32_t i, uint32_t j) const { return grid[size_t(i) * count2 + j]; }
    // The sample (i, j) in GL coordinates.
    GLPoint Point(uint32_t i, uint32_t j, double angleFactor) const
    {
        return points.empty() ? MapSample(kind, angleFactor, U(i), W(j), At(i, j)) : points[size_t(i) * count2 + j];
    }
    double U(uint32_t i) const { return i * step1 + start1; }
    double W(uint32_t j) const { return j * step2 + start2; }
    bool Usable() const { return status == Ok; }
};

// Samples the function `handle` whose definition is `text`; the other
// variables keep their current values, and the plotted ones have theirs
// again afterwards.  A grid that cannot be made (steps
// <= 0, too many points, no memory) is returned empty with a status and a
// message naming `label`.
SampleGridResult SampleGrid(const std::string &text, int32_t handle, const std::string &label = {});
