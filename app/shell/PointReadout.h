// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class GLView;
class QStatusBar;

// The point under the mouse in the status bar's message pane: the 3D view
// reports it, this shows it, and the view's own prompt again once the
// mouse is over no function.  The trace's panes are left as they are.
class PointReadout : public QObject {
    Q_OBJECT
public:
    PointReadout(GLView *view, QStatusBar *bar, QObject *parent);

    // "label:  x = ...   y = ...   z = ...", each rounded to the decimal
    // place that a pixel (`pixelSize` apart) can still tell: digits beyond
    // are the depth buffer's noise.
    static QString Text(const QString &label, double x, double y, double z, double pixelSize);

private:
    void Show(const QString &label, double x, double y, double z, double pixelSize);
    void Gone();

    GLView *view_;
    QStatusBar *bar_;
    QString shown_;
};
