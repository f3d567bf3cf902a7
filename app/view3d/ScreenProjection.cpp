// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/ScreenProjection.h"

#include <algorithm>
#include <vector>

ScreenProjection MatrixProjection(const double (&matrix)[16], int width, int height)
{
    std::vector<double> m(matrix, matrix + 16);
    return [m, width, height](const GLPoint &p, double *x, double *y) {
        const double cx = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
        const double cy = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
        const double cw = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
        if (!(cw > 0))
            return false;
        *x = (cx / cw + 1) * 0.5 * width;
        *y = (cy / cw + 1) * 0.5 * height;
        return true;
    };
}

double ScreenRect::Overlap(const ScreenRect &o) const
{
    const double w = std::min(x1, o.x1) - std::max(x0, o.x0);
    const double h = std::min(y1, o.y1) - std::max(y0, o.y0);
    return w > 0 && h > 0 ? w * h : 0;
}
