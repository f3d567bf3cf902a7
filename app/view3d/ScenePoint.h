// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <GL/gl.h>

struct Camera;

// A point of a drawn function, read back from a frame: the function's
// handle, the point in the user's coordinates, and how far apart two
// points one pixel apart lie there (what the mouse can tell).
struct ScenePoint {
    int32_t handle = -1;
    double x = 0, y = 0, z = 0;
    double pixelSize = 0;
};

// Depth and stencil of a pixel and its eight neighbours (as far as they lie
// in the frame), read back from the bound framebuffer.
class PixelNeighbourhood {
public:
    // (x, y) in GL window coordinates of a width x height frame.
    static PixelNeighbourhood Read(int x, int y, int width, int height);

    double Depth() const { return depth_[Index(0, 0)]; }
    GLubyte Mark() const { return mark_[Index(0, 0)]; }
    // How far the polygon offset of filled faces (factor 1, units 1) pushed
    // the centre's depth back: its depth slope, taken from its neighbours of
    // the same mark (the same face shares the push), plus one unit of the
    // depth buffer.
    double PolygonOffset() const;

private:
    static int Index(int dx, int dy) { return (dy + 1) * 3 + dx + 1; }
    double Slope(int dx, int dy) const;

    double depth_[9] = {};
    GLubyte mark_[9] = {};
    bool present_[9] = {};
    double unit_ = 0;
};

// Distance between points one pixel apart at GL point (x, y, z), seen by
// `camera` with a vertical field of view `fieldOfView` (degrees) over
// `height` pixels.
double PixelSizeAt(const Camera &camera, double fieldOfView, int height, double x, double y, double z);
