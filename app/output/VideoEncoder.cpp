#include "output/VideoEncoder.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <QIODevice>

#include "output/BitmapPixels.h"
#include "output/FfmpegLibraries.h"
#include "output/FilmPalette.h"

namespace {

constexpr int kIoBufferSize = 1 << 16;

// The libraries, once VideoEncoder::Open has found them.
const FfmpegLibraries *g_libraries = nullptr;

const FfmpegLibraries &Ff()
{
    return *g_libraries;
}

// The libraries' own messages are kept, not printed: the last error among
// them explains a failure better than its code alone.
QString g_lastLibraryError;

void KeepLibraryMessage(void *context, int level, const char *format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[1024];
    int prefix = 1;
    Ff().av_log_format_line(context, level, format, arguments, line, sizeof line, &prefix);
    g_lastLibraryError = QString::fromLocal8Bit(line).trimmed();
}

QString LibraryReason(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    Ff().av_strerror(code, text, sizeof text);
    QString reason = QString::fromLocal8Bit(text);
    if (!g_lastLibraryError.isEmpty())
        reason += QStringLiteral(" (%1)").arg(g_lastLibraryError);
    return reason;
}

// The device seen through FFmpeg's I/O callbacks.
struct Device {
    QIODevice *io = nullptr;
    QString error;   // the device's own reason, when a write or seek failed

    // Why the device failed: its own words, or the system's when it has
    // none (Qt's file devices often say no more than "Unknown error").
    int Failed(int code)
    {
        const QString said = io->errorString();
        if (code != 0 && (said.isEmpty() || said == QLatin1String("Unknown error")))
            error = QString::fromLocal8Bit(std::strerror(code));
        else
            error = said;
        return AVERROR(code != 0 ? code : EIO);
    }

    static int Write(void *opaque, uint8_t *data, int size)
    {
        auto *d = static_cast<Device *>(opaque);
        errno = 0;
        if (d->io->write(reinterpret_cast<const char *>(data), size) != size)
            return d->Failed(errno);
        return size;
    }

    static int64_t Seek(void *opaque, int64_t offset, int whence)
    {
        auto *d = static_cast<Device *>(opaque);
        switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE: return d->io->size();
        case SEEK_SET: break;
        case SEEK_CUR: offset += d->io->pos(); break;
        case SEEK_END: offset += d->io->size(); break;
        default: return AVERROR(EINVAL);
        }
        errno = 0;
        return d->io->seek(offset) ? offset : d->Failed(errno);
    }
};

} // namespace

bool VideoFormatOfSuffix(const QString &suffix, VideoFormat *format)
{
    const QString s = suffix.toLower();
    if (s == QLatin1String("mp4"))
        *format = VideoFormat::Mp4;
    else if (s == QLatin1String("webm"))
        *format = VideoFormat::WebM;
    else if (s == QLatin1String("gif"))
        *format = VideoFormat::Gif;
    else
        return false;
    return true;
}

QString VideoSuffix(VideoFormat format)
{
    switch (format) {
    case VideoFormat::Mp4: return QStringLiteral("mp4");
    case VideoFormat::WebM: return QStringLiteral("webm");
    case VideoFormat::Gif: return QStringLiteral("gif");
    }
    return {};
}

struct VideoEncoder::Impl {
    Device device;
    AVFormatContext *format = nullptr;
    AVIOContext *io = nullptr;
    AVCodecContext *codec = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *scaler = nullptr;
    std::unique_ptr<PaletteMapper> mapper;
    int width = 0, height = 0;
    int64_t next = 0;
    bool open = false, failed = false, headerWritten = false;
    QString error;

    bool Fail(const QString &message)
    {
        failed = true;
        error = message;
        return false;
    }
    // A library call's failure: the device's reason when it was the device.
    bool FailCall(const char *what, int code)
    {
        if (!device.error.isEmpty())
            return Fail(QStringLiteral("the video could not be written: %1").arg(device.error));
        return Fail(QStringLiteral("the video encoder failed (%1): %2").arg(QLatin1String(what), LibraryReason(code)));
    }
    bool OpenCodec(VideoFormat f, int fps);
    bool Drain();
    void Release();
};

void VideoEncoder::Impl::Release()
{
    if (!g_libraries)
        return;   // nothing was made without them
    Ff().sws_freeContext(scaler);
    scaler = nullptr;
    Ff().av_packet_free(&packet);
    Ff().av_frame_free(&frame);
    Ff().avcodec_free_context(&codec);
    if (io) {
        Ff().av_freep(&io->buffer);
        Ff().avio_context_free(&io);
    }
    if (format) {
        format->pb = nullptr;
        Ff().avformat_free_context(format);
        format = nullptr;
    }
    mapper.reset();
    open = false;
}

