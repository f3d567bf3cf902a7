// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

// The borderless picture shown while the program starts.  It goes away at
// the first tick of its 800 ms timer or at the first key or mouse-button
// press anywhere in the application; that press is swallowed, so a click
// meant to dismiss the picture does not reach the window behind it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 800;

    explicit SplashWindow(const QPixmap &picture);
    ~SplashWindow() override;

    // Shows the picture centred on the primary screen and starts the timer.
    void ShowCentred();

signals:
    void Dismissed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Dismiss();

    QPixmap picture_;
    QBasicTimer timer_;
    bool dismissed_ = false;
};
