#include "output/PictureFiles.h"

#include <QFileInfo>
#include <QIODevice>
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
    if (format == "bmp") {
        const QByteArray bytes = BitmapFileBytes(pixels);
        return WriteFileSafely(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); }, error);
    }
    const QImage image = ToImage(pixels);
    return WriteFileSafely(path, [&](QIODevice &out) {
        QImageWriter writer(&out, format);
        return writer.write(image); }, error);
}
