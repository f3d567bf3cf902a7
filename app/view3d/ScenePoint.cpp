// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/ScenePoint.h"

#include <algorithm>
#include <cmath>

#include "view3d/Camera.h"

PixelNeighbourhood PixelNeighbourhood::Read(int x, int y, int width, int height)
{
    PixelNeighbourhood p;
    const int x0 = std::max(0, x - 1), y0 = std::max(0, y - 1);
    const int x1 = std::min(width - 1, x + 1), y1 = std::min(height - 1, y + 1);
    if (x0 > x1 || y0 > y1)
        return p;
    GLfloat depths[9];
    GLubyte marks[9];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, y0, x1 - x0 + 1, y1 - y0 + 1, GL_DEPTH_COMPONENT, GL_FLOAT, depths);
    glReadPixels(x0, y0, x1 - x0 + 1, y1 - y0 + 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, marks);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int row = y0; row <= y1; ++row) {
        for (int column = x0; column <= x1; ++column) {
            const int from = (row - y0) * (x1 - x0 + 1) + (column - x0), to = Index(column - x, row - y);
            p.depth_[to] = depths[from];
            p.mark_[to] = marks[from];
            p.present_[to] = true;
        }
    }
    GLint bits = 24;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    p.unit_ = 1.0 / double(uint32_t(1) << std::clamp(int(bits), 8, 31));
    return p;
}

// Depth change per pixel along (dx, dy): central where both neighbours show
// the same face, one-sided where one does.
double PixelNeighbourhood::Slope(int dx, int dy) const
{
    const int centre = Index(0, 0), before = Index(-dx, -dy), after = Index(dx, dy);
    const bool hasBefore = present_[before] && mark_[before] == mark_[centre];
    const bool hasAfter = present_[after] && mark_[after] == mark_[centre];
    if (hasBefore && hasAfter)
        return (depth_[after] - depth_[before]) / 2;
    if (hasAfter)
        return depth_[after] - depth_[centre];
    if (hasBefore)
        return depth_[centre] - depth_[before];
    return 0;
}

double PixelNeighbourhood::PolygonOffset() const
{
    return std::max(std::fabs(Slope(1, 0)), std::fabs(Slope(0, 1))) + unit_;
}

double PixelSizeAt(const Camera &camera, double fieldOfView, int height, double x, double y, double z)
{
    const Direction d = LineOfSight(camera);
    const double along = (x - camera.posX) * d.x + (y - camera.posY) * d.y + (z - camera.posZ) * d.z;
    const double half = fieldOfView * M_PI / 360;
    return height > 0 ? 2 * std::fabs(along) * std::tan(half) / height : 0;
}
