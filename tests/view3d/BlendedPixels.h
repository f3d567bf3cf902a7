// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// Pixels between pure red and black: the edges of a red surface on black
// paper blended by multisampling.  A frame without it has none.
inline int CountBlendedRed(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += qGreen(p) == 0 && qBlue(p) == 0 && qRed(p) > 0 && qRed(p) < 255;
        }
    return n;
}
