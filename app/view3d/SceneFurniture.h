// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

struct ViewSettings;
struct Camera;
class OutlineFont;

// The cube, its reference marks and the axes, in immediate mode, from the
// current settings (their geometry is FurnitureGeometry's).  GL
// coordinates: user x, z, y.
void DrawCube(const ViewSettings &settings);
void DrawReferenceMarks(const ViewSettings &settings, const OutlineFont &font, const Camera &camera);
void DrawAxes(const ViewSettings &settings, const OutlineFont &font, const Camera &camera);
