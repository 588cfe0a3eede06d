#include "playback/engine.h"

#include <cmath>
#include <utility>

#include "base/text.h"
#include "base/time_texts.h"
#include "media/probes.h"
#include "platform/process.h"
#include "playback/entry_probe.h"
#include "playback/key_dispatcher.h"
#include "playback/level_meter.h"
#include "playback/replay_gain_level.h"
#include "playback/sequencing.h"
#include "playback/volume.h"
#include "playlist/entry.h"
#include "playlist/entry_caption.h"
#include "playlist/model.h"
#include "radio/radio_messages.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

constexpr int kFileBufferMs = 3000;
constexpr int kUpdatePeriodMs = 100;
constexpr int kLibraryVolumeScale = 1000;
constexpr std::int64_t kHundredthsUpToMs = 9999;
constexpr int kFastTickMs = 10;
constexpr int kSlowTickMs = 33;
constexpr std::int64_t kFineSeekStepMs = 100;
constexpr std::int64_t kCoarseSeekStepMs = 60000;
constexpr std::int64_t kSeekStepMs = 3000;
constexpr int kScratchSeconds = 5;
// The stream status counter after a stream entry is opened: the first full
// status update comes on the 20th tick.
constexpr int kStreamStatusStart = -20;

}  // namespace

PlaybackEngine::PlaybackEngine(audio::AudioLibrary& library, TStatusThread& statusThread)
    : library_(library), statusThread_(statusThread) {}

PlaybackEngine::~PlaybackEngine() {
  // The output's audio thread must be gone before the engine it calls into,
  // and the connect threads before the library they call.
  library_.StreamFree(outputStream_);
  connectThreads_.clear();
}

void PlaybackEngine::Attach(PlaybackCore& core) {
  core_ = &core;
  core.recorder = &recorder_;
}

void PlaybackEngine::EnsureAudioDevice() {
  if (deviceOpen_) return;
  deviceOpen_ = library_.Init(ReadSetting(*core_, setting::kDevice));
  if (!deviceOpen_) ShowMessageBox(*core_, MessageKind::Warning, "Can't open sound device.");
  library_.SetConfig(audio::ConfigOption::UpdatePeriod, kUpdatePeriodMs);
  library_.SetConfig(audio::ConfigOption::BufferLength, kFileBufferMs);
  library_.SetConfig(audio::ConfigOption::MaxVolume, kLibraryVolumeScale);
}

int PlaybackEngine::ProbeEntry(const std::string& entry) {
  EnsureAudioDevice();
  return ProbeEntryWith(library_, entry, [](audio::AudioHandle, void*, std::uint32_t) { return audio::kStreamEnd; });
}

void PlaybackEngine::PlayEntry(int index, bool fromTick) {
  PlaybackCore& core = *core_;
  recorder_.FinishRecording(core);
  const auto& entries = core.playlist.PlaylistEntries;
  if (entries.empty() || index < 0 || index >= static_cast<int>(entries.size())) return;
  const std::string entry = entries[index];
  const int code = ProbeEntry(entry);
  if (code != kProbePlayable) {
    ShowMessageBox(core, MessageKind::Warning, ProbeWarning(code) + entry);
    return;
  }
  if (EntryKindOf(entry) == EntryKind::Stream) {
    statusThread_.Suspend();
    core.settings.playMode = kRepeatListMode;
    ShowPlayMode(core);
    streamStatusCounter_ = kStreamStatusStart;
  } else {
    CancelConnections();
  }
  const ResumePoint resume = std::exchange(resumePoint_, ResumePoint{});
  FreeChannels();
  EnsureAudioDevice();
  {
    const std::lock_guard lock(engineMutex_);
    tailLimit_ = -1;
    bytesDelivered_ = 0;
    pendingIndex_ = index;
  }
  decoderEnded_.store(false, std::memory_order_release);
  pendingEvent_.store(0, std::memory_order_release);
  OpenEntryDecoders();
  core.playlist.CurrentIndex = pendingIndex_;
  if (mainDecoder_ == 0) return;
  StartOutput(index, fromTick);
  if (resume.index == index && outputStream_ != 0) SeekTo(resume.bytes);
}

