// The window thread's side of the end of an entry: the status tick, opening
// the entry that FeedOutput asked for, completing a gapless switch and
// starting the next entry after the output has drained.
#include <cmath>

#include "base/text.h"
#include "base/time_texts.h"
#include "media/probes.h"
#include "platform/process.h"
#include "playback/engine.h"
#include "playback/gapless_rules.h"
#include "playback/replay_gain_level.h"
#include "playback/sequencing.h"
#include "playlist/entry.h"
#include "playlist/entry_caption.h"
#include "playlist/model.h"

namespace tarvo {

namespace {

constexpr double kLeadInSeconds = 0.2;

// An entry joins the running output only in its format: the same rate, the
// same channel count and the same sample width (an 8-bit file among 16-bit
// ones starts afresh).
bool SameOutputFormat(const audio::ChannelInfo& output, const audio::ChannelInfo& next) {
  return next.rate == output.rate && next.channels == output.channels &&
         (next.flags & audio::kFlag8Bit) == (output.flags & audio::kFlag8Bit);
}

// The bytes at the start of a joined entry that are near-silent: the first
// 0.2 s is read, and everything before the first sample louder than half the
// average loudness is skipped. Leaves the decoder just after it.
std::int64_t SkipLeadIn(audio::AudioLibrary& library, audio::AudioHandle decoder, std::int64_t length) {
  const std::int64_t window = library.ChannelSeconds2Bytes(decoder, kLeadInSeconds);
  if (length <= window) return 0;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(window / 2));
  const std::uint32_t got = library.ChannelGetData(decoder, samples.data(), static_cast<std::uint32_t>(window));
  const std::int64_t count = got == audio::kDataError ? 0 : got / 2;
  const std::int64_t threshold = AverageLoudness(samples.data(), 0, count) / 2;
  std::int64_t position = count - 1;
  for (std::int64_t i = 0; i < count; ++i) {
    if (std::abs(samples[i]) > threshold) {
      position = i;
      break;
    }
  }
  const std::int64_t skip = std::max<std::int64_t>(position * 2 / 4 * 4, 0);
  library.ChannelSetPosition(decoder, skip);
  return skip;
}

}  // namespace

void PlaybackEngine::StatusTick() {
  PlaybackCore& core = *core_;
  const auto event = static_cast<PendingEventCode>(pendingEvent_.load(std::memory_order_acquire));
  if (event == PendingEventCode::GaplessSwitch &&
      library_.ChannelGetPosition(outputStream_) >= switchPosition_.load(std::memory_order_acquire)) {
    pendingEvent_.store(0, std::memory_order_release);
    switchPosition_.store(-1, std::memory_order_release);
    CompleteGaplessSwitch();
  }
  // The entry after a joined one is picked only once the joined one is
  // current: the pick moves on from it, and shuffle has it in its history.
  // Waiting costs no gap: when the joined entry (over 3 s) is first heard,
  // the output still holds seconds of it. nextRequested_ is read before
  // PendingEvent, the reverse of the order FeedOutput sets them in.
  if (nextRequested_.load(std::memory_order_acquire) &&
      pendingEvent_.load(std::memory_order_acquire) != static_cast<int>(PendingEventCode::GaplessSwitch)) {
    PrepareNextEntry();
  }
  const EntryKind kind = EntryKindOf(core.playlist.PlayingEntry);
  if (kind == EntryKind::Stream) {
    StreamTick();
    return;
  }
  if (kind == EntryKind::Audio && !core.progress.seekPending) ShowElapsedTime();

  switch (event) {
    case PendingEventCode::GaplessSwitch:
      break;
    case PendingEventCode::PlayNext:
      if (library_.ChannelIsActive(outputStream_) == audio::ChannelState::Stopped) {
        pendingEvent_.store(0, std::memory_order_release);
        AdvanceAfterEnd();
      }
      break;
    case PendingEventCode::Stop:
      if (library_.ChannelIsActive(outputStream_) == audio::ChannelState::Stopped) {
        pendingEvent_.store(0, std::memory_order_release);
        StopPlayback(true);
      }
      break;
    case PendingEventCode::None:
      break;
  }
}

