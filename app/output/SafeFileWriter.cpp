#include "output/SafeFileWriter.h"

#include <QDir>
#include <QSaveFile>

namespace {

bool Fail(const QString &path, const QString &reason, QString *error)
{
    if (error)
        *error = QStringLiteral("The file %1 could not be written: %2.")
                     .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

} // namespace

bool WriteFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                     QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(path, file.errorString(), error);
    if (!write(file) || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("writing stopped");
        file.cancelWriting();
        return Fail(path, reason, error);
    }
    if (!file.commit())
        return Fail(path, file.errorString(), error);
    return true;
}
