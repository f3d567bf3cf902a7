#include "output/FilmPalette.h"

#include <algorithm>

#include "output/BitmapPixels.h"

namespace {

constexpr int kBits = 6;
constexpr int kSide = 1 << kBits;

int BinOf(int r, int g, int b)
{
    return (r >> (8 - kBits)) << (2 * kBits) | (g >> (8 - kBits)) << kBits | (b >> (8 - kBits));
}

// A box of bins: the ranges of its bin coordinates and the bins it holds.
struct Box {
    std::vector<int> bins;
    int lo[3] = {kSide, kSide, kSide}, hi[3] = {-1, -1, -1};
    uint64_t count = 0;
};

int Coordinate(int bin, int axis)
{
    return (bin >> ((2 - axis) * kBits)) & (kSide - 1);
}

} // namespace

FilmPalette::FilmPalette() : bins_(size_t(1) << (3 * kBits)) {}

void FilmPalette::Add(const BitmapPixels &frame)
{
    const auto *data = reinterpret_cast<const uint8_t *>(frame.rows.constData());
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t *p = data + size_t(y) * size_t(frame.Stride());
        for (int x = 0; x < frame.width; ++x, p += 3) {
            Bin &bin = bins_[size_t(BinOf(p[2], p[1], p[0]))];
            ++bin.count;
            bin.red += p[2];
            bin.green += p[1];
            bin.blue += p[0];
        }
    }
}

std::vector<uint32_t> FilmPalette::Build() const
{
    Box all;
    for (int b = 0; b < int(bins_.size()); ++b) {
        if (bins_[size_t(b)].count == 0)
            continue;
        all.bins.push_back(b);
        all.count += bins_[size_t(b)].count;
        for (int axis = 0; axis < 3; ++axis) {
            all.lo[axis] = std::min(all.lo[axis], Coordinate(b, axis));
            all.hi[axis] = std::max(all.hi[axis], Coordinate(b, axis));
        }
    }
    std::vector<Box> boxes;
    if (!all.bins.empty())
        boxes.push_back(std::move(all));
    while (boxes.size() < 256) {
        // The box with the most pixels times its widest range, if it can
        // still be cut.
        int chosen = -1, axis = 0;
        double best = 0;
        for (int k = 0; k < int(boxes.size()); ++k) {
            const Box &box = boxes[size_t(k)];
            for (int a = 0; a < 3; ++a) {
                const double score = double(box.count) * (box.hi[a] - box.lo[a]);
                if (box.bins.size() > 1 && score > best) {
                    best = score;
                    chosen = k;
                    axis = a;
                }
            }
        }
        if (chosen < 0)
            break;
        Box &box = boxes[size_t(chosen)];
        std::sort(box.bins.begin(), box.bins.end(),
                  [axis](int a, int b) { return Coordinate(a, axis) < Coordinate(b, axis); });
        // Cut where half the pixels lie on either side, moved to the nearest
        // place between two different coordinates (there is one: the range
        // along the axis is not empty).
        const size_t n = box.bins.size();
        uint64_t running = 0;
        size_t cut = 0;
        while (cut < n && running * 2 < box.count)
            running += bins_[size_t(box.bins[cut++])].count;
        const auto between = [&](size_t c) {
            return c > 0 && c < n && Coordinate(box.bins[c - 1], axis) != Coordinate(box.bins[c], axis);
        };
        size_t up = cut, down = cut;
        while (up < n && !between(up))
            ++up;
        while (down > 0 && !between(down))
            --down;
        cut = up < n ? up : down;
        Box upper;
        upper.bins.assign(box.bins.begin() + long(cut), box.bins.end());
        box.bins.resize(cut);
        for (Box *b : {&box, &upper}) {
            b->count = 0;
            for (int axisK = 0; axisK < 3; ++axisK) {
                b->lo[axisK] = kSide;
                b->hi[axisK] = -1;
            }
            for (int bin : b->bins) {
                b->count += bins_[size_t(bin)].count;
                for (int a = 0; a < 3; ++a) {
                    b->lo[a] = std::min(b->lo[a], Coordinate(bin, a));
                    b->hi[a] = std::max(b->hi[a], Coordinate(bin, a));
                }
            }
        }
        boxes.push_back(std::move(upper));
    }
    std::vector<uint32_t> palette;
    for (const Box &box : boxes) {
        uint64_t count = 0, r = 0, g = 0, b = 0;
        for (int bin : box.bins) {
            const Bin &c = bins_[size_t(bin)];
            count += c.count;
            r += c.red;
            g += c.green;
            b += c.blue;
        }
        if (count == 0)
            continue;
        const auto mean = [count](uint64_t sum) { return uint32_t((sum + count / 2) / count); };
        palette.push_back(mean(r) << 16 | mean(g) << 8 | mean(b));
    }
    if (palette.empty())
        palette.push_back(0);
    return palette;
}

PaletteMapper::PaletteMapper(std::vector<uint32_t> palette)
    : palette_(std::move(palette)), nearest_(size_t(1) << 24), known_(size_t(1) << 24)
{
}

uint8_t PaletteMapper::Nearest(uint32_t rgb) const
{
    const int r = int(rgb >> 16), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
    int best = 0;
    long bestDistance = -1;
    for (int k = 0; k < int(palette_.size()); ++k) {
        const uint32_t c = palette_[size_t(k)];
        const long dr = r - long(c >> 16), dg = g - long(c >> 8 & 0xFF), db = b - long(c & 0xFF);
        // Weighted as the eye sees differences (green most, blue least).
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = k;
        }
    }
    return uint8_t(best);
}

void PaletteMapper::Map(const BitmapPixels &frame, uint8_t *indices, int lineSize)
{
    const auto *data = reinterpret_cast<const uint8_t *>(frame.rows.constData());
    for (int y = 0; y < frame.height; ++y) {
        // Bitmap rows are bottom-up.
        const uint8_t *p = data + size_t(frame.height - 1 - y) * size_t(frame.Stride());
        uint8_t *out = indices + size_t(y) * size_t(lineSize);
        for (int x = 0; x < frame.width; ++x, p += 3) {
            const uint32_t rgb = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            if (!known_[rgb]) {
                nearest_[rgb] = Nearest(rgb);
                known_[rgb] = true;
            }
            out[x] = nearest_[rgb];
        }
    }
}
