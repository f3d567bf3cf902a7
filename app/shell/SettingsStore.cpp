// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsStore.h"

#include <QCoreApplication>
#include <QtEndian>

void ConfigureSettingsStore()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Veltrix"));
    QCoreApplication::setApplicationName(QStringLiteral("Veltrix 2.0"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
}

std::optional<qint32> ReadInt32Value(const QSettings &store, const QString &key)
{
    const QVariant v = store.value(key);
    if (v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = v.toByteArray();
    if (bytes.size() != 4)
        return std::nullopt;
    return qFromLittleEndian<qint32>(bytes.constData());
}

void WriteInt32Value(QSettings &store, const QString &key, qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    store.setValue(key, bytes);
}
