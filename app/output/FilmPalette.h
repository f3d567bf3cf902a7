// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

struct BitmapPixels;

// One palette of at most 256 colours for a whole film, so that a colour
// stays the same from frame to frame (GIF).  Colours are counted over every
// frame, then the boxes of the colour cube that hold the most pixels over
// the widest range are cut in two at their median until there are 256
// (median cut); each palette colour is the mean of its box.  A film of at
// most 256 colours keeps them exactly.
class FilmPalette {
public:
    FilmPalette();

    // Counts the colours of a frame.
    void Add(const BitmapPixels &frame);
    // Makes the palette of what was counted: 0xRRGGBB colours.
    std::vector<uint32_t> Build() const;

private:
    // Every colour is counted exactly as long as there are not too many of
    // them; all are also counted in bins of 6 bits a channel, with the sums
    // of the exact colours that fell in each.
    struct Bin {
        uint64_t count = 0;
        uint64_t red = 0, green = 0, blue = 0;
    };
    std::vector<Bin> bins_;
    std::unordered_map<uint32_t, uint64_t> exact_;
    bool tooMany_ = false;
};

// Turns frames into palette indices: each colour becomes its nearest
// palette colour (no dithering: flat colours stay flat).
class PaletteMapper {
public:
    explicit PaletteMapper(std::vector<uint32_t> palette);

    // Indices of the frame's pixels, top row first, `lineSize` bytes a row.
    void Map(const BitmapPixels &frame, uint8_t *indices, int lineSize);
    const std::vector<uint32_t> &Palette() const { return palette_; }

private:
    uint8_t Nearest(uint32_t rgb) const;

    std::vector<uint32_t> palette_;
    // Nearest entry of every 24-bit colour met so far.
    std::vector<uint8_t> nearest_;
    std::vector<bool> known_;
};