void PlaybackEngine::StartOutput(int index, bool fromTick) {
  PlaybackCore& core = *core_;
  audio::ChannelInfo info;
  library_.ChannelGetInfo(mainDecoder_, info);
  outputStream_ = library_.StreamCreate(static_cast<int>(info.rate), static_cast<int>(info.channels),
                                        [this](audio::AudioHandle, void* buffer, std::uint32_t wanted) {
                                          return FeedOutput(buffer, wanted);
                                        });
  if (outputStream_ == 0) return;
  {
    const std::lock_guard lock(engineMutex_);
    outputInfo_ = info;
    // FeedOutput reads the tail of an entry into this; sized here, on the
    // window thread, for the tail analysis.
    const std::size_t samples = static_cast<std::size_t>(info.rate) * info.channels * kScratchSeconds;
    if (scratch_.size() < samples) scratch_.resize(samples);
  }
  SetVolume(core, core.settings.volume);
  ShowNewEntry(fromTick);
  SeekTo(0);
  SetVolume(core, core.settings.volume);
  const bool started = startPaused_ ? library_.StreamPlayPaused(outputStream_) : library_.StreamPlay(outputStream_);
  if (!started && !reopeningDevice_) {
    // The device went away while it was open (the sound server restarted):
    // release it and start the entry once more on a device opened afresh.
    reopeningDevice_ = true;
    StopPlayback(true);
    PlayEntry(index, fromTick);
    reopeningDevice_ = false;
    return;
  }
  const bool stream = EntryKindOf(core.playlist.PlayingEntry) == EntryKind::Stream;
  if (stream && ReadSetting(core, setting::kRecordAhead)) recorder_.StartRecordDsp(core, true);
  TrimWorkingSet();
}

void PlaybackEngine::OpenEntryDecoders() {
  PlaybackCore& core = *core_;
  if (pendingIndex_ < 0) {
    mainDecoder_ = 0;
    return;
  }
  const std::string& entry = core.playlist.PlaylistEntries[pendingIndex_];
  library_.SetConfig(audio::ConfigOption::BufferLength, kFileBufferMs);
  const EntryKind kind = EntryKindOf(entry);
  {
    const std::lock_guard lock(engineMutex_);
    mainIsStream_ = kind == EntryKind::Stream;
  }
  if (kind == EntryKind::Stream) {
    // Connects in the background; ConnectDone starts playback.
    StartConnection(std::string(EntryLocation(entry)));
  } else if (kind == EntryKind::Audio) {
    const audio::AudioHandle main = library_.StreamCreateFile(entry);
    ApplyReplayGain(library_, core.settings.replayGain, entry, {main});
    const std::lock_guard lock(engineMutex_);
    mainDecoder_ = main;
    mainLength_ = library_.StreamGetLength(main);
    mainIsMp3_ = AsciiLowerCopy(ExtensionOf(entry)) == ".mp3";
  }
  core.playlist.PlayingEntry = entry;
}

void PlaybackEngine::ShowNewEntry(bool fromTick) {
  PlaybackCore& core = *core_;
  const std::string& entry = core.playlist.PlayingEntry;
  RecordStartedEntry(core, entry);
  const std::string title(EntryTitle(entry));
  SetEntryCaption(core, std::string(FileNameOf(title)), title, PlayingInfoText(library_, entry, mainDecoder_));
  ProgressState& progress = core.progress;
  progress.max = static_cast<std::int64_t>(std::llround(library_.ChannelBytes2Seconds(mainDecoder_, mainLength_) * 1000));
  progress.SetPosition(0);
  progress.showHundredths = progress.max <= kHundredthsUpToMs;
  progress.tickPeriodMs = progress.showHundredths ? kFastTickMs : kSlowTickMs;
  statusThread_.SetPeriod(progress.tickPeriodMs);
  if (!fromTick && statusThread_.IsSuspended()) statusThread_.Resume();
  if (levelThread_) WakeLevelMeter(core, *levelThread_);
  ScrollToCurrent(core);
}

void PlaybackEngine::FreeChannels() {
  // The output stream goes first and without the lock: freeing it waits for
  // a running FeedOutput, which takes the lock.
  library_.StreamFree(outputStream_);
  outputStream_ = 0;
  const std::lock_guard lock(engineMutex_);
  for (audio::AudioHandle* decoder : {&mainDecoder_, &next_.mainDecoder}) {
    library_.StreamFree(*decoder);
    *decoder = 0;
  }
  next_ = NextEntry();
  nextRequested_.store(false, std::memory_order_release);
}

