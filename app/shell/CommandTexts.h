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

// Texts of the trace bar's step commands (118-121) when the traced function
// is plotted over `variable` in that direction ("x + 1 step"); an empty name
// gives the texts of no particular function ("First variable + 1 step").
CommandText TraceStepText(int id, const QString &variable);
