#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <QString>

// The FFmpeg functions the video encoder calls, found in the system's
// libraries when a video is first made rather than linked: those libraries
// bring a hundred more with them, which every other run of the programs
// (a picture, a figure) would load for nothing.
// clang-format off
#define VELTRIX_FFMPEG_FUNCTIONS(F)                                                                          \
    F(Util, av_malloc) F(Util, av_free) F(Util, av_freep) F(Util, av_strerror) F(Util, av_opt_set)            \
    F(Util, av_log_set_callback) F(Util, av_log_format_line) F(Util, av_frame_alloc) F(Util, av_frame_free)   \
    F(Util, av_frame_get_buffer) F(Util, av_frame_make_writable)                                             \
    F(Codec, avcodec_find_encoder_by_name) F(Codec, avcodec_alloc_context3) F(Codec, avcodec_free_context)   \
    F(Codec, avcodec_open2) F(Codec, avcodec_parameters_from_context) F(Codec, avcodec_send_frame)          \
    F(Codec, avcodec_receive_packet) F(Codec, av_packet_alloc) F(Codec, av_packet_free)                      \
    F(Codec, av_packet_rescale_ts)                                                                           \
    F(Format, avformat_alloc_output_context2) F(Format, avformat_free_context) F(Format, avformat_new_stream) \
    F(Format, avformat_write_header) F(Format, av_interleaved_write_frame) F(Format, av_write_trailer)        \
    F(Format, avio_alloc_context) F(Format, avio_context_free) F(Format, avio_flush)                         \
    F(Scale, sws_getContext) F(Scale, sws_freeContext) F(Scale, sws_scale) F(Scale, sws_getCoefficients)     \
    F(Scale, sws_setColorspaceDetails)
// clang-format on

struct FfmpegLibraries {
#define VELTRIX_FFMPEG_POINTER(library, name) decltype(&::name) name = nullptr;
    VELTRIX_FFMPEG_FUNCTIONS(VELTRIX_FFMPEG_POINTER)
#undef VELTRIX_FFMPEG_POINTER

    // Loads the libraries of the versions the program was built with, once.
    // Null with a reason when they (or a function) cannot be found.
    static const FfmpegLibraries *Get(QString *why);
};
