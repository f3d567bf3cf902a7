// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/SelectionHits.h"

int32_t NearestHit(GLint hits, const GLuint *buffer, int bufferWords)
{
    if (hits < 1)
        return -1;
    int32_t nearest = -1;
    float nearestDepth = 0;
    int at = 0;
    for (GLint h = 0; h < hits && at + 3 <= bufferWords; ++h) {
        const GLuint names = buffer[at];
        const float depth = float(buffer[at + 1] / 2147483648.0);
        if (names > 0 && at + 3 < bufferWords && (nearest == -1 || depth < nearestDepth)) {
            nearest = int32_t(buffer[at + 3]);
            nearestDepth = depth;
        }
        at += 3 + int(names);
    }
    return nearest;
}
