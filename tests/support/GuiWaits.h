// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the GUI tests wait: for the event a check needs, never for a length of
// time.  A wait for something to happen ends as soon as it has happened; its
// patience is for a machine busy with other work (sanitizers, builds, other
// tests).  A check that something did not happen first waits for the event
// that would have had to come before it.

#include <QTest>
#include <QTimer>

#include "view3d/GLView.h"

constexpr int kPatienceMs = 30000;

// Has `view` draw `count` more frames, each asked for once the one before
// was shown, and returns when the last is shown.  What a frame queues for
// later (a read-out, a report) has come out by the time the next frame is
// shown.  False when the view draws nothing (hidden) within the patience.
inline bool ShowFrames(GLView &view, int count = 2, int timeoutMs = kPatienceMs)
{
    int shown = 0;
    const QMetaObject::Connection next = QObject::connect(&view, &GLView::frameSwapped, &view, [&] {
        if (++shown < count)
            view.RequestFrame();
    });
    view.RequestFrame();
    const bool done = QTest::qWaitFor([&] { return shown >= count; }, timeoutMs);
    QObject::disconnect(next);
    return done;
}

// Runs the event loop until every timer that falls due within `ms` from now
// has fired: a marker started now fires after them however late they all
// come, since timers fire in the order in which they fall due.  Give `ms`
// with room above the interval watched (a coarse timer may come 5 % late).
inline bool RunTimersDueWithin(int ms, int timeoutMs = kPatienceMs)
{
    bool fired = false;
    QTimer marker;
    marker.setSingleShot(true);
    marker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&marker, &QTimer::timeout, [&] { fired = true; });
    marker.start(ms);
    return QTest::qWaitFor([&] { return fired; }, ms + timeoutMs);
}
