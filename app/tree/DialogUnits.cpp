// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/DialogUnits.h"

#include <cmath>

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = metrics.horizontalAdvance(sample) / 52.0;
    baseY_ = metrics.height();
}

int DialogUnits::X(int units) const
{
    return int(std::lround(units * baseX_ / 4.0));
}

int DialogUnits::Y(int units) const
{
    return int(std::lround(units * baseY_ / 8.0));
}
