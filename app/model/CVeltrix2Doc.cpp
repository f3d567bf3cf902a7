// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CVeltrix2Doc.h"

#include <vector>

#include <QFile>

#include "qel/qel.h"

CVeltrix2Doc::CVeltrix2Doc(QObject *parent)
    : QObject(parent)
{
}

// The library functions belong to the records: release only our own handles
// so that a document going away never touches functions it does not own.
CVeltrix2Doc::~CVeltrix2Doc()
{
    for (int i = 0; i < list_.Count(); ++i)
        delete_function(list_.At(i).handle);
}

void CVeltrix2Doc::Add(const FunctionRecord &record, bool notify)
{
    list_.Append(record);
    SetModifiedFlag(true);
    if (!notify)
        return;
    UpdateAllViews(firstView_, record.handle);
    emit FunctionInserted(list_.Last());
}

void CVeltrix2Doc::Insert(int position, const FunctionRecord &record)
{
    if (position < 0 || position > list_.Count())
        return;
    list_.Insert(position, record);
    SetModifiedFlag(true);
    UpdateAllViews(firstView_, record.handle);
    emit FunctionInserted(position);
}

void CVeltrix2Doc::Update(int position, const FunctionRecord &record)
{
    if (!list_.IsValid(position))
        return;
    list_.Replace(position, record);
    SetModifiedFlag(true);
    UpdateAllViews(firstView_, record.handle);
    emit FunctionChanged(record.handle);
}

void CVeltrix2Doc::Remove(int position)
{
    if (!list_.IsValid(position))
        return;
    const FunctionRecord removed = list_.Take(position);
    delete_function(removed.handle);
    SetModifiedFlag(true);
    UpdateAllViews(firstView_, -1);
    emit FunctionRemoved(removed.handle);
}

void CVeltrix2Doc::NotifyVariablesChanged(int32_t handle)
{
    emit FunctionChanged(handle);
}

void CVeltrix2Doc::Clear()
{
    delete_all();
    list_.Clear();
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, -1);
}

FunctionRecord CVeltrix2Doc::Get(int position) const
{
    if (list_.IsValid(position))
        return list_.At(position);
    FunctionRecord none;
    none.visible = 0;
    none.color1 = 0;
    return none;
}

int CVeltrix2Doc::Count() const { return list_.Count(); }
int CVeltrix2Doc::First() const { return list_.First(); }
int CVeltrix2Doc::Last() const { return list_.Last(); }
int CVeltrix2Doc::Next(int position) const { return list_.Next(position); }
int CVeltrix2Doc::Find(int32_t handle) const { return list_.Find(handle); }

void CVeltrix2Doc::SetModifiedFlag(bool modified)
{
    if (modified && undoableChanges_ > 0)
        return;
    const bool was = IsModified();
    unrecordedChanges_ = modified;
    ModifiedMayHaveChanged(was);
}

void CVeltrix2Doc::SetUndoHistoryModified(bool modified)
{
    const bool was = IsModified();
    undoHistoryModified_ = modified;
    ModifiedMayHaveChanged(was);
}

void CVeltrix2Doc::ModifiedMayHaveChanged(bool wasModified)
{
    if (IsModified() != wasModified)
        emit ModifiedChanged(IsModified());
}

void CVeltrix2Doc::SetPathName(const QString &path)
{
    if (pathName_ == path)
        return;
    pathName_ = path;
    emit PathChanged(pathName_);
}

void CVeltrix2Doc::UpdateAllViews(QObject *sender, int hint)
{
    emit ViewsNeedUpdate(sender, hint);
}

void CVeltrix2Doc::ResetContents()
{
    delete_all();
    list_.Clear();
    settings_ = ViewSettings();
}

void CVeltrix2Doc::PushCameraToView()
{
    if (camera_)
        camera_->SetCamera(CameraPose{settings_.cameraX, settings_.cameraY, settings_.cameraZ,
                                      settings_.cameraPitch, settings_.cameraYaw});
}

void CVeltrix2Doc::NewDocument()
{
    ResetContents();
    PushCameraToView();
    SetPathName(QString());
    SetModifiedFlag(false);
    emit ContentsReplaced();
    UpdateAllViews(nullptr, -1);
}

bool CVeltrix2Doc::Save(const QString &path, QString *error)
{
    if (camera_) {
        const CameraPose pose = camera_->GetCamera();
        settings_.cameraX = pose.x;
        settings_.cameraY = pose.y;
        settings_.cameraZ = pose.z;
        settings_.cameraPitch = pose.pitch;
        settings_.cameraYaw = pose.yaw;
    }
    // Writing compiles again any function a failed edit left reset; the
    // views draw those again.
    std::vector<int32_t> wasReset;
    for (int i = 0; i < list_.Count(); ++i)
        if (is_function_initialized(list_.At(i).handle) == 0)
            wasReset.push_back(list_.At(i).handle);
    const bool written = WriteDocumentFile(path, settings_, list_, error);
    for (int32_t handle : wasReset)
        if (is_function_initialized(handle) == 1)
            UpdateAllViews(nullptr, handle);
    if (!written)
        return false;
    SetPathName(path);
    SetModifiedFlag(false);
    emit Saved();
    return true;
}

ReadOutcome CVeltrix2Doc::Open(const QString &path, QString *error)
{
    // A file that cannot be opened leaves the current document alone, as
    // nothing of it was read yet.
    QFile probe;
    if (!OpenDocumentForReading(path, probe, error))
        return ReadOutcome::CannotOpen;
    probe.close();

    ResetContents();
    const ReadOutcome outcome = ReadDocumentFile(path, settings_, list_, error);
    // The file's camera, or the default one of the empty document a damaged
    // file leaves.
    PushCameraToView();
    if (outcome == ReadOutcome::Ok) {
        SetPathName(path);
    } else {
        // Keeping the damaged file's name would let a later Save replace the
        // user's file with the empty document: stay untitled instead.
        SetPathName(QString());
    }
    SetModifiedFlag(false);
    emit ContentsReplaced();
    UpdateAllViews(nullptr, -1);
    return outcome;
}
