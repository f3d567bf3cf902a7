// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/BitmapPixels.h"

#include <QtEndian>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void Put16(QByteArray &to, int offset, quint16 v)
{
    qToLittleEndian(v, to.data() + offset);
}

void Put32(QByteArray &to, int offset, quint32 v)
{
    qToLittleEndian(v, to.data() + offset);
}

} // namespace

QByteArray BitmapInfoHeader(const BitmapPixels &p)
{
    QByteArray h(kInfoHeaderSize, '\0');
    Put32(h, 0, kInfoHeaderSize);
    Put32(h, 4, quint32(p.width));
    Put32(h, 8, quint32(p.height));
    Put16(h, 12, 1);    // planes
    Put16(h, 14, 24);   // bits per pixel
    Put32(h, 16, 0);    // uncompressed
    Put32(h, 20, quint32(p.ImageSize()));
    return h;           // resolutions and colour counts stay 0
}

QByteArray BitmapFileBytes(const BitmapPixels &p)
{
    const quint32 offset = kFileHeaderSize + kInfoHeaderSize;
    QByteArray file(kFileHeaderSize, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, quint32(offset + p.ImageSize()));
    Put32(file, 10, offset);
    file += BitmapInfoHeader(p);
    file += p.rows.left(p.ImageSize());
    return file;
}

QImage ToImage(const BitmapPixels &p)
{
    if (p.IsEmpty() || p.rows.size() < p.ImageSize())
        return QImage();
    const QImage bottomUp(reinterpret_cast<const uchar *>(p.rows.constData()), p.width, p.height,
                          p.Stride(), QImage::Format_BGR888);
    return bottomUp.mirrored(false, true).convertToFormat(QImage::Format_RGB888);
}
