// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QDate>
#include <QTime>

#include "output/PrintLayout.h"

using namespace PrintLayout;

namespace {

const Printer kPrinter{4724, 6779, 200, 287};   // 23 pixels per millimetre both ways

TEST(PrintLayout, SquareViewOnTheExamplePrinter)
{
    EXPECT_EQ(kPrinter.PxPerMM(), 23);
    EXPECT_EQ(kPrinter.PyPerMM(), 23);
    const Picture p = LayOutPicture(kPrinter, 500, 500, 30, 16384);
    EXPECT_EQ(p.destWidth, 4172);
    EXPECT_EQ(p.destHeight, 4172);
    // 3 x 4172 x 4172 bytes exceed 30 MB; halved once they are 13,054,188.
    EXPECT_EQ(p.bufWidth, 2086);
    EXPECT_EQ(p.bufHeight, 2086);
    EXPECT_EQ(p.x, 276);
    EXPECT_EQ(p.y, 1464);
}

TEST(PrintLayout, PictureKeepsTheViewsProportionsAndFitsItsBand)
{
    // Wide view: the width is the limit.
    Picture p = LayOutPicture(kPrinter, 800, 400, 1000, 16384);
    EXPECT_EQ(p.destWidth, 4172);
    EXPECT_EQ(p.destHeight, 2086);
    EXPECT_EQ(p.bufWidth, 4172) << "fits 1000 MB as it is";
    EXPECT_EQ(p.x, 276);
    // Tall view: the height (5353) is the limit, the width truncated.
    p = LayOutPicture(kPrinter, 300, 700, 1000, 16384);
    EXPECT_EQ(p.destHeight, 5353);
    EXPECT_EQ(p.destWidth, int(5353 / (700.0 / 300)));
    EXPECT_EQ(p.y, (6779 - 54 * 23 - 5353) / 2 + 34 * 23);
    // The smallest budget halves several times; the largest side bounds too.
    p = LayOutPicture(kPrinter, 500, 500, 5, 16384);
    EXPECT_EQ(p.bufWidth, 1043);
    p = LayOutPicture(kPrinter, 500, 500, 1000, 1024);
    EXPECT_EQ(p.bufWidth, 4172 / 8);
    EXPECT_EQ(p.destWidth, 4172) << "still stretched to the whole place";
}

// A view without area (a collapsed pane) gives no picture rather than a
// division by zero.
TEST(PrintLayout, ViewWithoutAreaGivesNoPicture)
{
    EXPECT_TRUE(LayOutPicture(kPrinter, 0, 500, 30, 16384).IsEmpty());
    EXPECT_TRUE(LayOutPicture(kPrinter, 500, 0, 30, 16384).IsEmpty());
}

// Blocks of 20 mm with 6 mm gaps from 26 mm down, on a page 287 mm tall whose
// lower limit is 287 - 26 = 261 mm: nine fit (the ninth ends at 254 mm).
TEST(PrintLayout, BlocksThatDoNotFitMoveWholeToANewPage)
{
    const std::vector<int> heights(19, 200);
    const std::vector<BlockPlace> places = PlaceBlocks(heights, 2870);
    ASSERT_EQ(places.size(), 19u);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(places[size_t(k)].page, 2) << k;
        EXPECT_EQ(places[size_t(k)].top, 260 + 260 * k) << k;
    }
    EXPECT_EQ(places[9].page, 3);
    EXPECT_EQ(places[9].top, 260);
    EXPECT_EQ(places[17].page, 3);
    EXPECT_EQ(places[18].page, 4) << "the last block moves too";
    EXPECT_EQ(places[18].top, 260);
    EXPECT_EQ(PageCount(places), 4);

    // One block taller than the rest: it fits exactly up to the limit...
    EXPECT_EQ(PlaceBlocks({2870 - 260 - 260}, 2870).front().page, 2);
    // ...and one unit more moves it to page 3, leaving page 2 empty.
    EXPECT_EQ(PlaceBlocks({2870 - 260 - 259}, 2870).front().page, 3);
    EXPECT_EQ(PageCount({}), 1);
}

TEST(PrintLayout, HeaderAndFooterTexts)
{
    EXPECT_EQ(DateText(QDate(2026, 12, 7)), QStringLiteral("Date: 7/12/2026"));
    EXPECT_EQ(TimeText(QTime(4, 5, 9)), QStringLiteral("Time: 4.5.9"));
    EXPECT_EQ(TimeText(QTime(16, 0, 30)), QStringLiteral("Time: 16.0.30"));
    EXPECT_EQ(PageText(12), QStringLiteral("Page: 12"));
    EXPECT_EQ(FileText(QString()), QStringLiteral("File: "));
    EXPECT_EQ(FileText(QStringLiteral("/home/me/plots/tour.vxf")), QStringLiteral("File: tour.vxf"));
    const QString longName = QString(100, QLatin1Char('n')) + QStringLiteral(".vxf");
    EXPECT_EQ(FileText(QStringLiteral("/tmp/") + longName), QStringLiteral("File: ") + longName.left(74));

    PageRange range{2, 3};
    EXPECT_FALSE(range.Contains(1));
    EXPECT_TRUE(range.Contains(2));
    EXPECT_TRUE(range.Contains(3));
    EXPECT_FALSE(range.Contains(4));
}

} // namespace
