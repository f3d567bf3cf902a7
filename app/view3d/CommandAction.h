#pragma once

#include <QList>
#include <QKeySequence>
#include <QString>

class QAction;
class QObject;

// A command's action as the panes and the main window make theirs: its
// menu text, the prompt the status bar shows while it is hovered and the
// tool tip of its bar button (`promptAndTip`: the prompt, then the tip after
// a line feed), its keys, and a name to find it by.
QAction *MakeCommandAction(QObject *owner, const char *name, const QString &text, const QString &promptAndTip,
                           const QList<QKeySequence> &keys = {});
