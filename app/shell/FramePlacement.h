#pragma once

#include <QList>
#include <QRect>
#include <QSettings>
#include <QSize>

// Where the main window opens: the restored (never maximised) rectangle of
// the previous run, kept as "x", "y", "cx", "cy" in the "Settings" section.
class FramePlacement {
public:
    // The rectangle to open with.  With nothing stored: the top-left corner
    // and three quarters of the screen; a coordinate whose value is missing
    // or damaged keeps that fallback.
    static QRect Load(const QSettings &store, const QSize &screen);
    static void Save(QSettings &store, const QRect &restored);
    // `placement` unchanged when it lies wholly on one of `screens`;
    // otherwise moved, and shrunk where larger, onto the screen it covers
    // most, or else the nearest one.
    static QRect FitOnScreens(const QRect &placement, const QList<QRect> &screens);
};
