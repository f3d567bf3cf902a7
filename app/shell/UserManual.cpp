// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UserManual.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString UserManualPath()
{
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        exeDir.filePath(QStringLiteral("../" VELTRIX_INSTALL_DOCDIR "/manual.html")),
        QStringLiteral(VELTRIX_SOURCE_DIR "/docs/manual.html"),
    };
    for (const QString &c : candidates) {
        if (QFileInfo::exists(c))
            return QFileInfo(c).absoluteFilePath();
    }
    return QString();
}

bool OpenUserManual()
{
    const QString path = UserManualPath();
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
