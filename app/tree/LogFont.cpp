// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/LogFont.h"

#include <algorithm>
#include <cstring>

#include <QFontInfo>
#include <QtEndian>

namespace {
constexpr uint8_t kFixedPitch = 1;
constexpr uint8_t kFamilyModern = 0x30;

void PutInt(QByteArray &bytes, int offset, int32_t value)
{
    qToLittleEndian<int32_t>(value, bytes.data() + offset);
}

int32_t GetInt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<int32_t>(bytes.constData() + offset);
}
}  // namespace

QByteArray LogFontRecord::Encode() const
{
    QByteArray bytes(kSize, '\0');
    const int32_t ints[] = {height, width, escapement, orientation, weight};
    for (int i = 0; i < 5; ++i)
        PutInt(bytes, 4 * i, ints[i]);
    const uint8_t flags[] = {italic, underline, strikeOut, charSet,
                             outPrecision, clipPrecision, quality, pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        bytes[20 + i] = char(flags[i]);
    std::memcpy(bytes.data() + 28, faceName, sizeof faceName);
    return bytes;
}

bool LogFontRecord::Decode(const QByteArray &bytes, LogFontRecord *out)
{
    if (bytes.size() != kSize)
        return false;
    LogFontRecord r;
    int32_t *ints[] = {&r.height, &r.width, &r.escapement, &r.orientation, &r.weight};
    for (int i = 0; i < 5; ++i)
        *ints[i] = GetInt(bytes, 4 * i);
    uint8_t *flags[] = {&r.italic, &r.underline, &r.strikeOut, &r.charSet,
                        &r.outPrecision, &r.clipPrecision, &r.quality, &r.pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        *flags[i] = uint8_t(bytes[20 + i]);
    std::memcpy(r.faceName, bytes.constData() + 28, sizeof r.faceName);
    r.faceName[sizeof r.faceName - 1] = '\0';   // a stored name may lack its terminator
    *out = r;
    return true;
}

LogFontRecord LogFontRecord::FromFont(const QFont &font)
{
    const QFontInfo info(font);
    LogFontRecord r;
    r.height = -info.pixelSize();
    r.weight = info.weight();
    r.italic = info.italic() ? 1 : 0;
    r.underline = font.underline() ? 1 : 0;
    r.strikeOut = font.strikeOut() ? 1 : 0;
    r.pitchAndFamily = info.fixedPitch() ? uint8_t(kFixedPitch | kFamilyModern) : 0;
    const QByteArray face = info.family().toLatin1().left(int(sizeof r.faceName) - 1);
    std::memcpy(r.faceName, face.constData(), size_t(face.size()));
    return r;
}

QString LogFontRecord::FaceName() const
{
    return QString::fromLatin1(faceName, int(strnlen(faceName, sizeof faceName)));
}

QFont LogFontRecord::ToFont() const
{
    QFont font;
    if (faceName[0] != '\0')
        font.setFamily(FaceName());
    // A positive height is the cell height; the character height is a
    // little smaller, but the difference is not worth a font query.
    if (height != 0)
        font.setPixelSize(std::max(1, std::abs(height)));
    if (weight > 0)
        font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    if ((pitchAndFamily & 0x3) == kFixedPitch) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    return font;
}
