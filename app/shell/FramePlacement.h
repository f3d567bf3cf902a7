// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <optional>

class QWidget;

// Where the main window opens: the restored (never maximised) rectangle of
// the previous run, kept as "x", "y", "cx", "cy" in the "Settings" section.
class FramePlacement {
public:
    struct Opening {
        QSize size;
        // The client area's stored corner; none when the window system is to
        // place the window (a first run).
        std::optional<QPoint> clientTopLeft;
        // The store could not be read: the window's frame goes to the
        // screen's corner, title bar included.
        bool frameAtScreenCorner = false;
    };

    // How to open.  A missing or damaged size keeps three quarters of the
    // screen; a missing or damaged corner leaves the place to the window
    // system.
    static Opening Load(const QSettings &store, const QSize &screen);
    // Loads and applies it to `window` before it is shown: a stored place is
    // fitted onto the screens there are now.
    static void Restore(QWidget &window, const QSettings &store);
    static void Save(QSettings &store, const QRect &restored);
    // `placement` unchanged when it lies wholly on one of `screens`;
    // otherwise moved, and shrunk where larger, onto the screen it covers
    // most, or else the nearest one.
    static QRect FitOnScreens(const QRect &placement, const QList<QRect> &screens);
};
