// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

// The five most recently opened or saved documents, newest first, kept in
// the "Recent File List" section as "File1" to "File5".
class RecentFiles {
public:
    static constexpr int kMaxEntries = 5;

    void Load(const QSettings &store);
    void Save(QSettings &store) const;

    void Add(const QString &path);     // moves an existing entry to the top
    void Remove(const QString &path);
    const QStringList &Entries() const { return entries_; }

    // Menu text of entry `index`: "&1 name" with the path shortened to fit.
    QString MenuText(int index) const;

private:
    QStringList entries_;
};
