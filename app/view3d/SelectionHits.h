// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <GL/gl.h>

// The name of the nearest hit in a selection buffer (records of: name count,
// minimum depth, maximum depth, names), or -1 when `hits` is below 1 (none,
// or the buffer overflowed).  Depths compare as single-precision fractions
// of 2^31, so the earliest of hits that close count as equally near wins.
int32_t NearestHit(GLint hits, const GLuint *buffer, int bufferWords);
