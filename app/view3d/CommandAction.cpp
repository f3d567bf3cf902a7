#include "view3d/CommandAction.h"

#include <QAction>

QAction *MakeCommandAction(QObject *owner, const char *name, const QString &text, const QString &promptAndTip,
                           const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(promptAndTip.section(QLatin1Char('\n'), 0, 0));
    action->setToolTip(promptAndTip.section(QLatin1Char('\n'), 1));
    action->setShortcuts(keys);
    return action;
}