bool VideoEncoder::Impl::OpenCodec(VideoFormat f, int fps)
{
    const char *name = f == VideoFormat::Mp4 ? "libx264" : f == VideoFormat::WebM ? "libvpx-vp9"
                                                                                  : "gif";
    const AVCodec *encoder = Ff().avcodec_find_encoder_by_name(name);
    if (!encoder)
        return Fail(QStringLiteral("the video encoder %1 is not available").arg(QLatin1String(name)));
    codec = Ff().avcodec_alloc_context3(encoder);
    if (!codec)
        return Fail(QStringLiteral("the video encoder could not be made: out of memory"));
    codec->width = width;
    codec->height = height;
    codec->time_base = AVRational{1, fps};
    codec->framerate = AVRational{fps, 1};
    codec->pix_fmt = f == VideoFormat::Gif ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_YUV420P;
    codec->thread_count = 0;   // as many as the machine has
    if (f != VideoFormat::Gif) {
        // High-definition colours, said so in the file.
        codec->color_range = AVCOL_RANGE_MPEG;
        codec->colorspace = AVCOL_SPC_BT709;
        codec->color_primaries = AVCOL_PRI_BT709;
        codec->color_trc = AVCOL_TRC_BT709;
        codec->gop_size = 10 * fps;
    }
    if (f == VideoFormat::Mp4) {
        // Scenes of flat colours and thin lines: little to gain from a
        // slower search, much from keeping the lines clean.
        Ff().av_opt_set(codec->priv_data, "preset", "veryfast", 0);
        Ff().av_opt_set(codec->priv_data, "tune", "animation", 0);
        Ff().av_opt_set(codec->priv_data, "crf", "18", 0);
    } else if (f == VideoFormat::WebM) {
        codec->bit_rate = 0;
        Ff().av_opt_set(codec->priv_data, "crf", "24", 0);
        Ff().av_opt_set(codec->priv_data, "deadline", "good", 0);
        Ff().av_opt_set(codec->priv_data, "cpu-used", "5", 0);
        Ff().av_opt_set(codec->priv_data, "row-mt", "1", 0);
    }
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int opened = Ff().avcodec_open2(codec, encoder, nullptr);
    if (opened < 0)
        return FailCall("opening the encoder", opened);
    return true;
}

VideoEncoder::VideoEncoder() : d_(std::make_unique<Impl>()) {}

VideoEncoder::~VideoEncoder()
{
    d_->Release();
}

const QString &VideoEncoder::Error() const
{
    return d_->error;
}

bool VideoEncoder::Open(QIODevice &out, VideoFormat f, int width, int height, int fps,
                        const std::vector<uint32_t> &palette)
{
    Impl &d = *d_;
    d.Release();
    QString missing;
    g_libraries = g_libraries ? g_libraries : FfmpegLibraries::Get(&missing);
    if (!g_libraries)
        return d.Fail(missing);
    Ff().av_log_set_callback(&KeepLibraryMessage);
    g_lastLibraryError.clear();
    d.failed = false;
    d.headerWritten = false;
    d.error.clear();
    d.device = {&out, {}};
    d.width = width;
    d.height = height;
    d.next = 0;
    if (width <= 0 || height <= 0 || fps <= 0)
        return d.Fail(QStringLiteral("a film of %1 x %2 pixels at %3 pictures a second cannot be made")
                          .arg(width)
                          .arg(height)
                          .arg(fps));
    if (f != VideoFormat::Gif && (width % 2 || height % 2))
        return d.Fail(QStringLiteral("%1 videos need an even width and height, not %2 x %3")
                          .arg(VideoSuffix(f).toUpper())
                          .arg(width)
                          .arg(height));
    const char *container = f == VideoFormat::Mp4 ? "mp4" : f == VideoFormat::WebM ? "webm"
                                                                                   : "gif";
    int result = Ff().avformat_alloc_output_context2(&d.format, nullptr, container, nullptr);
    if (result < 0 || !d.format)
        return d.FailCall("choosing the container", result);
    auto *buffer = static_cast<unsigned char *>(Ff().av_malloc(kIoBufferSize));
    d.io = buffer ? Ff().avio_alloc_context(buffer, kIoBufferSize, 1, &d.device, nullptr, &Device::Write, &Device::Seek)
                  : nullptr;
    if (!d.io) {
        Ff().av_free(buffer);
        return d.Fail(QStringLiteral("the video could not be started: out of memory"));
    }
    d.format->pb = d.io;
    d.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (!d.OpenCodec(f, fps))
        return false;
    d.stream = Ff().avformat_new_stream(d.format, nullptr);
    if (!d.stream)
        return d.Fail(QStringLiteral("the video could not be started: out of memory"));
    d.stream->time_base = d.codec->time_base;
    d.stream->avg_frame_rate = d.codec->framerate;
    result = Ff().avcodec_parameters_from_context(d.stream->codecpar, d.codec);
    if (result < 0)
        return d.FailCall("describing the stream", result);
    result = Ff().avformat_write_header(d.format, nullptr);
    if (result < 0)
        return d.FailCall("writing the header", result);
    d.headerWritten = true;

    d.frame = Ff().av_frame_alloc();
    d.packet = Ff().av_packet_alloc();
    if (!d.frame || !d.packet)
        return d.Fail(QStringLiteral("the video could not be started: out of memory"));
    d.frame->format = d.codec->pix_fmt;
    d.frame->width = width;
    d.frame->height = height;
    result = Ff().av_frame_get_buffer(d.frame, 0);
    if (result < 0)
        return d.FailCall("making a picture", result);
    if (f == VideoFormat::Gif) {
        d.mapper = std::make_unique<PaletteMapper>(palette.empty() ? std::vector<uint32_t>{0} : palette);
    } else {
        d.scaler = Ff().sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, AV_PIX_FMT_YUV420P,
                                       SWS_AREA | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
        if (!d.scaler)
            return d.Fail(QStringLiteral("the pictures cannot be converted for the video"));
        // The matrix of the colours the file says it holds (BT.709), in the
        // video range.
        const int *coefficients = Ff().sws_getCoefficients(SWS_CS_ITU709);
        Ff().sws_setColorspaceDetails(d.scaler, coefficients, 1, coefficients, 0, 0, 1 << 16, 1 << 16);
    }
    d.open = true;
    return true;
}

