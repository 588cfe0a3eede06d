// The engine's side of internet streams: starting a connection when a stream
// entry is opened, taking its result, reconnecting a station that was lost,
// and the stream part of the status tick. Window thread.
#include "playback/engine.h"
#include "playlist/entry.h"
#include "playlist/entry_caption.h"
#include "playlist/model.h"
#include "radio/radio_messages.h"
#include "radio/stream_status.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kStreamBufferMs = 5000;
// The stream status counter after a reconnect: the status line comes back
// as after a connection.
constexpr int kStreamStatusRestart = -20;
// Waits before the attempts to reconnect a lost station; after the last,
// every 30 seconds for as long as the station is left playing.
constexpr std::chrono::seconds kReconnectWaits[] = {std::chrono::seconds(1), std::chrono::seconds(2),
                                                    std::chrono::seconds(4), std::chrono::seconds(8),
                                                    std::chrono::seconds(16)};
constexpr std::chrono::seconds kReconnectWaitAfter{30};
// A station that played this long since it came back starts the waits anew
// when it is lost again.
constexpr std::chrono::seconds kReconnectSettled{60};

}  // namespace

void PlaybackEngine::StartConnection(const std::string& address) {
  PlaybackCore& core = *core_;
  core.playlist.CurrentIndex = pendingIndex_;
  UpdateListView(core, true, true);
  core.texts.Panel(StatusPanel::Progress) = radio_messages::ConnectingText(address);
  core.texts.labelTime.clear();
  // The entry that played before is silent now: the caption must not go on
  // naming it while the station connects.
  ResetCaption(core);
  core.texts.trayHint.clear();
  core.streamTitle.clear();
  core.ui.WindowTextsChanged();
  library_.SetConfig(audio::ConfigOption::BufferLength, kStreamBufferMs);
  connectPaused_ = false;
  reconnect_ = Reconnect{};
  reconnect_.enabled = ReadIniInteger(core, "Tweak", "StreamReconnect", 1) != 0;
  streamOutputLingers_.store(reconnect_.enabled, std::memory_order_release);
  Connect(address, TConnectThread::kStartDelay);
}

void PlaybackEngine::Connect(const std::string& address, std::chrono::milliseconds startDelay) {
  // Earlier connections are superseded: ended at once, wherever they are.
  for (const std::unique_ptr<TConnectThread>& thread : connectThreads_) thread->Terminate();
  std::erase_if(connectThreads_, [](const std::unique_ptr<TConnectThread>& thread) { return thread->Finished(); });
  pendingConnection_ = connectionCounter_.Next();
  Ui& ui = core_->ui;
  connectThreads_.push_back(std::make_unique<TConnectThread>(
      library_, pendingConnection_, address,
      [this, &ui, lifetime = std::weak_ptr<int>(lifetime_)](const ConnectResult& result) {
        ui.PostToWindowThread([this, lifetime, result] {
          if (!lifetime.expired()) ConnectDone(result);
        });
      },
      startDelay));
}

void PlaybackEngine::CancelConnections() {
  for (const std::unique_ptr<TConnectThread>& thread : connectThreads_) thread->Terminate();
  connectionCounter_.Reset();
  pendingConnection_ = 0;
  connectPaused_ = false;
  reconnect_.active = false;
  reconnect_.nextAttempt.reset();
}

void PlaybackEngine::ConnectDone(const ConnectResult& result) {
  PlaybackCore& core = *core_;
  if (!connectionCounter_.IsCurrent(result.connectionNumber)) {
    library_.StreamFree(result.handle);
    return;
  }
  pendingConnection_ = 0;
  if (reconnect_.active) {
    ReconnectDone(result);
    return;
  }
  if (result.errorCode != 0 || result.handle == 0) {
    library_.StreamFree(result.handle);
    StopPlayback(true);
    ShowMessageBox(core, MessageKind::Information, ConnectErrorText(result.errorCode));
    return;
  }
  PlayStationDecoder(result.handle, false);
}

void PlaybackEngine::PlayStationDecoder(audio::AudioHandle decoder, bool fromTick) {
  // Whatever still plays goes first: two outputs must never read one
  // decoder, and no channel may be left behind.
  FreeChannels();
  {
    const std::lock_guard lock(engineMutex_);
    mainDecoder_ = decoder;
    mainLength_ = 0;
    mainIsMp3_ = false;
    mainIsStream_ = true;
  }
  const bool paused = std::exchange(connectPaused_, false);
  startPaused_ = paused;
  StartOutput(core_->playlist.CurrentIndex, fromTick);
  startPaused_ = false;
  if (paused && outputStream_ != 0) ShowPaused();
}

