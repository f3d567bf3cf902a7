// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QFont;
class QString;

// Message boxes wide enough for their titles.  Qt sizes a box by its text
// and keeps only a little room for the title, so that a short message under
// a longer title ("Current value") had its title cut to a few letters by the
// window manager, beside the title bar's picture and buttons.
class MessageBoxTitles : public QObject {
    Q_OBJECT
public:
    // Looks at every message box of the application while `parent` lives.
    explicit MessageBoxTitles(QObject *parent);

    // Width of a window whose title bar shows `title` whole, room for the
    // title bar's picture and buttons included.
    static int TitleBarWidth(const QString &title);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
