// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/PictureButton.h"

#include <QPainter>

void PictureButton::SetPicture(const QImage &picture)
{
    picture_ = picture;
    repaint();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
}
