#pragma once

#include <functional>

#include <QString>

class QIODevice;

// Writes `path` through a temporary file in the same folder that replaces
// the target only once everything was written, so a failure never leaves a
// half-written file in place of an existing one.  `write` returns false to
// give up.  On failure `error` receives a message naming the file and the
// reason.
bool WriteFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                     QString *error);
