// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PointReadout.h"

#include <cmath>

#include <QStatusBar>

#include "model/FormatGeneral.h"
#include "view3d/GLView.h"

PointReadout::PointReadout(GLView *view, QStatusBar *bar, QObject *parent)
    : QObject(parent), view_(view), bar_(bar)
{
    connect(view, &GLView::PointUnderMouse, this, &PointReadout::Show);
    connect(view, &GLView::PointUnderMouseGone, this, &PointReadout::Gone);
}

namespace {

QString Rounded(double value, double step)
{
    if (step > 0 && std::isfinite(step))
        value = std::round(value / step) * step + 0.0;   // + 0.0: no "-0."
    return FormatGeneral(value, 10);
}

}  // namespace

QString PointReadout::Text(const QString &label, double x, double y, double z, double pixelSize)
{
    const double step = pixelSize > 0 ? std::pow(10.0, std::floor(std::log10(pixelSize))) : 0;
    return QStringLiteral("%1:  x = %2   y = %3   z = %4")
        .arg(label, Rounded(x, step), Rounded(y, step), Rounded(z, step));
}

void PointReadout::Show(const QString &label, double x, double y, double z, double pixelSize)
{
    shown_ = Text(label, x, y, z, pixelSize);
    bar_->showMessage(shown_);
}

void PointReadout::Gone()
{
    // Whatever replaced the read-out meanwhile (a menu's prompt, the mouse
    // leaving the view) stays.
    if (!shown_.isEmpty() && bar_->currentMessage() == shown_)
        bar_->showMessage(view_->statusTip());
    shown_.clear();
}
