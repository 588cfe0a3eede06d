#include "audio/ffmpeg_library.h"

#include <optional>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo::audio {

namespace {

constexpr char kFeature[] = "playing files through FFmpeg (AAC, ALAC and others)";

std::optional<FfmpegFunctions> Load() {
  std::optional<FfmpegFunctions> ffmpeg = LoadFunctionTable<FfmpegFunctions>(
      {library_name::kAvutil, library_name::kSwresample, library_name::kAvcodec, library_name::kAvformat}, kFeature,
      [](auto resolve, FfmpegFunctions& table) { return true TARVO_FFMPEG_FUNCTIONS(TARVO_RESOLVE_FUNCTION); });
  // Damaged frames are skipped and reported through the decoder's results;
  // FFmpeg's own log would only clutter the terminal.
  if (ffmpeg) ffmpeg->av_log_set_level(AV_LOG_QUIET);
  return ffmpeg;
}

}  // namespace

const FfmpegFunctions* Ffmpeg() {
  static const std::optional<FfmpegFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo::audio
