#include "audio/icy_demuxer.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>

namespace tarvo::audio {

std::optional<std::int64_t> IcyMetaintOf(std::string_view header) {
  static constexpr std::string_view kName = "icy-metaint:";
  if (header.size() <= kName.size() || strncasecmp(header.data(), kName.data(), kName.size()) != 0) {
    return std::nullopt;
  }
  // strtol needs an ended text; a header is short (cut at 1 KB).
  const std::string value(header.substr(kName.size()));
  return std::max(0L, std::strtol(value.c_str(), nullptr, 10));
}

void IcyDemuxer::Feed(std::string_view bytes, const std::function<void(std::string_view)>& audio,
                      const std::function<void(std::string_view)>& metadata) {
  if (metaint_ <= 0) {
    if (!bytes.empty()) audio(bytes);
    return;
  }
  if (!started_) {
    started_ = true;
    audioLeft_ = metaint_;
  }
  while (!bytes.empty()) {
    switch (phase_) {
      case Phase::Audio: {
        const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(audioLeft_, bytes.size()));
        audio(bytes.substr(0, count));
        bytes.remove_prefix(count);
        audioLeft_ -= static_cast<std::int64_t>(count);
        if (audioLeft_ == 0) phase_ = Phase::Length;
        break;
      }
      case Phase::Length:
        textLeft_ = static_cast<std::size_t>(static_cast<unsigned char>(bytes.front())) * 16;
        bytes.remove_prefix(1);
        text_.clear();
        audioLeft_ = metaint_;
        phase_ = textLeft_ > 0 ? Phase::Text : Phase::Audio;
        break;
      case Phase::Text: {
        const std::size_t count = std::min(textLeft_, bytes.size());
        text_.append(bytes.substr(0, count));
        bytes.remove_prefix(count);
        textLeft_ -= count;
        if (textLeft_ > 0) break;
        const std::size_t end = text_.find('\0');
        if (end != std::string::npos) text_.resize(end);
        // A block of only padding repeats nothing: the last title stands.
        if (!text_.empty()) metadata(text_);
        phase_ = Phase::Audio;
        break;
      }
    }
  }
}

}  // namespace tarvo::audio
