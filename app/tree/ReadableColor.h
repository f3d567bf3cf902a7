#pragma once

#include <QColor>

// Below this contrast ratio a text no longer stands out from its ground.
constexpr double kLeastReadableContrast = 1.5;

// Contrast ratio of two colours, from 1 (the same) to 21 (black and white):
// (lighter + 0.05) / (darker + 0.05) of their relative luminances.
double ContrastRatio(const QColor &a, const QColor &b);

// The colour to write a text in that should be `wanted` on `paper`:
// `wanted` itself when it stands out enough, else `text` (the window's text
// colour), or where even that is too faint, black or white, whichever stands
// out more.
QColor ReadableOn(const QColor &wanted, const QColor &paper, const QColor &text);
