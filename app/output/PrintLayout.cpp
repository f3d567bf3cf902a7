// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/PrintLayout.h"

#include <QDate>
#include <QFileInfo>
#include <QTime>

namespace PrintLayout {

namespace {
constexpr int kMarginMM = kMargin / 10;
constexpr int kMaxHeaderText = 80;
} // namespace

Picture LayOutPicture(const Printer &p, int viewWidth, int viewHeight, uint32_t printBufferMB,
                      int maxSide)
{
    Picture pic;
    if (viewWidth <= 0 || viewHeight <= 0)
        return pic;
    const int px = p.PxPerMM(), py = p.PyPerMM();
    const double a = double(viewHeight) / viewWidth;
    const int availableW = p.pixelsX - (2 * kMarginMM + 4) * px;
    const int availableH = p.pixelsY - (5 * kMarginMM + 12) * py;
    if (availableW <= 0 || availableH <= 0)
        return pic;
    if (availableW * a >= availableH) {
        pic.destHeight = availableH;
        pic.destWidth = int(availableH / a);
    } else {
        pic.destWidth = availableW;
        pic.destHeight = int(availableW * a);
    }
    pic.bufWidth = pic.destWidth;
    pic.bufHeight = pic.destHeight;
    const uint64_t budget = uint64_t(printBufferMB) * 1000000;
    while (pic.bufWidth > 0 && pic.bufHeight > 0 &&
           (3 * uint64_t(pic.bufWidth) * uint64_t(pic.bufHeight) > budget || pic.bufWidth > maxSide ||
            pic.bufHeight > maxSide)) {
        pic.bufWidth /= 2;
        pic.bufHeight /= 2;
    }
    pic.x = (p.pixelsX - 2 * kMarginMM * px - pic.destWidth) / 2 + kMarginMM * px;
    pic.y = (p.pixelsY - (5 * kMarginMM + 4) * py - pic.destHeight) / 2 + (3 * kMarginMM + 4) * py;
    return pic;
}

std::vector<BlockPlace> PlaceBlocks(const std::vector<int> &heights, int pageHeight)
{
    const int lowerLimit = pageHeight - 2 * kMargin - 60;
    std::vector<BlockPlace> places;
    int page = 2, top = kBlocksTop;
    for (int h : heights) {
        if (top + h > lowerLimit) {
            ++page;
            top = kBlocksTop;
        }
        places.push_back({page, top});
        top += h + kBlockGap;
    }
    return places;
}

int PageCount(const std::vector<BlockPlace> &places)
{
    return places.empty() ? 1 : places.back().page;
}

QString FileText(const QString &documentPath)
{
    QString text = QStringLiteral("File: ");
    if (!documentPath.isEmpty())
        text += QFileInfo(documentPath).fileName();
    return text.left(kMaxHeaderText);
}

QString DateText(const QDate &date)
{
    return QStringLiteral("Date: %1/%2/%3").arg(date.day()).arg(date.month()).arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString TimeText(const QTime &time)
{
    return QStringLiteral("Time: %1.%2.%3").arg(time.hour()).arg(time.minute()).arg(time.second());
}

QString PageText(int page)
{
    return QStringLiteral("Page: %1").arg(page);
}

} // namespace PrintLayout
