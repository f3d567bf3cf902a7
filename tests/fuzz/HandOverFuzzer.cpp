// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The line a start hands its file over with.  Whatever bytes arrive, a path
// is taken only when the line names exactly that path; and every path a
// start sends either comes across unchanged or is not sent at all.
//
// Input: the bytes a caller sends.

#include <QDir>
#include <QString>

#include "FuzzSupport.h"
#include "HandOverMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // As the running program reads: the first line, as far as it goes.
    const qsizetype end = bytes.indexOf('\n');
    const QByteArray line = end < 0 ? bytes : bytes.left(end + 1);
    const QString path = HandedOverPath(line);
    if (!path.isEmpty()) {
        FUZZ_CHECK(QDir::isAbsolutePath(path) && !path.contains(QChar(0)), "only absolute paths are taken");
        FUZZ_CHECK(HandOverLine(path) == line, "the path taken is the one the line names");
    }

    // As a start sends: the bytes taken as a file's name.
    const QString name = QString::fromUtf8(bytes);
    for (const QString &candidate : {name, QLatin1Char('/') + name}) {
        const QByteArray sent = HandOverLine(candidate);
        if (sent.isEmpty())
            continue;
        const qsizetype lineEnd = sent.indexOf('\n');
        FUZZ_CHECK(lineEnd == sent.size() - 1, "a path goes as one line");
        FUZZ_CHECK(HandedOverPath(sent) == candidate, "a path sent comes across unchanged");
    }
    return 0;
}
