// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class CVeltrix2Doc;
class QUndoCommand;
class QUndoStack;

// The undo history of one document: every change a user makes to the
// document is a command on its stack.  The stack's clean state is the saved
// state: saving marks it, a new or opened document empties the stack, and
// the document counts as modified whenever the stack stands elsewhere.
class DocumentHistory : public QObject {
    Q_OBJECT
public:
    // The history of `doc`, made on first use; it goes with the document.
    static DocumentHistory &Of(CVeltrix2Doc &doc);

    CVeltrix2Doc &Document() const { return doc_; }
    QUndoStack &Stack() const { return *stack_; }

    // Carries `command` out and keeps it for undo; takes ownership.
    void Push(QUndoCommand *command);

    // For the commands: an undo or a redo is about to begin.
    void AnnounceReplay();

signals:
    // An undo or a redo (not the first doing of a command) is about to change
    // the document: whatever runs on the document's functions, such as a
    // trace or an animation, ends now.
    void ReplayStarting();

private:
    explicit DocumentHistory(CVeltrix2Doc &doc);

    CVeltrix2Doc &doc_;
    QUndoStack *stack_;
};
