// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <optional>

// The per-user settings store: an INI file in the user's configuration
// folder, company "Veltrix", application "Veltrix 2.0".  After
// ConfigureSettingsStore() a default-constructed QSettings opens it.
void ConfigureSettingsStore();

// Values stored as the little-endian bytes of a 32-bit integer.  A value of
// any other size counts as absent.
std::optional<qint32> ReadInt32Value(const QSettings &store, const QString &key);
void WriteInt32Value(QSettings &store, const QString &key, qint32 value);
