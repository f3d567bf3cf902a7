// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/ViewCapture.h"

#include <GL/gl.h>
#include <QMimeData>
#include <QOpenGLContext>

#include "view3d/GLView.h"

bool CaptureView(GLView &view, BitmapPixels &out)
{
    if (!view.context() || !view.context()->isValid())
        return false;
    const qreal dpr = view.devicePixelRatioF();
    BitmapPixels p;
    p.width = qRound(view.width() * dpr) & ~3;
    p.height = qRound(view.height() * dpr);
    p.rows = QByteArray(p.ImageSize(), '\0');
    if (!p.IsEmpty()) {
        view.MakeCurrentWithLastFrame();
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, p.width, p.height, GL_BGR, GL_UNSIGNED_BYTE, p.rows.data());
        view.doneCurrent();
    }
    out = std::move(p);
    return true;
}

QMimeData *BitmapMimeData(const BitmapPixels &pixels)
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/bmp"), BitmapFileBytes(pixels));
    data->setImageData(ToImage(pixels));
    return data;
}
