// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/FurnitureGeometry.h"

#include <algorithm>
#include <cmath>

#include "model/FormatGeneral.h"
#include "model/ViewSettings.h"
#include "view3d/Camera.h"

namespace {

LineSegment Line(double x0, double y0, double z0, double x1, double y1, double z1)
{
    return {{x0, y0, z0}, {x1, y1, z1}};
}

// A tick at position p along one of the three marked edges, length t,
// running diagonally away from the cube.
LineSegment Tick(int edge, double h, double p, double t)
{
    switch (edge) {
    case 0: return Line(p, -h, h, p, -h - t, h + t);   // along the user's x
    case 1: return Line(h, -h, p, h + t, -h - t, p);   // along the user's y
    default: return Line(h, p, -h, h + t, p, -h - t);  // along the user's z
    }
}

} // namespace

double TextWidth(const GlyphMetricsTable &metrics, const std::string &text)
{
    double w = 0;
    for (unsigned char c : text)
        w += metrics[c].blackBoxX;
    return w;
}

std::vector<LineSegment> CubeEdges(double cubeDimension)
{
    const double h = cubeDimension / 2;
    std::vector<LineSegment> out;
    for (double z : {-h, h}) {
        out.push_back(Line(-h, -h, z, h, -h, z));
        out.push_back(Line(h, -h, z, h, h, z));
        out.push_back(Line(h, h, z, -h, h, z));
        out.push_back(Line(-h, h, z, -h, -h, z));
    }
    for (auto [x, y] : {std::pair{-h, -h}, {h, -h}, {h, h}, {-h, h}})
        out.push_back(Line(x, y, -h, x, y, h));
    return out;
}

std::vector<LineSegment> ReferenceTicks(double cubeDimension)
{
    const double h = cubeDimension / 2;
    std::vector<LineSegment> out;
    for (int edge = 0; edge < 3; ++edge) {
        for (double p : {-h, h, 0.0, -h / 2, h / 2})
            out.push_back(Tick(edge, h, p, h / 10));
        for (double p : {-h / 4, h / 4, -3 * h / 4, 3 * h / 4})
            out.push_back(Tick(edge, h, p, h / 20));
    }
    return out;
}

std::vector<LineSegment> AxisLines(double cubeDimension)
{
    const double h = cubeDimension / 2;
    return {Line(-h, 0, 0, h, 0, 0), Line(0, -h, 0, 0, h, 0), Line(0, 0, -h, 0, 0, h)};
}

std::array<std::string, 3> ReferenceMarkLabels(double cubeDimension)
{
    const double h = cubeDimension / 2;
    return {FormatGeneral(-h, 4).toStdString(), FormatGeneral(h, 4).toStdString(), "0"};
}

std::vector<PlacedText> ReferenceMarkTexts(const ViewSettings &s, const GlyphMetricsTable &metrics)
{
    const double h = s.cubeDimension / 2;
    const double scale = 0.05 * s.cubeDimension;
    const double H = scale * metrics['('].blackBoxY;
    const double g = h / 10;
    const auto labels = ReferenceMarkLabels(s.cubeDimension);
    std::vector<PlacedText> out;
    for (int k = 0; k < 2; ++k) {
        const double v = k == 0 ? -h : h;
        const std::string &text = labels[size_t(k)];
        const double W = scale * TextWidth(metrics, text);
        out.push_back({text, {v - W / 2, -h - g - H, h + g}, scale});
        out.push_back({text, {h + g, -h - g - H, v}, scale});
        out.push_back({text, {h + g, v - H / 2, -h - g}, scale});
    }
    const std::string &zero = labels[2];
    const double W0 = scale * metrics['0'].blackBoxX;
    const double H0 = scale * metrics['0'].blackBoxY;
    out.push_back({zero, {-W0 / 2, -h - g - H0, h + g}, scale});
    out.push_back({zero, {h + g, -h - g - H0, 0}, scale});
    out.push_back({zero, {h + g, -H0 / 2, -h - g}, scale});
    return out;
}

std::vector<PlacedText> AxisTexts(const ViewSettings &s, const GlyphMetricsTable &metrics)
{
    const double h = s.cubeDimension / 2;
    const double scale = 0.1 * s.cubeDimension;
    const double d = h + 0.05 * s.cubeDimension;
    // The offsets use the width in em, not scaled: the labels sit a little
    // off the axis ends, as they always have.
    return {
        {s.axisLabelX, {d, 0, TextWidth(metrics, s.axisLabelX) / 2}, scale},
        {s.axisLabelZ, {-TextWidth(metrics, s.axisLabelZ) / 2, d, 0}, scale},
        {s.axisLabelY, {-TextWidth(metrics, s.axisLabelY) / 2, 0, d}, scale},
    };
}

namespace {

// The box of a text's glyphs from its pen, in em, y up.
ScreenRect EmBox(const GlyphMetricsTable &metrics, const std::string &text)
{
    ScreenRect box{0, 0, 0, 0};
    double pen = 0;
    bool first = true;
    for (const unsigned char c : text) {
        const GlyphMetrics &g = metrics[c];
        const double top = g.originY, bottom = g.originY - g.blackBoxY;
        const double left = pen + g.originX, right = left + g.blackBoxX;
        if (first) {
            box = {left, bottom, right, top};
            first = false;
        } else {
            box = {std::min(box.x0, left), std::min(box.y0, bottom), std::max(box.x1, right), std::max(box.y1, top)};
        }
        pen += g.cellIncX;
    }
    return box;
}

} // namespace

std::vector<ScreenRect> FurnitureTextRects(const ViewSettings &s, const GlyphMetricsTable &metrics,
                                           const Camera &camera, const ScreenProjection &project)
{
    std::vector<PlacedText> texts;
    if (s.showCube && s.showReferenceMarks)
        texts = ReferenceMarkTexts(s, metrics);
    if (s.showAxes)
        for (PlacedText &t : AxisTexts(s, metrics))
            texts.push_back(std::move(t));
    // The texts face the camera: their x runs along its right, their y
    // along its up (the camera turns by -yaw about Y, then -pitch about X).
    const double yaw = camera.yaw * kDegree, pitch = camera.pitch * kDegree;
    const GLPoint right{std::cos(yaw), 0, -std::sin(yaw)};
    const GLPoint up{std::sin(pitch) * std::sin(yaw), std::cos(pitch), std::sin(pitch) * std::cos(yaw)};
    std::vector<ScreenRect> rects;
    for (const PlacedText &t : texts) {
        if (t.text.empty())
            continue;
        const ScreenRect em = EmBox(metrics, t.text);
        ScreenRect r;
        bool seen = true, first = true;
        for (const double ex : {em.x0, em.x1}) {
            for (const double ey : {em.y0, em.y1}) {
                const GLPoint p{t.at.x + t.scale * (ex * right.x + ey * up.x), t.at.y + t.scale * (ex * right.y + ey * up.y),
                                t.at.z + t.scale * (ex * right.z + ey * up.z)};
                double x = 0, y = 0;
                seen = seen && project(p, &x, &y);
                r = first ? ScreenRect{x, y, x, y}
                          : ScreenRect{std::min(r.x0, x), std::min(r.y0, y), std::max(r.x1, x), std::max(r.y1, y)};
                first = false;
            }
        }
        if (seen)
            rects.push_back(r);
    }
    return rects;
}
