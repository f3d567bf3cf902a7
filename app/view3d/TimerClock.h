// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <climits>

#include <QTimer>

#include "view3d/AnimationEngine.h"

// The animation's clock on a Qt timer of the event loop.
class TimerClock : public AnimationClock {
public:
    TimerClock()
    {
        // Intervals of a few milliseconds are meant as given.
        timer_.setTimerType(Qt::PreciseTimer);
    }
    QTimer &Timer() { return timer_; }

    void Start(uint32_t intervalMs) override { timer_.start(int(std::min<uint32_t>(intervalMs, INT_MAX))); }
    void Stop() override { timer_.stop(); }
    bool IsRunning() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};
