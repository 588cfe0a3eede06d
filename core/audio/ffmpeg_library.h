// FFmpeg, loaded the first time a file or stream of its formats (AAC, ALAC,
// FLAC, Opus in MP4, ...) is opened (see platform/loaded_library.h): its four
// libraries bring some eighty of their own (codecs, TLS, hardware video),
// which every start would pay for.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include "platform/loaded_library.h"

namespace tarvo::audio {

// The entry points the program calls.
#define TARVO_FFMPEG_FUNCTIONS(X)                                                                                \
  X(av_log_set_level) X(av_malloc) X(av_free) X(av_freep) X(av_rescale_q) X(av_dict_get) X(av_frame_alloc)      \
  X(av_frame_free) X(av_packet_alloc) X(av_packet_free) X(av_packet_unref) X(av_channel_layout_default)          \
  X(av_channel_layout_uninit) X(av_read_frame) X(av_seek_frame) X(av_find_best_stream) X(avio_alloc_context)    \
  X(avio_context_free) X(avformat_alloc_context) X(avformat_open_input) X(avformat_find_stream_info)            \
  X(avformat_seek_file) X(avformat_close_input) X(avcodec_alloc_context3) X(avcodec_parameters_to_context)      \
  X(avcodec_open2) X(avcodec_send_packet) X(avcodec_receive_frame) X(avcodec_flush_buffers)                     \
  X(avcodec_free_context) X(swr_alloc_set_opts2) X(swr_init) X(swr_convert) X(swr_free)

struct FfmpegFunctions {
  TARVO_FFMPEG_FUNCTIONS(TARVO_FUNCTION_TABLE_MEMBER)
};

// Any thread: the libraries, loaded once for the process with their log
// silenced. Null when one is missing or lacks an entry point.
const FfmpegFunctions* Ffmpeg();

// The libraries, for code that runs only once Ffmpeg() found them.
inline const FfmpegFunctions& LoadedFfmpeg() { return *Ffmpeg(); }

}  // namespace tarvo::audio
