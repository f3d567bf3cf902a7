// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class OutlineFont;
struct Camera;

// Draws an 8-bit text (at most 255 characters) at a GL point, scaled, in
// the plane that faces a camera whose rotation lives on the projection.
void DrawText3D(const OutlineFont &font, const Camera &camera, const std::string &text,
                double x, double y, double z, double scale);
