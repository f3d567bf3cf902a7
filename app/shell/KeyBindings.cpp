// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "KeyBindings.h"

QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key, const QList<QKeySequence> &also)
{
    QList<QKeySequence> keys = also;
    for (const QKeySequence &k : QKeySequence::keyBindings(key))
        if (!keys.contains(k))
            keys.append(k);
    return keys;
}
