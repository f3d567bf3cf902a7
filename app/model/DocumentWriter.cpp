// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QSaveFile>

#include "ArchiveWriter.h"
#include "CodePage1252.h"
#include "DocumentFile.h"
#include "DocumentFormat.h"
#include "FunctionDefinition.h"
#include "qel/qel.h"

namespace {

void WriteHeader(ArchiveWriter &ar)
{
    ar.WriteBytes(DocumentFormat::kSignature, sizeof DocumentFormat::kSignature);
    ar.WriteBytes(DocumentFormat::kMagic, sizeof DocumentFormat::kMagic);
    ar.WriteByte(DocumentFormat::kVersionMajor);
    ar.WriteByte(DocumentFormat::kVersionMinor);
}

void WriteSettings(ArchiveWriter &ar, const ViewSettings &s)
{
    ar.WriteDouble(s.sensitivity);
    ar.WriteDouble(s.cubeDimension);
    ar.WriteDouble(s.nearPlane);
    ar.WriteDouble(s.farPlane);
    ar.WriteDouble(s.fieldOfView);
    ar.WriteDouble(s.cameraX);
    ar.WriteDouble(s.cameraY);
    ar.WriteDouble(s.cameraZ);
    ar.WriteDouble(s.cameraPitch);
    ar.WriteDouble(s.cameraYaw);
    ar.WriteInt32(s.showCube);
    ar.WriteInt32(s.showReferenceMarks);
    ar.WriteInt32(s.showAxes);
    ar.WriteUInt32(s.backgroundColor);
    ar.WriteUInt32(s.cubeColor);
    ar.WriteUInt32(s.axesColor);
    ar.WriteUInt32(s.cursorColor);
    ar.WriteInt32(s.cursorKind);
    ar.WriteString(s.axisLabelX);
    ar.WriteString(s.axisLabelY);
    ar.WriteString(s.axisLabelZ);
    ar.WriteUInt32(s.printBufferMB);
    ar.WriteUInt32(s.animationIntervalMs);
}

// The record fields up to the text.  The label field is the label cut to 80
// characters and padded with zeros, so no stray memory reaches the file.
void WriteEntryFields(ArchiveWriter &ar, const FunctionRecord &r)
{
    char label[DocumentFormat::kLabelFieldSize] = {};
    r.label.copy(label, DocumentFormat::kLabelFieldSize - 1);
    ar.WriteBytes(label, sizeof label);
    ar.WriteInt32(r.visible);
    ar.WriteUInt32(r.color1);
    ar.WriteUInt32(r.color2);
    ar.WriteInt32(r.mode);
    ar.WriteInt32(int32_t(r.text.size()));
    ar.WriteBytes(r.text.data(), r.text.size());
}

void SetError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// A function left reset by a failed edit is compiled again from its record's
// text, so that every record can be stored and the count matches the entries.
bool CompileAll(const FunctionList &list, QString *error)
{
    for (int i = 0; i < list.Count(); ++i) {
        const FunctionRecord &r = list.At(i);
        if (!EnsureCompiled(r.handle, r.text)) {
            SetError(error, QStringLiteral("The function \"%1\" cannot be compiled")
                                .arg(FromCp1252(r.label)));
            return false;
        }
    }
    return true;
}

bool WriteFunctions(ArchiveWriter &ar, int fd, const FunctionList &list, QString *error)
{
    for (int i = 0; i < list.Count(); ++i) {
        const FunctionRecord &r = list.At(i);
        WriteEntryFields(ar, r);
        // The library writes its block at the descriptor's position: the
        // archive's buffer must be in the file first.
        if (!ar.Flush()) {
            SetError(error, QString::fromStdString(ar.ErrorText()));
            return false;
        }
        if (store_function(r.handle, fd) != 1) {
            SetError(error, QStringLiteral("The function \"%1\" could not be written")
                                .arg(FromCp1252(r.label)));
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteDocumentFile(const QString &path, const ViewSettings &settings,
                       const FunctionList &list, QString *error)
{
    if (list.Count() > DocumentFormat::kMaxFunctions) {
        SetError(error, QStringLiteral("Too many functions"));
        return false;
    }
    if (!CompileAll(list, error))
        return false;

    if (HoldsOtherThanRegularFile(path)) {
        SetError(error, NotRegularFileMessage(path));
        return false;
    }
    // The target is replaced only by commit(), after everything was written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    const int fd = file.handle();
    ArchiveWriter ar(fd);
    WriteHeader(ar);
    WriteSettings(ar, settings);
    ar.WriteInt32(int32_t(list.Count()));
    if (!WriteFunctions(ar, fd, list, error))
        return false;
    if (!ar.Flush()) {
        SetError(error, QString::fromStdString(ar.ErrorText()));
        return false;
    }
    if (!file.commit()) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}
