#pragma once

#include <QtGlobal>

// Where a rendered picture goes, a strip of rows at a time, so that neither
// the renderer nor the file needs the whole picture in memory.
class PictureRows {
public:
    // How the rows are laid out: red, green, blue (or blue, green, red) per
    // pixel, each row padded to `alignment` bytes, top row first or bottom
    // row first.
    struct Layout {
        bool bgr = false;
        int alignment = 1;
        bool topDown = true;

        int Stride(int width) const { return (3 * width + alignment - 1) / alignment * alignment; }
    };

    virtual ~PictureRows() = default;
    virtual Layout RowLayout() const = 0;
    // Called once, before any row.
    virtual bool Begin(int width, int height) = 0;
    // The next `count` rows in the layout's order: row k starts at
    // first + k * stride (stride may be negative).
    virtual bool Rows(const uchar *first, int count, qsizetype stride) = 0;
    // After the last row.
    virtual bool End() = 0;
};
