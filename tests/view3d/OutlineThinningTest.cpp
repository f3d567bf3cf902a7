// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which grid lines carry outlines: levels, cell edges, and the spacing a
// picture asks for.
#include <gtest/gtest.h>

#include "view3d/OutlineThinning.h"

namespace {

// A flat grid of count1 x count2 samples, `step1` and `step2` apart, seen
// from straight above at `scale` pixels per unit.
struct FlatGrid {
    uint32_t count1, count2;
    double step1, step2;
    double cube = 1e9;

    GridProbe Probe() const
    {
        std::vector<GLPoint> points;
        for (uint32_t i = 0; i < count1; ++i)
            for (uint32_t j = 0; j < count2; ++j)
                points.push_back({i * step1, 0, j * step2});
        return MakeGridProbe(points, count1, count2, cube);
    }
};

ScreenProjection FromAbove(double scale)
{
    return [scale](const GLPoint &p, double *x, double *y) {
        *x = p.x * scale;
        *y = p.z * scale;
        return true;
    };
}

} // namespace

TEST(OutlineThinning, LinesKeptAtACoarserSpacingAreKeptAtEveryFinerOne)
{
    EXPECT_EQ(GridLineLevel(1), 0);
    EXPECT_EQ(GridLineLevel(12), 2);
    EXPECT_EQ(GridLineLevel(1024), 10);
    EXPECT_EQ(GridLineLevel(0), 32) << "line 0 at every spacing";
    for (uint8_t shift = 0; shift < 6; ++shift) {
        OutlineSpacing coarse, fine;
        coarse.shift[LinesOfConstantJ] = uint8_t(shift + 1);
        fine.shift[LinesOfConstantJ] = shift;
        for (uint32_t n = 0; n < 300; ++n) {
            EXPECT_EQ(fine.DrawsLine(LinesOfConstantJ, n), n % (1u << shift) == 0) << n;
            EXPECT_TRUE(!coarse.DrawsLine(LinesOfConstantJ, n) || fine.DrawsLine(LinesOfConstantJ, n)) << n;
            EXPECT_TRUE(fine.DrawsLine(LinesOfConstantI, n)) << "the other family keeps every line";
        }
    }
    EXPECT_TRUE(OutlineClass().DrawnAt(OutlineSpacing{{30, 30}})) << "what is not an outline is always drawn";
}

TEST(OutlineThinning, CellEdgesLieOnTheirGridLines)
{
    // P0 P1 runs along i at j, P1 P2 along j at i + 1, and so on round.
    const GridLine expected[4] = {{LinesOfConstantJ, 5}, {LinesOfConstantI, 4}, {LinesOfConstantJ, 6}, {LinesOfConstantI, 3}};
    for (int e = 0; e < 4; ++e) {
        EXPECT_EQ(CellEdgeLine(3, 5, e).family, expected[e].family) << e;
        EXPECT_EQ(CellEdgeLine(3, 5, e).index, expected[e].index) << e;
    }
}

TEST(OutlineThinning, SpacingFollowsTheDistanceOfLinesOnThePicture)
{
    // 400 x 100 samples: the lattice keeps both ends and 17 lines at most.
    const FlatGrid grid{400, 100, 1, 1};
    const GridProbe probe = grid.Probe();
    EXPECT_EQ(probe.rows.size(), kProbeLines);
    EXPECT_EQ(probe.rows.front(), 0u);
    EXPECT_EQ(probe.rows.back(), 399u);
    EXPECT_EQ(probe.columns.back(), 99u);

    // Lines 20 pixels apart keep every line: the designed outlines.
    EXPECT_TRUE(ChooseOutlineSpacing(probe, FromAbove(20), 1).IsEveryLine());
    EXPECT_TRUE(ChooseOutlineSpacing(probe, FromAbove(kOutlineSpacingInLineWidths), 1).IsEveryLine());
    // 2 pixels apart: every fourth line, 8 pixels apart.
    OutlineSpacing s = ChooseOutlineSpacing(probe, FromAbove(2), 1);
    EXPECT_EQ(s.shift[LinesOfConstantI], 2);
    EXPECT_EQ(s.shift[LinesOfConstantJ], 2);
    // Wider lines keep their neighbours as many widths away.
    s = ChooseOutlineSpacing(probe, FromAbove(2), 2);
    EXPECT_EQ(s.shift[LinesOfConstantI], 3);

    // The families are spaced each on its own: steps of 10 along j.
    s = ChooseOutlineSpacing(FlatGrid{400, 100, 1, 10}.Probe(), FromAbove(2), 1);
    EXPECT_EQ(s.shift[LinesOfConstantI], 2);
    EXPECT_EQ(s.shift[LinesOfConstantJ], 0);
}

TEST(OutlineThinning, NothingToJudgeKeepsEveryLine)
{
    // Every sample outside the cube, or behind the eye, or a curve.
    FlatGrid outside{400, 400, 1, 1};
    outside.cube = 0.5;
    EXPECT_TRUE(ChooseOutlineSpacing(outside.Probe(), FromAbove(0.1), 1).IsEveryLine());
    const ScreenProjection behind = [](const GLPoint &, double *, double *) { return false; };
    EXPECT_TRUE(ChooseOutlineSpacing(FlatGrid{400, 400, 1, 1}.Probe(), behind, 1).IsEveryLine());
    EXPECT_TRUE(ChooseOutlineSpacing(GridProbe(), FromAbove(0.1), 1).IsEveryLine());
    // Seen edge on (no distance between lines): line 0 only, not a hang.
    const OutlineSpacing flat = ChooseOutlineSpacing(FlatGrid{400, 400, 1, 1}.Probe(), FromAbove(0), 1);
    EXPECT_FALSE(flat.DrawsLine(LinesOfConstantI, 1u << 31));
    EXPECT_TRUE(flat.DrawsLine(LinesOfConstantI, 0));
}
