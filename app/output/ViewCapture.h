// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "output/BitmapPixels.h"

class QMimeData;
class GLView;

// Reads back the frame the view shows, without drawing anew: its client
// width in device pixels rounded down to a multiple of 4 (so that rows need
// no padding) by its client height.  False when the view has no context.
bool CaptureView(GLView &view, BitmapPixels &out);

// Clipboard contents for a picture: the bytes of the .bmp file as
// image/bmp, and the image itself so that Qt offers PNG and the other
// formats programs paste.
QMimeData *BitmapMimeData(const BitmapPixels &pixels);
