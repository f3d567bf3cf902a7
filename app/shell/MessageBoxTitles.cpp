// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MessageBoxTitles.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>

namespace {
const QString kRoomName = QStringLiteral("titleRoom");
// A title bar holds the window's picture and up to four buttons, each
// about as wide as the bar is high.
constexpr int kTitleBarItems = 5;
}  // namespace

MessageBoxTitles::MessageBoxTitles(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

int MessageBoxTitles::TitleBarWidth(const QString &title)
{
    // Window managers often write titles in bold.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + kTitleBarItems * (metrics.height() + 8);
}

bool MessageBoxTitles::eventFilter(QObject *watched, QEvent *event)
{
    // Seen before the box's own show handler, which fixes its size from its
    // layout: a row as wide as the title widens the box.
    if (event->type() != QEvent::Show)
        return false;
    auto *box = qobject_cast<QMessageBox *>(watched);
    auto *grid = box ? qobject_cast<QGridLayout *>(box->layout()) : nullptr;
    if (!grid)
        return false;
    auto *room = box->findChild<QWidget *>(kRoomName, Qt::FindDirectChildrenOnly);
    if (!room) {
        room = new QWidget(box);
        room->setObjectName(kRoomName);
        room->setFixedHeight(0);
        grid->addWidget(room, grid->rowCount(), 0, 1, grid->columnCount());
        room->show();   // the box's children were shown already
    }
    const QScreen *screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    const int most = screen ? screen->availableGeometry().width() * 3 / 4 : 800;
    room->setMinimumWidth(qMin(TitleBarWidth(box->windowTitle()), most));
    return false;
}
