// The engine's side of internet streams: starting a connection when a stream
// entry is opened, taking its result, and the stream part of the status tick.
// Window thread.
#include "playback/engine.h"
#include "playlist/entry_caption.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "radio/stream_status.h"

namespace tarvo {

namespace {

constexpr int kStreamBufferMs = 5000;

}  // namespace

void PlaybackEngine::StartConnection(const std::string& address) {
  PlaybackCore& core = *core_;
  core.playlist.CurrentIndex = pendingIndex_;
  UpdateListView(core, true, true);
  core.texts.Panel(StatusPanel::Progress) = "Connecting " + address + "...";
  core.texts.labelTime.clear();
  // The entry that played before is silent now: the caption must not go on
  // naming it while the station connects.
  ResetCaption(core);
  core.texts.trayHint.clear();
  core.ui.WindowTextsChanged();
  library_.SetConfig(audio::ConfigOption::BufferLength, kStreamBufferMs);
  if (!connectThreads_.empty()) connectThreads_.back()->Terminate();
  // Ended threads are joined at once; one still inside its open stays until
  // it has handed over its (stale) result.
  std::erase_if(connectThreads_, [](const std::unique_ptr<TConnectThread>& thread) { return thread->Finished(); });
  Ui& ui = core.ui;
  connectThreads_.push_back(std::make_unique<TConnectThread>(
      library_, connectionCounter_, address,
      [this, &ui, lifetime = std::weak_ptr<int>(lifetime_)](const ConnectResult& result) {
        ui.PostToWindowThread([this, lifetime, result] {
          if (!lifetime.expired()) ConnectDone(result);
        });
      }));
}

void PlaybackEngine::CancelConnections() {
  if (!connectThreads_.empty()) connectThreads_.back()->Terminate();
  connectionCounter_.Reset();
}

void PlaybackEngine::ConnectDone(const ConnectResult& result) {
  PlaybackCore& core = *core_;
  if (!connectionCounter_.IsCurrent(result.connectionNumber)) {
    library_.StreamFree(result.handle);
    return;
  }
  if (result.errorCode != 0 || result.handle == 0) {
    library_.StreamFree(result.handle);
    StopPlayback(true);
    ShowMessageBox(core, MessageKind::Information, ConnectErrorText(result.errorCode));
    return;
  }
  {
    const std::lock_guard lock(engineMutex_);
    mainDecoder_ = result.handle;
    mainLength_ = 0;
    mainIsMp3_ = false;
    mainIsStream_ = true;
  }
  StartOutput(core.playlist.CurrentIndex, false);
}

void PlaybackEngine::StreamTick() {
  PlaybackCore& core = *core_;
  audio::AudioHandle decoder;
  {
    const std::lock_guard lock(engineMutex_);
    decoder = mainDecoder_;
  }
  const audio::ChannelState state = library_.ChannelIsActive(outputStream_);
  switch (state) {
    case audio::ChannelState::Stalled:
      ShowStreamPanel(core, BufferingText(library_.StreamGetFilePosition(decoder, audio::FilePositionMode::Download) -
                                          library_.StreamGetFilePosition(decoder, audio::FilePositionMode::Decode)));
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
