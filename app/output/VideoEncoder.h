// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

class QIODevice;
struct BitmapPixels;

enum class VideoFormat {
    Mp4,    // H.264, yuv420p: what browsers and presentation programs play
    WebM,   // VP9, yuv420p
    Gif,    // one palette for the whole film
};

// The format a file suffix (any case) names: mp4, webm or gif.
bool VideoFormatOfSuffix(const QString &suffix, VideoFormat *format);
QString VideoSuffix(VideoFormat format);

// Encodes pictures, one after the other, into a video written to a device
// (seekable: MP4 goes back to finish its index) with FFmpeg's libraries.
// Holds one picture at a time, whatever the length of the film.  Any
// failure leaves the encoder failed, with the library's reason in Error();
// what was written to the device is then of no use.
class VideoEncoder {
public:
    VideoEncoder();
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder &) = delete;
    VideoEncoder &operator=(const VideoEncoder &) = delete;

    // Starts a film of width x height pixels at `fps` pictures a second.
    // A GIF takes its `palette` (0xRRGGBB, at most 256 colours; see
    // FilmPalette); the other formats ignore it.  H.264 and VP9 need an
    // even width and height.
    bool Open(QIODevice &out, VideoFormat format, int width, int height, int fps,
              const std::vector<uint32_t> &palette = {});
    // Adds the next picture, of the film's size.
    bool Add(const BitmapPixels &picture);
    // Encodes what the encoder still holds and ends the file.
    bool Finish();

    const QString &Error() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
