// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include <QString>

class QIODevice;

// A file written in full before it takes the place of the one at its path:
// the bytes go to a temporary file in the same folder, which replaces the
// target only on Commit(), so a failure never leaves a half-written file in
// place of an existing one.  Every write is checked, short ones included
// (the system accepts part of a write when the disk fills or the file-size
// limit is reached), and the first failure is kept with the system's
// reason; later writes fail at once.  The device may seek (a film's
// container finishes its index that way).  A target that exists and is not a
// regular file (a folder, a FIFO, a device, or a link to one) is refused,
// as renaming over it would destroy it; a link to a regular file is
// followed and the file it names is replaced.
class SafeFile {
public:
    explicit SafeFile(const QString &path);
    ~SafeFile();   // gives up what was not committed
    SafeFile(const SafeFile &) = delete;
    SafeFile &operator=(const SafeFile &) = delete;

    // Creates the temporary file; false with Error() when the target may
    // not be replaced or nothing can be written there.
    bool Open();
    // Runs `write` on the device and writes out what it left buffered;
    // false with Error() when it gave up or a write failed.
    bool Write(const std::function<bool(QIODevice &)> &write);
    // Replaces the target; false with Error().
    bool Commit();

    // "The file ... could not be written: <reason>." or "... is not a
    // regular file."
    const QString &Error() const { return error_; }

private:
    class CheckedDevice;
    bool Fail(const QString &reason);

    QString path_;
    std::unique_ptr<CheckedDevice> device_;
    QString error_;
};

// Writes `path` through a SafeFile.  `write` returns false to give up.  On
// failure `error` receives a message naming the file and the reason.
bool WriteFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                     QString *error);
