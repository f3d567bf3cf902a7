// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/HistoryCommand.h"

#include "history/DocumentHistory.h"
#include "model/CVeltrix2Doc.h"

namespace {
// Labels come from files too: one line, and an ampersand in a menu item is
// shown rather than taken for a mnemonic.
QString MenuSafe(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}
}  // namespace

HistoryCommand::HistoryCommand(DocumentHistory &history, const QString &text) : history_(history)
{
    const QString line = MenuSafe(text);
    QString actionText = line;
    actionText.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // The part before the line feed is the command's text, the part after
    // it the one the Undo and Redo items show.
    setText(line + QLatin1Char('\n') + actionText);
}

CVeltrix2Doc &HistoryCommand::Doc() const
{
    return history_.Document();
}

void HistoryCommand::redo()
{
    if (done_)
        history_.AnnounceReplay();
    done_ = true;
    CVeltrix2Doc::UndoableChange change(Doc());
    Apply();
}

void HistoryCommand::undo()
{
    history_.AnnounceReplay();
    CVeltrix2Doc::UndoableChange change(Doc());
    Revert();
}
