// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include "view3d/SampleMapping.h"
#include "view3d/ScreenProjection.h"

// Which grid lines of a surface carry the outlines of its cells.
//
// The filled and gradient modes outline every cell (in color2, or in the
// background color).  Drawn one pixel wide on every grid line, the outlines
// of a fine grid cover its faces: at 150 steps a gradient surface is a dark
// moire, at 1000 it is gone.  So while the cells are large on the picture
// every grid line is outlined as designed; as they shrink, only every
// second, fourth, eighth... line of a family is, so that outlined lines stay
// a few line widths apart.  The lines kept at one spacing are kept at every
// finer one: a line's level (how often its index halves) says down to which
// spacing it stays.

// The two families of grid lines: those of constant i (running along the
// second plotted variable, one step of the first apart) and those of
// constant j.
enum GridLineFamily : uint8_t {
    LinesOfConstantI = 0,
    LinesOfConstantJ = 1
};

// The number of times two divides `index`; line 0 stays at every spacing.
uint8_t GridLineLevel(uint32_t index);

// The lines outlined in each family: every (2^shift)-th, counted from 0.
struct OutlineSpacing {
    uint8_t shift[2] = {0, 0};

    bool Draws(GridLineFamily family, uint8_t level) const { return level >= shift[family]; }
    bool DrawsLine(GridLineFamily family, uint32_t index) const { return Draws(family, GridLineLevel(index)); }
    bool IsEveryLine() const { return shift[0] == 0 && shift[1] == 0; }
};

// The grid line that edge `edge` (P0 P1, P1 P2, P2 P3, P3 P0) of cell (i, j)
// lies on.
struct GridLine {
    GridLineFamily family = LinesOfConstantI;
    uint32_t index = 0;
};
GridLine CellEdgeLine(uint32_t i, uint32_t j, int edge);

// What a batch of outlines holds: the lines of one family at one level; or,
// with no family, something drawn at every spacing.
struct OutlineClass {
    int8_t family = -1;
    uint8_t level = 0;

    bool DrawnAt(const OutlineSpacing &spacing) const
    {
        return family < 0 || spacing.Draws(GridLineFamily(family), level);
    }
    bool operator==(const OutlineClass &o) const { return family == o.family && level == o.level; }
    bool operator!=(const OutlineClass &o) const { return !(*this == o); }
};

// A coarse lattice of a surface's samples in GL coordinates: enough to tell
// how far apart its grid lines lie on a picture without the whole grid.
struct GridProbe {
    std::vector<uint32_t> rows, columns;   // grid indices i and j of the lattice
    std::vector<bool> usable;              // per lattice point: inside the cube
    std::vector<GLPoint> points;           // rows x columns, row by row

    bool IsEmpty() const { return rows.size() < 2 && columns.size() < 2; }
};

// The lattice of a grid of count1 x count2 mapped samples (row by row, as
// the tessellator maps them), at most kProbeLines lines each way.
constexpr uint32_t kProbeLines = 17;
GridProbe MakeGridProbe(const std::vector<GLPoint> &points, uint32_t count1, uint32_t count2, double cubeDimension);

// Outlined lines stay at least this many line widths apart.
constexpr double kOutlineSpacingInLineWidths = 6.0;

// The spacing for a surface seen through `project`, with lines `lineWidth`
// pixels wide: in each family the fewest halvings that bring the outlined
// lines at least kOutlineSpacingInLineWidths line widths apart, judged by
// the typical (median) distance of neighbouring lines on the picture.
// Every line when nothing can be judged.
OutlineSpacing ChooseOutlineSpacing(const GridProbe &probe, const ScreenProjection &project, double lineWidth);
