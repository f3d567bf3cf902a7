// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

// A 24-bit picture laid out as bitmap files and OpenGL's read-back keep it:
// rows bottom-up, each pixel blue, green, red, each row padded to a multiple
// of 4 bytes.
struct BitmapPixels {
    int width = 0, height = 0;
    QByteArray rows;   // Stride() * height bytes

    int Stride() const { return (3 * width + 3) & ~3; }
    qsizetype ImageSize() const { return qsizetype(Stride()) * height; }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The 40-byte info header that describes the pixels (uncompressed, 24 bits,
// positive height for bottom-up rows).
QByteArray BitmapInfoHeader(const BitmapPixels &pixels);

// A whole .bmp file: the 14-byte file header, the info header, the pixels.
QByteArray BitmapFileBytes(const BitmapPixels &pixels);

// The same picture top row first, for painting and for the clipboard.
QImage ToImage(const BitmapPixels &pixels);