void PlaybackEngine::StopPlayback(bool release) {
  PlaybackCore& core = *core_;
  if (EntryKindOf(core.playlist.PlayingEntry) == EntryKind::Stream) recorder_.FinishRecording(core);
  if (!statusThread_.IsSuspended()) statusThread_.Suspend();
  // The meter falls to dark, then its thread sleeps.
  RequestLevelMeterPause(core);
  FreeChannels();
  CancelConnections();
  decoderEnded_.store(false, std::memory_order_release);
  pendingEvent_.store(0, std::memory_order_release);
  pickedIndex_ = -1;
  core.progress.SetPosition(0);
  core.texts.labelTime.clear();
  if (release) ReleaseDevice();
  ResetCaption(core);
  core.streamTitle.clear();
  core.texts.Panel(StatusPanel::Progress).clear();
  core.ui.WindowTextsChanged();
  core.ui.ListViewChanged();
  TrimWorkingSet();
}

void PlaybackEngine::ReleaseDevice() {
  if (deviceOpen_ && library_.Free()) deviceOpen_ = false;
}

std::int64_t PlaybackEngine::MillisecondsToBytes(std::int64_t milliseconds) {
  return library_.ChannelSeconds2Bytes(outputStream_, static_cast<double>(milliseconds) / 1000);
}

void PlaybackEngine::SeekTo(std::int64_t bytes) {
  PlaybackCore& core = *core_;
  if (EntryKindOf(core.playlist.PlayingEntry) == EntryKind::Stream) return;
  pendingEvent_.store(0, std::memory_order_release);
  std::int64_t length;
  {
    const std::lock_guard lock(engineMutex_);
    length = mainLength_;
  }
  const std::int64_t oneSecond = library_.ChannelSeconds2Bytes(outputStream_, 1.0);
  bytes = std::max<std::int64_t>(std::min(bytes, length - oneSecond), 0);
  const audio::ChannelState state = library_.ChannelIsActive(outputStream_);
  const bool paused = state == audio::ChannelState::Paused;
  if (decoderEnded_.load(std::memory_order_acquire)) {
    // The decoders are gone: open the entry afresh, paused when it was, so
    // that nothing of it is heard.
    StopPlayback(false);
    startPaused_ = paused;
    PlayEntry(core.playlist.CurrentIndex);
    startPaused_ = false;
    if (paused) ShowPaused();
  }
  library_.ChannelStop(outputStream_);
  {
    const std::lock_guard lock(engineMutex_);
    library_.ChannelSetPosition(mainDecoder_, bytes);
    bytesDelivered_ = 0;
    tailLimit_ = -1;
  }
  positionBase_ = -bytes;
  if (state == audio::ChannelState::Playing) {
    SetVolume(core, core.settings.volume);
    library_.StreamPlay(outputStream_);
  } else if (paused) {
    // Started paused rather than played and paused again, which would let
    // the first block of the new position through.
    library_.StreamPlayPaused(outputStream_);
  }
}

std::int64_t PlaybackEngine::ElapsedBytes() {
  if (outputStream_ == 0) return 0;
  return library_.ChannelGetPosition(outputStream_) - positionBase_;
}

std::int64_t PlaybackEngine::ElapsedMs() {
  if (outputStream_ == 0) return 0;
  return static_cast<std::int64_t>(std::llround(library_.ChannelBytes2Seconds(outputStream_, ElapsedBytes()) * 1000));
}

bool PlaybackEngine::IsPaused() const {
  if (Connecting()) return connectPaused_;
  return outputStream_ != 0 && library_.ChannelIsActive(outputStream_) == audio::ChannelState::Paused;
}

void PlaybackEngine::PlaySelected() {
  PlaybackCore& core = *core_;
  const int focused = core.listView.focusedRow;
  if (core.playlist.PlaylistEntries.empty()) return;
  if (IsPaused() && focused == core.playlist.CurrentIndex) {
    PauseOrResume();
  } else {
    PlayEntry(focused);
  }
}

