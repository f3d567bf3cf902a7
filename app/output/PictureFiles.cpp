#include "output/PictureFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include "output/BitmapPixels.h"
#include "output/SafeFileWriter.h"

namespace {

QByteArray FormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpeg") ? QByteArrayLiteral("jpg") : suffix.toLatin1();
}

} // namespace

bool IsPictureSuffix(const QString &suffix)
{
    static const QStringList known = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("bmp")};
    return known.contains(suffix.toLower());
}

bool WritePictureFile(const QString &path, const BitmapPixels &pixels, QString *error)
{
    const QByteArray format = FormatOf(path);
    QByteArray bytes;
    if (format == "bmp") {
        bytes = BitmapFileBytes(pixels);
    } else {
        // Encoded in memory first, then written with checked writes: an
        // image writer that meets a full disk half-way gives up without the
        // reason (and Qt's PNG writer leaks on that path).
        QBuffer encoded(&bytes);
        encoded.open(QIODevice::WriteOnly);
        QImageWriter writer(&encoded, format);
        if (!writer.write(ToImage(pixels))) {
            if (error)
                *error = QStringLiteral("The file %1 could not be written: %2.")
                             .arg(QDir::toNativeSeparators(path), writer.errorString());
            return false;
        }
    }
    return WriteFileSafely(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); }, error);
}
