// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>

class OffscreenRenderer;
struct BitmapPixels;
struct SceneState;

// Whether a file suffix (any case) names a picture format the scene can be
// written in: png, jpg, jpeg or bmp.
bool IsPictureSuffix(const QString &suffix);

// Writes the picture to `path` in the format its suffix names: a .bmp holds
// the very bytes File > Export > BMP writes, the other formats go through
// Qt's image writers.  Through a temporary file; on failure `error` names
// the file and the reason.
bool WritePictureFile(const QString &path, const BitmapPixels &pixels, QString *error);

// Told the rows written so far of a picture `rows` high.
using PictureProgress = std::function<void(int rowsDone, int rows)>;

// Renders `scene` at width x height pixels straight into the file `path`
// (a .png or .bmp streams its rows as they are drawn, and tells `progress`
// of them; the other formats go through Qt's writers).  On failure `error`
// says why, for the user.
bool WriteRenderedPicture(const QString &path, OffscreenRenderer &renderer, const SceneState &scene, int width,
                          int height, QString *error, const PictureProgress &progress = {});
