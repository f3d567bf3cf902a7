// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>
#include <vector>

#include "view3d/SampleMapping.h"
#include "view3d/GlyphOutlines.h"
#include "view3d/ScreenProjection.h"

struct Camera;
struct ViewSettings;

// The cube, its reference marks and the axes as plain geometry in GL
// coordinates (user x, z, y), in the order the view draws them.  No OpenGL:
// the view draws these, the exporters write them.

struct LineSegment {
    GLPoint a, b;
};

// A text of the scene: drawn at `at`, one em = `scale`, facing the camera.
struct PlacedText {
    std::string text;
    GLPoint at;
    double scale = 1;
};

// The glyphs' metrics, read as they are asked for.
using GlyphMetricsTable = GlyphOutlines;

// Sum of the black-box widths of the text's characters, in em.
double TextWidth(const GlyphMetricsTable &metrics, const std::string &text);

// The twelve edges of the cube of edge `cubeDimension`.
std::vector<LineSegment> CubeEdges(double cubeDimension);
// The 27 tick marks on three edges of the cube.
std::vector<LineSegment> ReferenceTicks(double cubeDimension);
// The three axes through the origin.
std::vector<LineSegment> AxisLines(double cubeDimension);

// Texts of the marks at -h, h and the middle of each marked edge.
std::array<std::string, 3> ReferenceMarkLabels(double cubeDimension);
// The nine numbers at the marks: the three of -h, of h, then of "0".
std::vector<PlacedText> ReferenceMarkTexts(const ViewSettings &settings, const GlyphMetricsTable &metrics);
// The axis labels, in the order x, z, y (empty labels included).
std::vector<PlacedText> AxisTexts(const ViewSettings &settings, const GlyphMetricsTable &metrics);

// Where the texts the settings show (the marks' numbers with the cube and
// its marks, the axis labels with the axes) lie on a picture seen from
// `camera` through `project`: the box of each one's glyphs, which face the
// camera.  Texts behind the eye, and empty ones, have none.
std::vector<ScreenRect> FurnitureTextRects(const ViewSettings &settings, const GlyphMetricsTable &metrics,
                                           const Camera &camera, const ScreenProjection &project);
