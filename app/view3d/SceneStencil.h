// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <GL/gl.h>

// What a frame leaves in the stencil buffer, so that the function shown at
// a pixel can be read back without drawing anything again: the low seven
// bits name the function (its handle + 1; 0 for paper, furniture and the
// trace cursor), the high bit is set where the depth is that of a filled
// face pushed back by the polygon offset that keeps outlines in front.
constexpr GLint kStencilOffsetFace = 0x80;
constexpr GLint kStencilTagMask = 0x7F;

inline GLint StencilTag(int32_t handle)
{
    return handle >= 0 && handle < kStencilTagMask ? handle + 1 : 0;
}

inline int32_t HandleOfStencil(GLubyte value)
{
    return (value & kStencilTagMask) - 1;
}
