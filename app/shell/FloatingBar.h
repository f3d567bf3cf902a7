// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QToolBar;

// A small floating window with a caption and one row of buttons, owned by
// the main window.  It cannot dock and has no close box: closing it through
// the window manager is refused, only its owner hides it.
class FloatingBar : public QWidget {
    Q_OBJECT
public:
    FloatingBar(const QString &caption, const QList<QAction *> &actions, QWidget *owner);

    QToolBar *Bar() const { return bar_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    QToolBar *bar_;
};
