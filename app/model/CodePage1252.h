// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QChar>
#include <QString>

// The document's 8-bit texts (labels, definitions, axis labels) are in the
// Windows-1252 code page, the one the 3D text's glyphs are made for.  These
// convert between those bytes and Unicode.

// Unicode of one code (0 for the five codes the code page leaves unassigned).
char16_t Cp1252ToUnicode(unsigned char code);

// The code of one Unicode character in the page, or -1 when it has none.
// The five unassigned codes are the control characters of their numbers.
int Cp1252Code(char32_t character);

// The bytes decoded; an unassigned code becomes the control character of
// its number (0x81 gives U+0081), so that every byte survives a round trip.
QString FromCp1252(const std::string &bytes);

// Encodes `text`.  False when a character has no code in the page: then
// `bytes` is left unchanged and `offending` (if given) receives the first
// such character.
bool ToCp1252(const QString &text, std::string *bytes, QString *offending = nullptr);

// The message that refuses `offending` in a text the user typed.
QString Cp1252Refusal(const QString &offending);
