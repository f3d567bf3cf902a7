// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/FigureProjection.h"

#include <cmath>

#include "model/ViewSettings.h"

FigureProjection::FigureProjection(const Camera &camera, const ViewSettings &s, int width, int height)
    : eye_{camera.posX, camera.posY, camera.posZ}, near_(s.nearPlane), far_(s.farPlane), width_(width),
      height_(height)
{
    // The renderer turns the world by -yaw about Y, then by -pitch about X
    // (glRotated takes degrees).
    const double yaw = -camera.yaw * M_PI / 180, pitch = -camera.pitch * M_PI / 180;
    const double cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    const double ry[3][3] = {{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}};
    const double rx[3][3] = {{1, 0, 0}, {0, cp, -sp}, {0, sp, cp}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            rotation_[r][c] = rx[r][0] * ry[0][c] + rx[r][1] * ry[1][c] + rx[r][2] * ry[2][c];
    // gluPerspective: y/depth of 1 at the top edge is cot(fov/2) in
    // normalised units, half the height in pixels; x uses the same scale
    // because the aspect is the figure's.
    focal_ = height / 2.0 / std::tan(s.fieldOfView * M_PI / 360);
}

EyePoint FigureProjection::ToEye(const GLPoint &p) const
{
    const double v[3] = {p.x - eye_.x, p.y - eye_.y, p.z - eye_.z};
    EyePoint e;
    e.x = rotation_[0][0] * v[0] + rotation_[0][1] * v[1] + rotation_[0][2] * v[2];
    e.y = rotation_[1][0] * v[0] + rotation_[1][1] * v[1] + rotation_[1][2] * v[2];
    e.z = rotation_[2][0] * v[0] + rotation_[2][1] * v[1] + rotation_[2][2] * v[2];
    return e;
}

FigurePoint FigureProjection::ToFigure(const EyePoint &p) const
{
    const double k = focal_ / -p.z;
    return {width_ / 2.0 + k * p.x, height_ / 2.0 - k * p.y};
}

EyePoint FigureProjection::AtDepth(FigurePoint f, double depth) const
{
    return {(f.x - width_ / 2.0) * depth / focal_, (height_ / 2.0 - f.y) * depth / focal_, -depth};
}
