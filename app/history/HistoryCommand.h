// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUndoCommand>

class CVeltrix2Doc;
class DocumentHistory;

// A change of the document that can be undone.  Apply makes the change and
// Revert takes it back; both run as undoable changes, so the document's
// modified flag follows the history rather than each call.  Commands name
// functions by their place in the list: undo and redo restore the list's
// order exactly, while a function that comes back may get another handle.
class HistoryCommand : public QUndoCommand {
public:
    void redo() final;
    void undo() final;

protected:
    // `text` names the change in the Undo and Redo menu items.
    HistoryCommand(DocumentHistory &history, const QString &text);
    CVeltrix2Doc &Doc() const;
    virtual void Apply() = 0;
    virtual void Revert() = 0;

private:
    DocumentHistory &history_;
    bool done_ = false;
};
