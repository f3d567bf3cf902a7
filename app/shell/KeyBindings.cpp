#include "KeyBindings.h"

QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key, const QList<QKeySequence> &also)
{
    QList<QKeySequence> keys = also;
    for (const QKeySequence &k : QKeySequence::keyBindings(key))
        if (!keys.contains(k))
            keys.append(k);
    return keys;
}
