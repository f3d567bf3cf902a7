#include "output/FilmPalette.h"

#include <algorithm>
#include <cmath>

#include "output/BitmapPixels.h"

namespace {

constexpr int kBits = 6;
// Distinct colours counted exactly at most.
constexpr size_t kMaxExact = 1 << 16;

int BinOf(int r, int g, int b)
{
    return (r >> (8 - kBits)) << (2 * kBits) | (g >> (8 - kBits)) << kBits | (b >> (8 - kBits));
}

// A colour that was counted, and how often.
struct Counted {
    uint8_t channel[3];
    uint64_t count;
    double sum[3];   // of the exact colours it stands for, times count
};

// A box of counted colours and the ranges of their channels.
struct Box {
    std::vector<Counted> colors;
    uint64_t count = 0;
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};

    void Measure()
    {
        count = 0;
        for (int a = 0; a < 3; ++a) {
            lo[a] = 255;
            hi[a] = 0;
        }
        for (const Counted &c : colors) {
            count += c.count;
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], int(c.channel[a]));
                hi[a] = std::max(hi[a], int(c.channel[a]));
            }
        }
    }
};

// Cuts the box along `axis` where half its pixels lie on either side, moved
// to the nearest place between two different values (there is one: the
// range along the axis is not empty).
Box CutAt(Box &box, int axis)
{
    std::sort(box.colors.begin(), box.colors.end(),
              [axis](const Counted &a, const Counted &b) { return a.channel[axis] < b.channel[axis]; });
    const size_t n = box.colors.size();
    uint64_t running = 0;
    size_t cut = 0;
    while (cut < n && running * 2 < box.count)
        running += box.colors[cut++].count;
    const auto between = [&](size_t c) {
        return c > 0 && c < n && box.colors[c - 1].channel[axis] != box.colors[c].channel[axis];
    };
    size_t up = cut, down = cut;
    while (up < n && !between(up))
        ++up;
    while (down > 0 && !between(down))
        --down;
    cut = up < n ? up : down;
    Box upper;
    upper.colors.assign(box.colors.begin() + long(cut), box.colors.end());
    box.colors.resize(cut);
    box.Measure();
    upper.Measure();
    return upper;
}

} // namespace

FilmPalette::FilmPalette() : bins_(size_t(1) << (3 * kBits)) {}

void FilmPalette::Add(const BitmapPixels &frame)
{
    const auto *data = reinterpret_cast<const uint8_t *>(frame.rows.constData());
    // Runs of one colour are counted at once: scenes are mostly flat.
    uint32_t run = 0;
    uint64_t length = 0;
    auto countRun = [&]() {
        if (length == 0)
            return;
        Bin &bin = bins_[size_t(BinOf(int(run >> 16), int(run >> 8 & 0xFF), int(run & 0xFF)))];
        bin.count += length;
        bin.red += (run >> 16) * length;
        bin.green += (run >> 8 & 0xFF) * length;
        bin.blue += (run & 0xFF) * length;
        if (!tooMany_) {
            exact_[run] += length;
            tooMany_ = exact_.size() > kMaxExact;
        }
    };
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t *p = data + size_t(y) * size_t(frame.Stride());
        for (int x = 0; x < frame.width; ++x, p += 3) {
            const uint32_t rgb = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            if (rgb != run || length == 0) {
                countRun();
                run = rgb;
                length = 0;
            }
            ++length;
        }
    }
    countRun();
}

std::vector<uint32_t> FilmPalette::Build() const
{
    Box all;
    if (!tooMany_) {
        for (const auto &[rgb, count] : exact_) {
            const uint8_t r = uint8_t(rgb >> 16), g = uint8_t(rgb >> 8), b = uint8_t(rgb);
            all.colors.push_back({{r, g, b}, count, {double(r) * count, double(g) * count, double(b) * count}});
        }
    } else {
        for (const Bin &bin : bins_) {
            if (bin.count == 0)
                continue;
            const auto mean = [&](uint64_t sum) { return uint8_t((sum + bin.count / 2) / bin.count); };
            all.colors.push_back({{mean(bin.red), mean(bin.green), mean(bin.blue)},
                                  bin.count,
                                  {double(bin.red), double(bin.green), double(bin.blue)}});
        }
    }
    all.Measure();
    std::vector<Box> boxes;
    if (!all.colors.empty())
        boxes.push_back(std::move(all));
    while (boxes.size() < 256) {
        // The box with the most pixels times its widest range.
        int chosen = -1, axis = 0;
        double best = 0;
        for (int k = 0; k < int(boxes.size()); ++k) {
            const Box &box = boxes[size_t(k)];
            for (int a = 0; a < 3; ++a) {
                const double score = double(box.count) * (box.hi[a] - box.lo[a]);
                if (score > best) {
                    best = score;
                    chosen = k;
                    axis = a;
                }
            }
        }
        if (chosen < 0)
            break;   // every box holds one colour
        Box upper = CutAt(boxes[size_t(chosen)], axis);
        boxes.push_back(std::move(upper));
    }
    std::vector<uint32_t> palette;
    for (const Box &box : boxes) {
        double sum[3] = {};
        for (const Counted &c : box.colors)
            for (int a = 0; a < 3; ++a)
                sum[a] += c.sum[a];
        uint32_t rgb = 0;
        for (int a = 0; a < 3; ++a)
            rgb = rgb << 8 | uint32_t(std::lround(sum[a] / double(box.count)));
        palette.push_back(rgb);
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
