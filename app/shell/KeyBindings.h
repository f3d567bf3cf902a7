// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QKeySequence>
#include <QList>

// The keys of a standard action as this desktop binds them, with `also`
// added where the desktop's list lacks them: the keys the manual names work
// on every desktop, and the desktop's own ones too.
QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key, const QList<QKeySequence> &also);
