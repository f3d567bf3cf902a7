// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/BitmapPixels.h"
#include "output/PictureFiles.h"

namespace {

// A picture w x h whose pixel (x, y), y counted from the bottom, has
// red x*10, green y*10 and blue 200.
BitmapPixels Gradient(int w, int h)
{
    BitmapPixels p;
    p.width = w;
    p.height = h;
    p.rows = QByteArray(p.ImageSize(), '\x77');   // padding bytes must not matter
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            char *px = p.rows.data() + y * p.Stride() + 3 * x;
            px[0] = char(200);
            px[1] = char(y * 10);
            px[2] = char(x * 10);
        }
    return p;
}

quint32 U32(const QByteArray &b, int at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16 |
           quint32(uchar(b[at + 3])) << 24;
}

quint16 U16(const QByteArray &b, int at)
{
    return quint16(uchar(b[at]) | uchar(b[at + 1]) << 8);
}

TEST(Bitmap, HeadersDescribeBottomUp24BitPixels)
{
    const BitmapPixels p = Gradient(800, 600);
    const QByteArray file = BitmapFileBytes(p);
    ASSERT_EQ(file.size(), 1440054);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(file, 2), 1440054u);
    EXPECT_EQ(U32(file, 6), 0u);   // both reserved words
    EXPECT_EQ(U32(file, 10), 54u);
    const QByteArray info = file.mid(14, 40);
    EXPECT_EQ(info, BitmapInfoHeader(p));
    EXPECT_EQ(U32(info, 0), 40u);
    EXPECT_EQ(U32(info, 4), 800u);
    EXPECT_EQ(U32(info, 8), 600u);
    EXPECT_EQ(U16(info, 12), 1);
    EXPECT_EQ(U16(info, 14), 24);
    EXPECT_EQ(U32(info, 16), 0u);
    EXPECT_EQ(U32(info, 20), 1440000u);
    EXPECT_EQ(info.mid(24), QByteArray(16, '\0'));
    EXPECT_EQ(file.mid(54), p.rows);
}

// The file opens in an independent reader the right way up with the right
// colours, also when rows need padding (width 5).
TEST(Bitmap, ReadersSeeTheSamePicture)
{
    for (int w : {8, 5}) {
        const BitmapPixels p = Gradient(w, 3);
        QByteArray bytes = BitmapFileBytes(p);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "bmp");
        const QImage read = reader.read();
        ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
        ASSERT_EQ(read.size(), QSize(w, 3));
        const QImage mine = ToImage(p);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb expected = qRgb(x * 10, (2 - y) * 10, 200);   // top row = highest y
                EXPECT_EQ(read.pixel(x, y), expected) << w << " " << x << "," << y;
                EXPECT_EQ(mine.pixel(x, y), expected) << w << " " << x << "," << y;
            }
    }
}

// Picture files by suffix: a .bmp holds the exported bitmap's bytes, PNG
// and JPEG (any case) read back as the same picture; no file is left where
// one cannot be written.
TEST(Bitmap, PictureFilesFollowTheirSuffix)
{
    const BitmapPixels p = Gradient(5, 3);
    QTemporaryDir dir;
    QString error;
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(WritePictureFile(bmp, p, &error)) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(bmp), BitmapFileBytes(p));
    const QString png = dir.filePath(QStringLiteral("a.PNG"));
    ASSERT_TRUE(WritePictureFile(png, p, &error)) << error.toStdString();
    EXPECT_TRUE(ReadFileBytes(png).startsWith("\x89PNG"));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB888), ToImage(p));
    const QString jpeg = dir.filePath(QStringLiteral("a.jpeg"));
    ASSERT_TRUE(WritePictureFile(jpeg, p, &error)) << error.toStdString();
    EXPECT_EQ(QImage(jpeg).size(), QSize(5, 3));
    EXPECT_TRUE(IsPictureSuffix(QStringLiteral("JPG")));
    EXPECT_FALSE(IsPictureSuffix(QStringLiteral("pdf")));

    const QString nowhere = dir.filePath(QStringLiteral("missing/b.png"));
    EXPECT_FALSE(WritePictureFile(nowhere, p, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(nowhere))) << error.toStdString();
}

} // namespace
