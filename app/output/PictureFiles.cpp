// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/PictureFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include "output/BitmapPixels.h"
#include "output/OffscreenRenderer.h"
#include "output/PictureStreams.h"
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

namespace {

std::unique_ptr<PictureRows> StreamFor(const QByteArray &format, QIODevice &out)
{
    if (format == "png")
        return PngRows(out);
    if (format == "bmp")
        return BmpRows(out);
    return nullptr;
}

// Passes rows on, tells `progress` how many went, and remembers whether
// writing them failed, to tell a full disk from a picture that could not be
// drawn.
class WatchedRows : public PictureRows {
public:
    WatchedRows(PictureRows &to, const PictureProgress &progress) : to_(to), progress_(progress) {}
    Layout RowLayout() const override { return to_.RowLayout(); }
    bool Begin(int width, int height) override
    {
        height_ = height;
        return Note(to_.Begin(width, height));
    }
    bool Rows(const uchar *first, int count, qsizetype stride) override
    {
        const bool ok = Note(to_.Rows(first, count, stride));
        done_ += count;
        if (ok && progress_)
            progress_(done_, height_);
        return ok;
    }
    bool End() override { return Note(to_.End()); }
    bool Failed() const { return failed_; }

private:
    bool Note(bool ok)
    {
        failed_ = failed_ || !ok;
        return ok;
    }
    PictureRows &to_;
    const PictureProgress &progress_;
    int height_ = 0, done_ = 0;
    bool failed_ = false;
};

} // namespace

bool WritePictureFile(const QString &path, const BitmapPixels &pixels, QString *error)
{
    const QByteArray format = FormatOf(path);
    if (format == "png" || format == "bmp")
        return WriteFileSafely(path, [&](QIODevice &out) { return SendPixels(pixels, *StreamFor(format, out)); }, error);
    // Encoded in memory first, then written with checked writes: an image
    // writer that meets a full disk half-way gives up without the reason (and
    // Qt's PNG writer leaks on that path).
    QByteArray bytes;
    QBuffer encoded(&bytes);
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format);
    if (!writer.write(ToImage(pixels))) {
        if (error)
            *error = QStringLiteral("The file %1 could not be written: %2.")
                         .arg(QDir::toNativeSeparators(path), writer.errorString());
        return false;
    }
    return WriteFileSafely(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); }, error);
}

bool WriteRenderedPicture(const QString &path, OffscreenRenderer &renderer, const SceneState &scene, int width,
                          int height, QString *error, const PictureProgress &progress)
{
    const QByteArray format = FormatOf(path);
    bool rendered = true;
    bool written = false;
    if (format == "png" || format == "bmp") {
        written = WriteFileSafely(path, [&](QIODevice &out) {
            const std::unique_ptr<PictureRows> stream = StreamFor(format, out);
            WatchedRows rows(*stream, progress);
            rendered = renderer.Render(scene, width, height, rows) || rows.Failed();
            return rendered && !rows.Failed(); }, error);
    } else {
        BitmapPixels pixels;
        rendered = renderer.Render(scene, width, height, pixels);
        written = rendered && WritePictureFile(path, pixels, error);
    }
    // A picture that could not be drawn says so better than the file's
    // "writing stopped".
    if (!rendered && error)
        *error = QStringLiteral("The scene cannot be rendered: %1.").arg(renderer.Error());
    return written;
}
