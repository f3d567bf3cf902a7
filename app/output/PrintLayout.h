// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include <QString>

class QDate;
class QTime;

// The geometry of a printed document.  Page drawing works in tenths of a
// millimetre from the top-left corner of the printable area; the scene
// picture is placed in printer pixels.
namespace PrintLayout {

constexpr int kMargin = 100;          // 10 mm on every side
constexpr int kBlockGap = 60;         // between two function blocks
constexpr int kBlocksTop = 2 * kMargin + 60;
constexpr int kBlockIndent = kMargin + 40;
constexpr int kLinesPerBlock = 5;

// What the printer reports about its printable area.
struct Printer {
    int pixelsX = 0, pixelsY = 0;   // size in device pixels
    int widthMM = 0, heightMM = 0;  // size in whole millimetres
    int PxPerMM() const { return widthMM > 0 ? pixelsX / widthMM : 0; }
    int PyPerMM() const { return heightMM > 0 ? pixelsY / heightMM : 0; }
};

// Where the scene goes on page 1 (printer pixels) and the size it is
// rendered at before being stretched there.
struct Picture {
    int destWidth = 0, destHeight = 0;
    int bufWidth = 0, bufHeight = 0;
    int x = 0, y = 0;
    bool IsEmpty() const { return bufWidth <= 0 || bufHeight <= 0; }
};

// The largest picture with the view's proportions (viewWidth x viewHeight)
// that fits the band between the header and the footer, centred there; the
// rendered size is halved until its 24-bit pixels fit `printBufferMB`
// (a megabyte being 1,000,000 bytes) and no side exceeds `maxSide`.  A view
// without area gives an empty picture.
Picture LayOutPicture(const Printer &printer, int viewWidth, int viewHeight, uint32_t printBufferMB,
                      int maxSide);

// A function block's place: its page (2 and up) and its top.
struct BlockPlace {
    int page = 0;
    int top = 0;
};

// Lays the blocks (their heights) out on the function pages of a page
// `pageHeight` tall: each block that does not fit above the lower limit
// moves, whole, to the top of a new page.
std::vector<BlockPlace> PlaceBlocks(const std::vector<int> &heights, int pageHeight);

// Pages of the whole document: page 1 and the function pages.
int PageCount(const std::vector<BlockPlace> &places);

// The pages to print, both ends included.
struct PageRange {
    int first = 1, last = 1;
    bool Contains(int page) const { return first <= page && page <= last; }
};

// Header and footer texts.
QString FileText(const QString &documentPath);
QString DateText(const QDate &date);
QString TimeText(const QTime &time);
QString PageText(int page);

} // namespace PrintLayout
