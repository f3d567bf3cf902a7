// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QToolBar;

// A small floating window with a caption and one row of buttons, owned by
// the main window.  It cannot dock and asks for no close box; a window
// manager that draws one anyway (or Alt+F4) asks the owner to close it, as
// the bar's own close button does: the owner ends the mode and hides it.
class FloatingBar : public QWidget {
    Q_OBJECT
public:
    FloatingBar(const QString &caption, const QList<QAction *> &actions, QWidget *owner);

    QToolBar *Bar() const { return bar_; }

    // Moves the bar, caption and border included, so that its top right
    // corner lies `margin` pixels inside the top right corner of `area`
    // (screen coordinates), or below `above` when that is given.
    void PlaceInside(const QRect &area, int margin, const QWidget *above = nullptr);

signals:
    void CloseRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    QToolBar *bar_;
};