void PlaybackEngine::PauseOrResume() {
  PlaybackCore& core = *core_;
  if (!deviceOpen_) {
    tarvo::PlaySelected(core);
    return;
  }
  if (Connecting()) {
    PauseConnectingStation(!connectPaused_);
    return;
  }
  if (IsPaused()) {
    audio::AudioHandle decoder;
    {
      // The output still calls FeedOutput while paused, which may swap the
      // decoder at a join.
      const std::lock_guard lock(engineMutex_);
      decoder = mainDecoder_;
    }
    core.texts.Panel(StatusPanel::Progress) = PlayingInfoText(library_, core.playlist.PlayingEntry, decoder);
    library_.ChannelResume(outputStream_);
    if (statusThread_.IsSuspended()) statusThread_.Resume();
    if (levelThread_) WakeLevelMeter(core, *levelThread_);
    core.ui.WindowTextsChanged();
  } else {
    library_.ChannelPause(outputStream_);
    ShowPaused();
  }
}

void PlaybackEngine::PauseConnectingStation(bool paused) {
  // Nothing plays yet: the pause is kept for the moment the station answers.
  connectPaused_ = paused;
  if (paused) {
    ShowPaused();
  } else {
    core_->texts.Panel(StatusPanel::Progress) = radio_messages::ConnectingText(EntryLocation(core_->playlist.PlayingEntry));
    core_->ui.WindowTextsChanged();
  }
}

void PlaybackEngine::ShowPaused() {
  core_->texts.Panel(StatusPanel::Progress) = "Paused";
  if (!statusThread_.IsSuspended()) statusThread_.Suspend();
  RequestLevelMeterPause(*core_);
  core_->ui.WindowTextsChanged();
}

void PlaybackEngine::StopStep() {
  // A station still connecting has nothing to pause: a stop ends the
  // connection at once, or it would start playing after the stop.
  if (Connecting()) {
    StopPlayback(true);
  } else if (IsPaused()) {
    StopPlayback(true);
  } else if (deviceOpen_) {
    PauseOrResume();
  }
}

void PlaybackEngine::TotalRewind() {
  PlaybackCore& core = *core_;
  SeekTo(0);
  core.progress.SetPosition(0);
  core.texts.labelTime = TimeLabelText(0, core.progress.max, false, "*");
  core.ui.WindowTextsChanged();
}

void PlaybackEngine::SetSeekLabel() {
  const ProgressState& progress = core_->progress;
  core_->texts.labelTime = TimeLabelText(progress.position, progress.max, false);
  core_->ui.WindowTextsChanged();
}

void PlaybackEngine::SeekStep(int direction, int shift) {
  if (!deviceOpen_) return;
  ProgressState& progress = core_->progress;
  progress.seekPending = true;
  const std::int64_t step = shift == kShiftModifier ? kFineSeekStepMs
                            : shift == kCtrlModifier ? kCoarseSeekStepMs
                                                     : kSeekStepMs;
  progress.SetPosition(progress.position + (direction < 0 ? -step : step));
  SetSeekLabel();
}

void PlaybackEngine::SeekStepRelease() {
  ProgressState& progress = core_->progress;
  if (!progress.seekPending) return;
  progress.seekPending = false;
  SeekTo(MillisecondsToBytes(progress.position));
}

void PlaybackEngine::SeekBarDown(int x, int width) {
  if (EntryKindOf(core_->playlist.PlayingEntry) == EntryKind::Stream || !deviceOpen_) return;
  core_->progress.seekPending = true;
  SeekBarMove(x, width);
}

void PlaybackEngine::SeekBarMove(int x, int width) {
  ProgressState& progress = core_->progress;
  if (!progress.seekPending) return;
  // A bar without width has no position to point at: it stays where it is.
  if (width <= 0) return;
  progress.SetPosition(std::llround(static_cast<double>(progress.max) * x / width));
  SetSeekLabel();
}

void PlaybackEngine::SeekBarUp() { SeekStepRelease(); }

void PlaybackEngine::SeekToMs(std::int64_t milliseconds) {
  if (outputStream_ == 0) return;
  core_->progress.SetPosition(milliseconds);
  SetSeekLabel();
  SeekTo(MillisecondsToBytes(core_->progress.position));
}

void PlaybackEngine::ApplyVolume(int libraryVolume) {
  library_.ChannelSetAttributes(outputStream_, -1, libraryVolume, -101);
}

void PlaybackEngine::SlideVolume(int libraryVolume, int milliseconds) {
  library_.ChannelSlideAttributes(outputStream_, -1, libraryVolume, -101, milliseconds);
}

}  // namespace tarvo