void PlaybackEngine::ShowElapsedTime() {
  ProgressState& progress = core_->progress;
  const std::int64_t elapsed = ElapsedMs();
  if (progress.max - elapsed < 0) {
    progress.SetPosition(progress.max);
    return;
  }
  if (elapsed != progress.position) progress.SetPosition(elapsed);
  // Most ticks fall in the second (or hundredth) already shown.
  const TimeLabelKey key = TimeLabelKeyOf(elapsed, progress.max, progress.showHundredths);
  if (key == shownTimeKey_ && core_->texts.labelTime == shownTimeLabel_) return;
  const std::string label = TimeLabelText(elapsed, progress.max, progress.showHundredths);
  shownTimeKey_ = key;
  shownTimeLabel_ = label;
  if (label != core_->texts.labelTime) {
    core_->texts.labelTime = label;
    core_->ui.WindowTextsChanged();
  }
}

// FeedOutput found the playing entry's decoder exhausted and waits for the
// next one: pick it, open its decoders and decide whether it can join the
// running output (same format, longer than 3 seconds).
void PlaybackEngine::PrepareNextEntry() {
  PlaybackCore& core = *core_;
  NextEntry next;
  next.index = PickNextIndex(core, false);
  if (next.index >= 0) {
    const std::string& entry = core.playlist.PlaylistEntries[next.index];
    if (EntryKindOf(entry) == EntryKind::Audio) {
      next.mainDecoder = library_.StreamCreateFile(entry);
      ApplyReplayGain(library_, core.settings.replayGain, entry, {next.mainDecoder});
      next.length = library_.StreamGetLength(next.mainDecoder);
      next.isMp3 = AsciiLowerCopy(ExtensionOf(entry)) == ".mp3";
    }
    core.playlist.PlayingEntry = entry;
    audio::ChannelInfo info;
    const bool opened = library_.ChannelGetInfo(next.mainDecoder, info);
    std::lock_guard lock(engineMutex_);
    next.joinable = opened && SameOutputFormat(outputInfo_, info) &&
                    next.length > library_.ChannelSeconds2Bytes(next.mainDecoder, kShortestJoinSeconds);
  }
  if (next.joinable) {
    next.leadInSkipped = SkipLeadIn(library_, next.mainDecoder, next.length);
  } else {
    // The entry starts afresh once the output has drained.
    pickedIndex_ = next.index;
    library_.StreamFree(next.mainDecoder);
    next.mainDecoder = 0;
  }
  next.ready = true;
  // Published together with the end of the request, under the lock that
  // FeedOutput asks under: it never asks twice for one end.
  const std::lock_guard lock(engineMutex_);
  next_ = next;
  nextRequested_.store(false, std::memory_order_release);
}

void PlaybackEngine::AdvanceAfterEnd() {
  // An entry picked when the join failed is started rather than picked
  // again, so a queued entry is never passed over and shuffle draws once.
  const int next = pickedIndex_ >= 0 ? pickedIndex_ : PickNextIndex(*core_, false);
  pickedIndex_ = -1;
  if (next < 0) {
    StopPlayback(true);
  } else {
    PlayEntry(next, true);
  }
}

void PlaybackEngine::CompleteGaplessSwitch() {
  PlaybackCore& core = *core_;
  std::int64_t leadIn;
  std::int64_t length;
  audio::AudioHandle decoder;
  bool dry;
  {
    const std::lock_guard lock(engineMutex_);
    leadIn = leadInSkipped_;
    length = mainLength_;
    decoder = mainDecoder_;
    core.playlist.CurrentIndex = pendingIndex_;
    // A joined entry may have been read to its end (or closed by its tail
    // cut) before its first byte was heard; a seek must then reopen it.
    dry = library_.ChannelIsActive(mainDecoder_) == audio::ChannelState::Stopped;
  }
  positionBase_ = library_.ChannelGetPosition(outputStream_) - leadIn;
  const std::string& entry = core.playlist.PlayingEntry;
  const std::string title(EntryTitle(entry));
  SetEntryCaption(core, std::string(FileNameOf(title)), title, PlayingInfoText(library_, entry, decoder));
  ScrollToCurrent(core);
  RecordJoinedEntry(core, entry);
  ProgressState& progress = core.progress;
  // The output has the joined entry's format; its decoder may be gone.
  progress.max =
      static_cast<std::int64_t>(std::llround(library_.ChannelBytes2Seconds(outputStream_, length) * 1000));
  progress.SetPosition(0);
  core.ui.ListViewChanged();
  TrimWorkingSet();
  decoderEnded_.store(dry, std::memory_order_release);
}

}  // namespace tarvo
