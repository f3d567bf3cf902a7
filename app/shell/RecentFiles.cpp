// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecentFiles.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

namespace {
QString KeyOf(int index)
{
    return QStringLiteral("Recent File List/File%1").arg(index + 1);
}

bool SamePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// Long paths keep their first folder and their tail, joined by "...".
QString Abbreviated(const QString &path, int maxLength)
{
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() <= maxLength)
        return native;
    const QString name = QFileInfo(path).fileName();
    const int firstSep = native.indexOf(QDir::separator(), 1);
    const QString head = firstSep > 0 ? native.left(firstSep + 1) : QString();
    const QString candidate = head + QStringLiteral("...") + QDir::separator() + name;
    return candidate.size() < native.size() ? candidate : name;
}
}  // namespace

void RecentFiles::Load(const QSettings &store)
{
    entries_.clear();
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = store.value(KeyOf(i)).toString();
        if (!path.isEmpty())
            entries_.append(path);
    }
}

void RecentFiles::Save(QSettings &store) const
{
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < entries_.size())
            store.setValue(KeyOf(i), entries_[i]);
        else
            store.remove(KeyOf(i));
    }
}

void RecentFiles::Add(const QString &path)
{
    Remove(path);
    entries_.prepend(QFileInfo(path).absoluteFilePath());
    while (entries_.size() > kMaxEntries)
        entries_.removeLast();
}

void RecentFiles::Remove(const QString &path)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const QString &e) { return SamePath(e, path); }),
                   entries_.end());
}

QString RecentFiles::MenuText(int index) const
{
    QString shown = Abbreviated(entries_.value(index), 40);
    shown.replace('&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
