// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/DocumentHistory.h"

#include <QUndoStack>

#include "model/CVeltrix2Doc.h"

DocumentHistory &DocumentHistory::Of(CVeltrix2Doc &doc)
{
    if (auto *history = doc.findChild<DocumentHistory *>(QString(), Qt::FindDirectChildrenOnly))
        return *history;
    return *new DocumentHistory(doc);
}

// A child of the document, and the stack a child of the history: when the
// document goes, the connections go before the commands are deleted.
DocumentHistory::DocumentHistory(CVeltrix2Doc &doc) : QObject(&doc), doc_(doc), stack_(new QUndoStack(this))
{
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { doc_.SetUndoHistoryModified(!clean); });
    connect(&doc_, &CVeltrix2Doc::Saved, stack_, &QUndoStack::setClean);
    connect(&doc_, &CVeltrix2Doc::ContentsReplaced, stack_, &QUndoStack::clear);
}

void DocumentHistory::Push(QUndoCommand *command)
{
    stack_->push(command);
}

void DocumentHistory::AnnounceReplay()
{
    emit ReplayStarting();
}
