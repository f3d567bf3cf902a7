// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cerrno>
#include <cstring>
#include <utility>

#include <QDir>
#include <QFile>

#include "ArchiveReader.h"
#include "DocumentFile.h"
#include "DocumentFormat.h"
#include "FunctionDefinition.h"
#include "qel/qel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString ReadOutcomeMessage(ReadOutcome outcome)
{
    switch (outcome) {
    case ReadOutcome::InvalidFile: return QStringLiteral("Invalid file");
    case ReadOutcome::BadFormat:
    case ReadOutcome::BlockFailed: return QStringLiteral("Bad file format");
    default: return QString();
    }
}

QString ReadOutcomeTitle(ReadOutcome outcome)
{
    switch (outcome) {
    case ReadOutcome::InvalidFile: return QStringLiteral("Bad file format");
    case ReadOutcome::BadFormat:
    case ReadOutcome::BlockFailed: return QStringLiteral("Error");
    default: return QString();
    }
}

QString ReadFailureLine(const QString &path, ReadOutcome outcome, const QString &error)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (outcome == ReadOutcome::CannotOpen)
        return QStringLiteral("The document %1 cannot be opened: %2.").arg(shown, error);
    return QStringLiteral("%1: %2").arg(shown, ReadOutcomeMessage(outcome));
}

namespace {

// Signature, magic and version; a file too short to hold them is refused
// like a wrong one.
bool ReadHeader(ArchiveReader &ar)
{
    char header[DocumentFormat::kHeaderSize];
    if (ar.ReadAvailable(header, sizeof header) != sizeof header)
        return false;
    const char *p = header;
    if (std::memcmp(p, DocumentFormat::kSignature, sizeof DocumentFormat::kSignature) != 0)
        return false;
    p += sizeof DocumentFormat::kSignature;
    if (std::memcmp(p, DocumentFormat::kMagic, sizeof DocumentFormat::kMagic) != 0)
        return false;
    p += sizeof DocumentFormat::kMagic;
    return uint8_t(p[0]) == DocumentFormat::kVersionMajor &&
           uint8_t(p[1]) == DocumentFormat::kVersionMinor;
}

void ReadSettings(ArchiveReader &ar, ViewSettings &s)
{
    s.sensitivity = ar.ReadDouble();
    s.cubeDimension = ar.ReadDouble();
    s.nearPlane = ar.ReadDouble();
    s.farPlane = ar.ReadDouble();
    s.fieldOfView = ar.ReadDouble();
    s.cameraX = ar.ReadDouble();
    s.cameraY = ar.ReadDouble();
    s.cameraZ = ar.ReadDouble();
    s.cameraPitch = ar.ReadDouble();
    s.cameraYaw = ar.ReadDouble();
    s.showCube = ar.ReadInt32();
    s.showReferenceMarks = ar.ReadInt32();
    s.showAxes = ar.ReadInt32();
    s.backgroundColor = ar.ReadUInt32();
    s.cubeColor = ar.ReadUInt32();
    s.axesColor = ar.ReadUInt32();
    s.cursorColor = ar.ReadUInt32();
    s.cursorKind = ar.ReadInt32();
    s.axisLabelX = ar.ReadString();
    s.axisLabelY = ar.ReadString();
    s.axisLabelZ = ar.ReadString();
    s.printBufferMB = ar.ReadUInt32();
    s.animationIntervalMs = ar.ReadUInt32();
}

// The record fields up to the text.  False when the file ends or a length
// cannot be right.
bool ReadEntryFields(ArchiveReader &ar, FunctionRecord &r)
{
    char label[DocumentFormat::kLabelFieldSize];
    ar.ReadBytes(label, sizeof label);
    r.label.assign(label, strnlen(label, DocumentFormat::kLabelFieldSize - 1));
    r.visible = ar.ReadInt32();
    r.color1 = ar.ReadUInt32();
    r.color2 = ar.ReadUInt32();
    r.mode = ar.ReadInt32();
    const int32_t length = ar.ReadInt32();
    if (!ar.Ok() || length < 0 || length > ar.Remaining())
        return false;
    r.text.assign(size_t(length), '\0');
    return ar.ReadBytes(r.text.data(), r.text.size());
}

void DeleteHandles(const FunctionList &list)
{
    for (int i = 0; i < list.Count(); ++i)
        delete_function(list.At(i).handle);
}

ReadOutcome ReadFunctions(ArchiveReader &ar, int fd, FunctionList &loaded)
{
    const int32_t count = ar.ReadInt32();
    if (!ar.Ok() || count < 0 || count > DocumentFormat::kMaxFunctions)
        return ReadOutcome::BadFormat;
    for (int32_t i = 0; i < count; ++i) {
        FunctionRecord r;
        if (!ReadEntryFields(ar, r))
            return ReadOutcome::BadFormat;
        // The library reads its block from the descriptor's position: give
        // the archive's read-ahead back first.
        if (!ar.Flush())
            return ReadOutcome::BadFormat;
        r.handle = new_function();
        if (r.handle < 0)
            return ReadOutcome::BlockFailed;
        // A curve's or surface's block holds a tuple of expressions, which
        // the library is told of before it compiles the block.
        PrepareForDefinition(r.handle, r.text);
        if (load_function(r.handle, fd) != 1) {
            delete_function(r.handle);
            return ReadOutcome::BlockFailed;
        }
        loaded.Append(std::move(r));
    }
    return ReadOutcome::Ok;
}

}  // namespace

QString NotRegularFileMessage(const QString &path)
{
    return QStringLiteral("%1 is not a regular file.").arg(path);
}

bool HoldsOtherThanRegularFile(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

bool OpenDocumentForReading(const QString &path, QFile &file, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(NotRegularFileMessage(path));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return fail(reason);
    }
    return true;
}

ReadOutcome ReadDocumentFile(const QString &path, ViewSettings &settings,
                             FunctionList &list, QString *error)
{
    settings = ViewSettings();
    list.Clear();

    QFile file;
    if (!OpenDocumentForReading(path, file, error))
        return ReadOutcome::CannotOpen;
    const int fd = file.handle();
    ArchiveReader ar(fd);
    if (!ReadHeader(ar))
        return ReadOutcome::InvalidFile;

    ViewSettings read;
    ReadSettings(ar, read);
    if (!ar.Ok())
        return ReadOutcome::BadFormat;
    FunctionList loaded;
    const ReadOutcome outcome = ReadFunctions(ar, fd, loaded);
    if (outcome != ReadOutcome::Ok) {
        DeleteHandles(loaded);
        return outcome;
    }
    // Moved, not copied: a long axis label would otherwise be held twice.
    settings = std::move(read);
    list = std::move(loaded);
    return ReadOutcome::Ok;
}
