// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HandOverMessage.h"

#include <QDir>

namespace {

bool Travels(const QString &path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path) && !path.contains(QChar(0)) && !path.contains(QLatin1Char('\n'));
}

}  // namespace

QByteArray HandOverLine(const QString &absolutePath)
{
    if (!Travels(absolutePath))
        return QByteArray();
    const QByteArray line = absolutePath.toUtf8() + '\n';
    return line.size() <= kMaxHandOverLine ? line : QByteArray();
}

QString HandedOverPath(const QByteArray &line)
{
    if (!line.endsWith('\n') || line.size() > kMaxHandOverLine)
        return QString();
    const QByteArray bytes = line.chopped(1);
    const QString path = QString::fromUtf8(bytes);
    // Bytes that are not UTF-8 would be read as another name than was meant.
    if (path.toUtf8() != bytes || !Travels(path))
        return QString();
    return path;
}

QByteArray HandOverAnswer()
{
    return QByteArrayLiteral("taken\n");
}
