// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <QByteArray>
#include <QFont>

// The stored form of a font: the 60-byte little-endian record of height,
// width, escapement, orientation, weight (int32 each), then italic,
// underline, strike-out, character set, output precision, clip precision,
// quality and pitch-and-family (one byte each) and a 32-byte face name
// padded with zero bytes.
struct LogFontRecord {
    int32_t height = 0;          // < 0: character height in pixels
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char faceName[32] = {};

    static constexpr int kSize = 60;
    static constexpr uint8_t kProofQuality = 2;

    QByteArray Encode() const;
    // False (and `out` untouched) unless `bytes` is exactly one record.
    static bool Decode(const QByteArray &bytes, LogFontRecord *out);

    static LogFontRecord FromFont(const QFont &font);
    QFont ToFont() const;
    QString FaceName() const;

    bool operator==(const LogFontRecord &o) const { return Encode() == o.Encode(); }
};
