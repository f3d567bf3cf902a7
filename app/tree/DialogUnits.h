// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Dialog geometry is given in dialog units of the dialog's font: a
// horizontal unit is a quarter of the average character width, a vertical
// unit an eighth of the line height.  Layouts written in these units keep
// their proportions with any font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);

    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const { return QSize(X(width), Y(height)); }
    QRect Rect(int x, int y, int width, int height) const
    {
        return QRect(X(x), Y(y), X(width), Y(height));
    }

private:
    double baseX_;
    double baseY_;
};