void PlaybackEngine::ReconnectDone(const ConnectResult& result) {
  PlaybackCore& core = *core_;
  if (result.errorCode != 0 || result.handle == 0) {
    library_.StreamFree(result.handle);
    ScheduleReconnect();
    return;
  }
  reconnect_.active = false;
  reconnect_.nextAttempt.reset();
  reconnect_.backSince = Clock::now();
  streamStatusCounter_ = kStreamStatusRestart;
  audio::ChannelInfo info;
  library_.ChannelGetInfo(result.handle, info);
  audio::AudioHandle lost = 0;
  {
    const std::lock_guard lock(engineMutex_);
    if (outputStream_ != 0 && info.rate == outputInfo_.rate && info.channels == outputInfo_.channels) {
      // The output has stalled (or still plays what it held): it goes on
      // from the new decoder, and so does a recording on it.
      lost = std::exchange(mainDecoder_, result.handle);
    }
  }
  if (lost != 0) {
    // Freed outside the lock: ending a decoder waits for its thread.
    library_.StreamFree(lost);
    return;
  }
  // The station came back in another sample format: a new output, and a
  // recording can't go on into the same file. Its save question lets the
  // window run: a stop or another entry meanwhile makes this result stale.
  recorder_.FinishRecording(core);
  if (!connectionCounter_.IsCurrent(result.connectionNumber)) {
    library_.StreamFree(result.handle);
    return;
  }
  PlayStationDecoder(result.handle, true);
}

void PlaybackEngine::ScheduleReconnect() {
  const std::size_t step = static_cast<std::size_t>(reconnect_.failures);
  const std::chrono::seconds wait = step < std::size(kReconnectWaits) ? kReconnectWaits[step] : kReconnectWaitAfter;
  ++reconnect_.failures;
  reconnect_.nextAttempt = Clock::now() + wait;
}

bool PlaybackEngine::ReconnectTick(audio::AudioHandle decoder) {
  PlaybackCore& core = *core_;
  if (!reconnect_.enabled) return false;
  if (!reconnect_.active) {
    // The decoder of a station that played has given all it had and its
    // connection is over.
    if (outputStream_ == 0 || library_.ChannelIsActive(decoder) != audio::ChannelState::Stopped) return false;
    reconnect_.active = true;
    if (!reconnect_.backSince || Clock::now() - *reconnect_.backSince >= kReconnectSettled) reconnect_.failures = 0;
    ShowStreamPanel(core, radio_messages::kLostConnectionText);
    ScheduleReconnect();
    return true;
  }
  if (reconnect_.nextAttempt && Clock::now() >= *reconnect_.nextAttempt) {
    reconnect_.nextAttempt.reset();
    ShowStreamPanel(core, radio_messages::kReconnectingText);
    Connect(std::string(EntryLocation(core.playlist.PlayingEntry)), std::chrono::milliseconds(0));
  }
  return true;
}

void PlaybackEngine::StreamTick() {
  PlaybackCore& core = *core_;
  audio::AudioHandle decoder;
  {
    const std::lock_guard lock(engineMutex_);
    decoder = mainDecoder_;
  }
  const audio::ChannelState state = library_.ChannelIsActive(outputStream_);
  if (ReconnectTick(decoder)) {
    recorder_.WatchTap(core, state);
    return;
  }
  switch (state) {
    case audio::ChannelState::Stalled:
      ShowStreamPanel(core, BufferingText(library_.StreamGetFilePosition(decoder, audio::FilePositionMode::Download) -
                                              library_.StreamGetFilePosition(decoder, audio::FilePositionMode::Decode),
                                          library_.StreamGetFilePosition(decoder, audio::FilePositionMode::Refill)));
      break;
    case audio::ChannelState::Stopped:
      ShowLostConnection(core);
      break;
    default:
      StreamStatusUpdate(core, core.progress, library_, streamStatusCounter_, decoder, outputStream_);
      break;
  }
  recorder_.WatchTap(core, state);
}

}  // namespace tarvo
