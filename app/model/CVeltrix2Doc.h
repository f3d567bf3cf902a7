// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include "CameraLink.h"
#include "DocumentFile.h"
#include "FunctionList.h"
#include "ViewSettings.h"

// The document: the ordered list of plotted functions and the view settings.
// Views are whatever connects to ViewsNeedUpdate; the tree registers itself
// as the first view so that Add/Update/Remove do not notify it there.  It
// follows FunctionInserted, FunctionRemoved and FunctionChanged instead,
// which name the one function that changed, whoever changed it.
class CVeltrix2Doc : public QObject {
    Q_OBJECT
public:
    explicit CVeltrix2Doc(QObject *parent = nullptr);
    ~CVeltrix2Doc() override;

    // List operations.  Positions as in FunctionList.
    void Add(const FunctionRecord &record, bool notify = true);
    // As Add, at `position` (0..Count()); a function put back where it was.
    void Insert(int position, const FunctionRecord &record);
    void Update(int position, const FunctionRecord &record);
    void Remove(int position);                // deletes the record's qel handle
    void Clear();                             // delete_all; hint -1
    FunctionRecord Get(int position) const;   // handle -1 when out of range
    int Count() const;
    int First() const;
    int Last() const;
    int Next(int position) const;
    int Find(int32_t handle) const;           // -1 when absent
    const FunctionList &Functions() const { return list_; }

    ViewSettings &Settings() { return settings_; }
    const ViewSettings &Settings() const { return settings_; }

    // Modified: changed since the last save, new or open.  Changes made
    // inside an UndoableChange are left to the undo history, which says
    // through SetUndoHistoryModified whether it stands away from the saved
    // state; every other change (a camera move) counts until the next save.
    bool IsModified() const { return unrecordedChanges_ || undoHistoryModified_; }
    void SetModifiedFlag(bool modified = true);
    void SetUndoHistoryModified(bool modified);

    // While one exists, SetModifiedFlag(true) leaves the flag to the history.
    class UndoableChange {
    public:
        explicit UndoableChange(CVeltrix2Doc &doc) : doc_(doc) { ++doc_.undoableChanges_; }
        ~UndoableChange() { --doc_.undoableChanges_; }
        UndoableChange(const UndoableChange &) = delete;
        UndoableChange &operator=(const UndoableChange &) = delete;

    private:
        CVeltrix2Doc &doc_;
    };

    // The function's variables changed in the library (the list did not):
    // FunctionChanged for the views that show them.
    void NotifyVariablesChanged(int32_t handle);

    // Path of the file the document came from or was saved to; empty when
    // untitled.
    QString PathName() const { return pathName_; }
    void SetPathName(const QString &path);   // emits PathChanged when it changes

    // New document: clear the list (delete_all), default settings and with
    // them the default camera, untitled, not modified; views notified with
    // hint -1.
    void NewDocument();
    // Save to `path` (atomically); on success the path is taken and the
    // modified flag cleared.  On failure `error` receives a readable reason.
    bool Save(const QString &path, QString *error = nullptr);
    // Open `path`.  The outcome tells the shell which message to show.  On
    // success the path is taken; on any failure the document is left empty
    // and untitled.
    ReadOutcome Open(const QString &path, QString *error = nullptr);

    void SetCameraLink(CameraLink *link) { camera_ = link; }
    CameraLink *GetCameraLink() const { return camera_; }
    void SetFirstView(QObject *view) { firstView_ = view; }
    QObject *FirstView() const { return firstView_; }

    // Notify every view except `sender`.  hint: a handle, or -1 for everything.
    void UpdateAllViews(QObject *sender, int hint);

signals:
    void ViewsNeedUpdate(QObject *sender, int hint);
    void ModifiedChanged(bool modified);
    void PathChanged(const QString &path);
    // The function at `position` is new in the list (Add, Insert).
    void FunctionInserted(int position);
    // The function that had `handle` left the list (Remove).
    void FunctionRemoved(int32_t handle);
    // The record of `handle` or its variables changed (Update,
    // NotifyVariablesChanged).
    void FunctionChanged(int32_t handle);
    // The document was made new or another file was read into it: its
    // functions are others now, even where a handle is the same.  Sent
    // before the views are told to update.
    void ContentsReplaced();
    // The document was written to its file.
    void Saved();

private:
    void ResetContents();                    // delete_all, empty list, default settings
    void PushCameraToView();                 // the settings' camera rows to the linked view
    void ModifiedMayHaveChanged(bool wasModified);

    FunctionList list_;
    ViewSettings settings_;          // its camera rows are the copy used while no view is linked
    CameraLink *camera_ = nullptr;
    QObject *firstView_ = nullptr;
    QString pathName_;
    bool unrecordedChanges_ = false;
    bool undoHistoryModified_ = false;
    int undoableChanges_ = 0;
};
