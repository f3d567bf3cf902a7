// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FloatingBar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QToolBar>
#include <QVBoxLayout>

FloatingBar::FloatingBar(const QString &caption, const QList<QAction *> &actions, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      bar_(new QToolBar(caption, this))
{
    setWindowTitle(caption);
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->setIconSize(QSize(16, 15));
    for (QAction *a : actions) {
        if (a)
            bar_->addAction(a);
        else
            bar_->addSeparator();
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    // Wide enough for a window manager to show the caption beside its own
    // title-bar buttons, yet inside the screen at its start position, which
    // is 200 pixels from the right edge.
    constexpr int kCaptionRoom = 196;
    setFixedSize(qMax(sizeHint().width(), kCaptionRoom), sizeHint().height());
}

void FloatingBar::closeEvent(QCloseEvent *event)
{
    // The window manager may still draw a close button; only the owner's
    // "close" command ends tracing and animation, so refuse the user's.
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

bool FloatingBar::event(QEvent *event)
{
    // A window of its own stops the buttons' prompts on their way up; the
    // owner shows them in its status bar as it does for its other bars.
    if (event->type() == QEvent::StatusTip && parentWidget())
        return QCoreApplication::sendEvent(parentWidget(), event);
    return QWidget::event(event);
}
