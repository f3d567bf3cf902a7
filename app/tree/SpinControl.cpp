// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/SpinControl.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton *MakeArrow(Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return button;
}
}  // namespace

SpinControl::SpinControl(QWidget *parent)
    : QWidget(parent), up_(MakeArrow(Qt::UpArrow, this)), down_(MakeArrow(Qt::DownArrow, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void SpinControl::SetRange(int low, int high)
{
    low_ = qMin(low, high);
    high_ = qMax(low, high);
    position_ = qBound(low_, position_, high_);
}

void SpinControl::SetBuddy(QLineEdit *buddy)
{
    if (buddy_)
        buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_)
        buddy_->installEventFilter(this);
}

void SpinControl::StepBy(int steps)
{
    if (!buddy_)
        return;
    bool ok = false;
    const qlonglong shown = buddy_->text().trimmed().toLongLong(&ok);
    const qlonglong low = low_, high = high_;
    const qlonglong from = ok ? std::clamp(shown, low, high) : position_;
    position_ = int(std::clamp(from + steps, low, high));
    buddy_->setText(QString::number(position_));
}

bool SpinControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
