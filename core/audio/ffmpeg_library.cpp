#include "audio/ffmpeg_library.h"

#include <optional>
#include <vector>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo::audio {

namespace {

constexpr char kFeature[] = "playing files through FFmpeg (AAC, ALAC and others)";

std::optional<FfmpegFunctions> Load() {
  const std::optional<std::vector<void*>> libraries = OpenLibraries(
      {library_name::kAvutil, library_name::kSwresample, library_name::kAvcodec, library_name::kAvformat}, kFeature);
  if (!libraries) return std::nullopt;
  FfmpegFunctions ffmpeg{};
#define TARVO_FFMPEG_RESOLVE(name) &&ResolveFunction(*libraries, #name, kFeature, ffmpeg.name)
  if (!(true TARVO_FFMPEG_FUNCTIONS(TARVO_FFMPEG_RESOLVE))) return std::nullopt;
#undef TARVO_FFMPEG_RESOLVE
  // Damaged frames are skipped and reported through the decoder's results;
  // FFmpeg's own log would only clutter the terminal.
  ffmpeg.av_log_set_level(AV_LOG_QUIET);
  return ffmpeg;
}

}  // namespace

const FfmpegFunctions* Ffmpeg() {
  static const std::optional<FfmpegFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo::audio
