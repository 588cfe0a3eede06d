// FeedOutput, the stream procedure of the output stream, and the tail cut it
// decides near the end of an MP3 entry.
//
// Audio thread. Every function here runs with engineMutex_ held (FeedOutput
// takes it for its whole call, which is bounded: one decoder read of the
// requested size, and once per entry the 3-second tail read and analysis).
// Nothing here allocates: the tail buffer is sized by the window thread when
// an entry starts.
//
// Each entry is decoded once: the tail cut looks at what is left of an MP3
// entry by reading it ahead from the main decoder into the tail buffer, and
// the output is then fed from that buffer up to the cut.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "playback/engine.h"
#include "playback/gapless_rules.h"

namespace tarvo {

namespace {

constexpr double kTailAnalysisSeconds = 3.0;
constexpr double kTailWindowSeconds = 0.2;

std::int64_t BytesPerSecond(const audio::ChannelInfo& info) {
  return static_cast<std::int64_t>(info.rate) * info.channels * 2;
}

std::int64_t Seconds(const audio::ChannelInfo& info, double seconds) {
  const std::int64_t frameBytes = static_cast<std::int64_t>(info.channels) * 2;
  if (frameBytes == 0) return 0;
  return static_cast<std::int64_t>(seconds * BytesPerSecond(info)) / frameBytes * frameBytes;
}

}  // namespace

std::uint32_t PlaybackEngine::FeedOutput(void* out, std::uint32_t wanted) {
  auto* buffer = static_cast<std::uint8_t*>(out);
  const std::lock_guard lock(engineMutex_);
  std::uint32_t result = 0;
  bool ended = true;
  bool cutClosed = false;
  const bool tailPending = tailLimit_ != -1 && mainDecoder_ != 0;
  if (tailPending || library_.ChannelIsActive(mainDecoder_) != audio::ChannelState::Stopped) {
    ended = false;
    if (tailLimit_ == -1 && TailCutDue()) {
      if (!ReadTail()) {
        pendingEvent_.store(static_cast<int>(PendingEventCode::Stop), std::memory_order_release);
        return audio::kStreamEnd;
      }
      tailLimit_ = FindTailCut();
    }
    if (tailLimit_ != -1) {
      result = TakeTail(buffer, wanted);
      if (tailLimit_ <= 0) {
        library_.StreamFree(mainDecoder_);
        mainDecoder_ = 0;
        cutClosed = true;
      }
    } else {
      result = library_.ChannelGetData(mainDecoder_, buffer, wanted);
      if (result == audio::kDataError) {
        pendingEvent_.store(static_cast<int>(PendingEventCode::Stop), std::memory_order_release);
        return audio::kStreamEnd;
      }
      if (library_.ChannelIsActive(mainDecoder_) == audio::ChannelState::Stopped) ended = true;
    }
  }
  if (ended && mainIsStream_) {
    // The connection ended. While the station may be reconnected the output
    // stalls until a new decoder comes; otherwise it plays out what it
    // holds and stops, which the status tick reports as a lost connection.
    if (streamOutputLingers_.load(std::memory_order_acquire)) return result;
    return result | audio::kStreamEnd;
  }
  if (ended) {
    decoderEnded_.store(true, std::memory_order_release);
    // Only entries above 3 seconds are cut, so one closed by the cut counts
    // as longer.
    const bool shortEntry = !cutClosed && mainLength_ <= Seconds(outputInfo_, kShortestJoinSeconds);
    if (shortEntry) {
      pendingEvent_.store(static_cast<int>(PendingEventCode::PlayNext), std::memory_order_release);
      return result | audio::kStreamEnd;
    }
    if (!next_.ready) {
      // The window thread opens the next entry at its next tick; until then
      // the output plays from its buffer.
      nextRequested_.store(true, std::memory_order_release);
    } else {
      return JoinNextEntry(buffer, result, wanted);
    }
  }
  bytesDelivered_ += result;
  return result;
}

// The ending entry delivered `kept` bytes of this request; the joined entry
// fills the rest, so no audio of either is lost, and the switch is marked
// after the kept bytes.
std::uint32_t PlaybackEngine::JoinNextEntry(std::uint8_t* buffer, std::uint32_t kept, std::uint32_t wanted) {
  library_.StreamFree(mainDecoder_);
  mainDecoder_ = 0;
  NextEntry next = next_;
  next_ = NextEntry();
  if (next.index < 0) {
    pendingEvent_.store(static_cast<int>(PendingEventCode::Stop), std::memory_order_release);
    return kept | audio::kStreamEnd;
  }
  if (!next.joinable) {
    pendingEvent_.store(static_cast<int>(PendingEventCode::PlayNext), std::memory_order_release);
    return kept | audio::kStreamEnd;
  }
  mainDecoder_ = next.mainDecoder;
  mainLength_ = next.length;
  mainIsMp3_ = next.isMp3;
  leadInSkipped_ = next.leadInSkipped;
  pendingIndex_ = next.index;
  tailLimit_ = -1;
  std::uint32_t joined = 0;
  if (wanted > kept) {
    joined = library_.ChannelGetData(mainDecoder_, buffer + kept, wanted - kept);
    if (joined == audio::kDataError) joined = 0;
  }
  switchPosition_.store(bytesDelivered_ + kept, std::memory_order_release);
  pendingEvent_.store(static_cast<int>(PendingEventCode::GaplessSwitch), std::memory_order_release);
  bytesDelivered_ += kept + joined;
  return kept + joined;
}

bool PlaybackEngine::TailCutDue() {
  if (!mainIsMp3_ || mainLength_ <= Seconds(outputInfo_, kShortestJoinSeconds)) return false;
  return library_.ChannelGetPosition(mainDecoder_) >= mainLength_ - Seconds(outputInfo_, 1.0);
}

// Reads what is left of the entry, up to 3 seconds, into the tail buffer.
// False on a read error.
bool PlaybackEngine::ReadTail() {
  const std::uint32_t bytes = static_cast<std::uint32_t>(
      std::min<std::int64_t>(Seconds(outputInfo_, kTailAnalysisSeconds), static_cast<std::int64_t>(scratch_.size()) * 2));
  const std::uint32_t got = library_.ChannelGetData(mainDecoder_, scratch_.data(), bytes);
  if (got == audio::kDataError) return false;
  tailBytes_ = got;
  tailTaken_ = 0;
  return true;
}

// The bytes of the tail buffer that are played: the last 0.2 s of the entry
// is scanned backwards for the last sample louder than half its average
// loudness, and what follows it is not played.
std::int64_t PlaybackEngine::FindTailCut() const {
  const std::int64_t count = tailBytes_ / 2;
  const std::int64_t start = std::max<std::int64_t>(count - Seconds(outputInfo_, kTailWindowSeconds) / 2, 0);
  const double average = static_cast<double>(AverageLoudness(scratch_.data(), start, count));
  const std::int64_t threshold = static_cast<std::int64_t>(std::nearbyint(average / 2));
  std::int64_t position = start;
  for (std::int64_t i = count - 1; i >= start; --i) {
    if (std::abs(scratch_[i]) > threshold) {
      position = i;
      break;
    }
  }
  return std::max<std::int64_t>(position * 2 / 4 * 4, 0);
}

// Copies the next bytes of the tail buffer up to the cut; the cut never lies
// past what was read.
std::uint32_t PlaybackEngine::TakeTail(std::uint8_t* buffer, std::uint32_t wanted) {
  const auto bytes = static_cast<std::uint32_t>(std::min<std::int64_t>(wanted, tailLimit_));
  std::memcpy(buffer, reinterpret_cast<const std::uint8_t*>(scratch_.data()) + tailTaken_, bytes);
  tailTaken_ += bytes;
  tailLimit_ -= bytes;
  return bytes;
}

}  // namespace tarvo
