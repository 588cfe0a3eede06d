#include "audio/ffmpeg_gapless.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "audio/ffmpeg_library.h"

namespace tarvo::audio {

namespace {

constexpr std::size_t kDelayWord = 1;
constexpr std::size_t kPaddingWord = 2;
constexpr std::size_t kLengthWord = 3;

}  // namespace

std::optional<ItunesGapless> ParseItunSmpb(std::string_view text) {
  std::vector<std::int64_t> words;
  while (words.size() <= kLengthWord) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);
    const std::size_t end = std::min(text.find(' '), text.size());
    std::uint64_t value = 0;
    const auto [last, error] = std::from_chars(text.data(), text.data() + end, value, 16);
    if (error != std::errc() || last != text.data() + end || value > INT64_MAX / 2) return std::nullopt;
    words.push_back(static_cast<std::int64_t>(value));
    text.remove_prefix(end);
  }
  if (words[kLengthWord] == 0) return std::nullopt;
  return ItunesGapless{words[kDelayWord], words[kPaddingWord], words[kLengthWord]};
}

std::optional<ItunesGapless> ItunesGaplessOf(const AVFormatContext& format) {
  const AVDictionaryEntry* entry = LoadedFfmpeg().av_dict_get(format.metadata, "iTunSMPB", nullptr, 0);
  return entry && entry->value ? ParseItunSmpb(entry->value) : std::nullopt;
}

std::int64_t CountStreamDuration(AVFormatContext& format, int stream) {
  AVPacket* packet = LoadedFfmpeg().av_packet_alloc();
  if (!packet) return -1;
  std::int64_t total = 0;
  while (total >= 0 && LoadedFfmpeg().av_read_frame(&format, packet) >= 0) {
    if (packet->stream_index == stream) total = packet->duration > 0 ? total + packet->duration : -1;
    LoadedFfmpeg().av_packet_unref(packet);
  }
  LoadedFfmpeg().av_packet_free(&packet);
  const AVStream* counted = format.streams[stream];
  const std::int64_t start = counted->start_time == AV_NOPTS_VALUE ? 0 : counted->start_time;
  if (LoadedFfmpeg().av_seek_frame(&format, stream, start, AVSEEK_FLAG_BACKWARD) < 0) return -1;
  return total;
}

}  // namespace tarvo::audio
