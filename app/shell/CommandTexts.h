#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// What the user sees of a command: the menu text, the status-bar prompt
// shown while hovering it, the tool tip of its bar button and its keys.
struct CommandText {
    QString menuText;
    QString prompt;
    QString toolTip;
    QList<QKeySequence> keys;
};

CommandText TextOfCommand(int id);
