#include "output/PictureStreams.h"

#include <csetjmp>
#include <vector>

#include <png.h>
#include <QIODevice>

namespace {

class PngStream : public PictureRows {
public:
    explicit PngStream(QIODevice &out) : out_(out) {}
    ~PngStream() override
    {
        if (png_)
            png_destroy_write_struct(&png_, &info_);
    }

    Layout RowLayout() const override { return {false, 1, true}; }

    bool Begin(int width, int height) override
    {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        info_ = png_ ? png_create_info_struct(png_) : nullptr;
        if (!info_)
            return false;
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_set_write_fn(png_, this, &PngStream::Write, &PngStream::Flush);
        png_set_IHDR(png_, info_, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_filter(png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_write_info(png_, info_);
        return ok_;
    }

    bool Rows(const uchar *first, int count, qsizetype stride) override
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        for (int k = 0; k < count && ok_; ++k)
            png_write_row(png_, first + k * stride);
        return ok_;
    }

    bool End() override
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_write_end(png_, info_);
        return ok_;
    }

private:
    static void Write(png_structp png, png_bytep data, size_t length)
    {
        auto *self = static_cast<PngStream *>(png_get_io_ptr(png));
        if (self->ok_ && self->out_.write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
            self->ok_ = false;
    }
    static void Flush(png_structp) {}

    QIODevice &out_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool ok_ = true;
};

class BmpStream : public PictureRows {
public:
    explicit BmpStream(QIODevice &out) : out_(out) {}

    Layout RowLayout() const override { return {true, 4, false}; }

    bool Begin(int width, int height) override
    {
        BitmapPixels shape;
        shape.width = width;
        shape.height = height;
        stride_ = shape.Stride();
        const QByteArray headers = BitmapFileBytes(shape);   // no pixels yet
        return out_.write(headers) == headers.size();
    }

    bool Rows(const uchar *first, int count, qsizetype stride) override
    {
        for (int k = 0; k < count; ++k)
            if (out_.write(reinterpret_cast<const char *>(first + k * stride), stride_) != stride_)
                return false;
        return true;
    }

    bool End() override { return true; }

private:
    QIODevice &out_;
    qint64 stride_ = 0;
};

class PixelSink : public PictureRows {
public:
    explicit PixelSink(BitmapPixels &pixels) : pixels_(pixels) {}

    Layout RowLayout() const override { return {true, 4, false}; }

    bool Begin(int width, int height) override
    {
        pixels_.width = width;
        pixels_.height = height;
        pixels_.rows = QByteArray(pixels_.ImageSize(), Qt::Uninitialized);
        next_ = 0;
        return pixels_.rows.size() == pixels_.ImageSize();
    }

    bool Rows(const uchar *first, int count, qsizetype stride) override
    {
        const int rowBytes = pixels_.Stride();
        if (next_ + count > pixels_.height)
            return false;
        for (int k = 0; k < count; ++k, ++next_)
            std::copy_n(first + k * stride, rowBytes, pixels_.rows.data() + qsizetype(next_) * rowBytes);
        return true;
    }

    bool End() override { return next_ == pixels_.height; }

private:
    BitmapPixels &pixels_;
    int next_ = 0;
};

class ImageSink : public PictureRows {
public:
    explicit ImageSink(QImage &image) : image_(image) {}

    // QImage's rows are 4-byte aligned.
    Layout RowLayout() const override { return {false, 4, true}; }

    bool Begin(int width, int height) override
    {
        image_ = QImage(width, height, QImage::Format_RGB888);
        next_ = 0;
        return !image_.isNull();
    }

    bool Rows(const uchar *first, int count, qsizetype stride) override
    {
        if (next_ + count > image_.height())
            return false;
        for (int k = 0; k < count; ++k, ++next_)
            std::copy_n(first + k * stride, 3 * image_.width(), image_.scanLine(next_));
        return true;
    }

    bool End() override { return next_ == image_.height(); }

private:
    QImage &image_;
    int next_ = 0;
};

} // namespace

std::unique_ptr<PictureRows> ImageRows(QImage &image)
{
    return std::make_unique<ImageSink>(image);
}

std::unique_ptr<PictureRows> PngRows(QIODevice &out)
{
    return std::make_unique<PngStream>(out);
}

std::unique_ptr<PictureRows> BmpRows(QIODevice &out)
{
    return std::make_unique<BmpStream>(out);
}

std::unique_ptr<PictureRows> PixelRows(BitmapPixels &pixels)
{
    return std::make_unique<PixelSink>(pixels);
}

bool SendPixels(const BitmapPixels &pixels, PictureRows &rows)
{
    if (pixels.IsEmpty() || pixels.rows.size() < pixels.ImageSize())
        return false;
    const PictureRows::Layout layout = rows.RowLayout();
    const qsizetype stride = pixels.Stride();
    const uchar *bottom = reinterpret_cast<const uchar *>(pixels.rows.constData());
    const uchar *first = layout.topDown ? bottom + (pixels.height - 1) * stride : bottom;
    const qsizetype step = layout.topDown ? -stride : stride;
    if (!rows.Begin(pixels.width, pixels.height))
        return false;
    if (layout.bgr && layout.Stride(pixels.width) == stride)
        return rows.Rows(first, pixels.height, step) && rows.End();
    std::vector<uchar> row(size_t(layout.Stride(pixels.width)), 0);
    for (int y = 0; y < pixels.height; ++y) {
        const uchar *from = first + y * step;
        for (int x = 0; x < pixels.width; ++x) {
            const uchar *p = from + 3 * x;
            uchar *to = row.data() + 3 * x;
            to[0] = layout.bgr ? p[0] : p[2];
            to[1] = p[1];
            to[2] = layout.bgr ? p[2] : p[0];
        }
        if (!rows.Rows(row.data(), 1, 0))
            return false;
    }
    return rows.End();
}
