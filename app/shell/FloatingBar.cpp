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
    // title-bar buttons, yet narrow beside the scene it sits over.
    constexpr int kCaptionRoom = 196;
    setFixedSize(qMax(sizeHint().width(), kCaptionRoom), sizeHint().height());
}

void FloatingBar::closeEvent(QCloseEvent *event)
{
    // The owner's close command ends tracing and animation and hides the
    // bars; a bar that only went away would leave the mode running.
    event->ignore();
    emit CloseRequested();
}

void FloatingBar::PlaceInside(const QRect &area, int margin, const QWidget *above)
{
    // The window manager's frame around the bar, once it is known.
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int frameWidth = width() + (frame.width() - inner.width());
    const int top = above ? above->frameGeometry().bottom() + 1 + margin : area.top() + margin;
    move(area.right() + 1 - margin - frameWidth, top);
}

bool FloatingBar::event(QEvent *event)
{
    // A window of its own stops the buttons' prompts on their way up; the
    // owner shows them in its status bar as it does for its other bars.
    if (event->type() == QEvent::StatusTip && parentWidget())
        return QCoreApplication::sendEvent(parentWidget(), event);
    return QWidget::event(event);
}