bool VideoEncoder::Impl::Drain()
{
    for (;;) {
        const int received = Ff().avcodec_receive_packet(codec, packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return true;
        if (received < 0)
            return FailCall("encoding", received);
        Ff().av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        const int written = Ff().av_interleaved_write_frame(format, packet);
        if (written < 0)
            return FailCall("writing", written);
    }
}

bool VideoEncoder::Add(const BitmapPixels &picture)
{
    Impl &d = *d_;
    if (!d.open || d.failed)
        return d.Fail(d.error.isEmpty() ? QStringLiteral("the video is not open") : d.error);
    if (picture.width != d.width || picture.height != d.height)
        return d.Fail(QStringLiteral("a picture of %1 x %2 pixels does not fit a film of %3 x %4")
                          .arg(picture.width)
                          .arg(picture.height)
                          .arg(d.width)
                          .arg(d.height));
    int result = Ff().av_frame_make_writable(d.frame);
    if (result < 0)
        return d.FailCall("making a picture", result);
    if (d.mapper) {
        d.mapper->Map(picture, d.frame->data[0], d.frame->linesize[0]);
        auto *palette = reinterpret_cast<uint32_t *>(d.frame->data[1]);
        const std::vector<uint32_t> &colors = d.mapper->Palette();
        for (size_t k = 0; k < 256; ++k)
            palette[k] = 0xFF000000u | (k < colors.size() ? colors[k] : 0);
    } else {
        // Bitmap rows are bottom-up: start at the top row, step backwards.
        const auto *rows = reinterpret_cast<const uint8_t *>(picture.rows.constData());
        const uint8_t *top[1] = {rows + size_t(picture.height - 1) * size_t(picture.Stride())};
        const int stride[1] = {-picture.Stride()};
        Ff().sws_scale(d.scaler, top, stride, 0, picture.height, d.frame->data, d.frame->linesize);
    }
    d.frame->pts = d.next++;
    result = Ff().avcodec_send_frame(d.codec, d.frame);
    if (result < 0)
        return d.FailCall("encoding", result);
    return d.Drain();
}

bool VideoEncoder::Finish()
{
    Impl &d = *d_;
    if (!d.open || d.failed)
        return d.Fail(d.error.isEmpty() ? QStringLiteral("the video is not open") : d.error);
    const int flushed = Ff().avcodec_send_frame(d.codec, nullptr);
    if (flushed < 0)
        return d.FailCall("encoding", flushed);
    if (!d.Drain())
        return false;
    const int trailer = Ff().av_write_trailer(d.format);
    if (trailer < 0)
        return d.FailCall("ending the file", trailer);
    Ff().avio_flush(d.io);
    if (!d.device.error.isEmpty())
        return d.Fail(QStringLiteral("the video could not be written: %1").arg(d.device.error));
    d.open = false;
    return true;
}
