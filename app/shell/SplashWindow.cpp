// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

SplashWindow::SplashWindow(const QPixmap &picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.deviceIndependentSize().toSize());
}

SplashWindow::~SplashWindow()
{
    qApp->removeEventFilter(this);
}

void SplashWindow::ShowCentred()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->geometry().center());
        move(r.topLeft());
    }
    qApp->installEventFilter(this);
    timer_.start(kPeriodMs, this);
    show();
    raise();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, picture_);
}

void SplashWindow::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == timer_.timerId())
        Dismiss();
    else
        QWidget::timerEvent(event);
}

bool SplashWindow::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepting it keeps shortcuts from firing; the key press follows
        // and is the one that dismisses the picture.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        if (event->spontaneous() && !dismissed_) {
            Dismiss();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void SplashWindow::Dismiss()
{
    if (dismissed_)
        return;
    dismissed_ = true;
    timer_.stop();
    qApp->removeEventFilter(this);
    emit Dismissed();
    close();
}
