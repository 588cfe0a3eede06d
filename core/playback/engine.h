// The playback engine: plays one entry of the playlist at a time through one
// output stream whose stream procedure, FeedOutput, copies from the entry's
// decoder. That indirection lets the next entry join without a gap.
//
// Threads: everything runs on the window thread except FeedOutput and the
// gapless helpers it calls, which run on the output stream's audio thread.
// Lock order: the output stream's own locks (taken inside the audio layer's
// Stop, Free and Play), then engineMutex_. The window thread never stops or
// frees the output stream while holding engineMutex_, because FeedOutput
// takes it and those calls wait for FeedOutput to return.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "audio/audio_library.h"
#include "base/time_texts.h"
#include "playback/playback_core.h"
#include "playback/status_thread.h"
#include "playlist/playback_control.h"
#include "radio/connect_thread.h"
#include "radio/stream_recorder.h"

namespace tarvo {

class TVUThread;

// What the status tick is to do once the output reaches a point.
enum class PendingEventCode : int {
  None = 0,
  // A joined entry becomes current when the output reaches SwitchPosition.
  GaplessSwitch = 1,
  // When the output has stopped, play the next entry.
  PlayNext = 2,
  // When the output has stopped, stop and release the device.
  Stop = 3,
};

class PlaybackEngine : public PlaybackControl {
 public:
  PlaybackEngine(audio::AudioLibrary& library, TStatusThread& statusThread);
  ~PlaybackEngine() override;
  PlaybackEngine(const PlaybackEngine&) = delete;
  PlaybackEngine& operator=(const PlaybackEngine&) = delete;

  // The core this engine plays for; called once before any other method.
  // The engine's recorder becomes the core's.
  void Attach(PlaybackCore& core);
  // The level meter's thread, woken when an entry starts and on resume. The
  // meter is asked to pause at a stop or pause either way.
  void SetLevelThread(TVUThread* thread) { levelThread_ = thread; }

  // PlaybackControl.
  int ProbeEntry(const std::string& entry) override;
  void PlayEntry(int index, bool fromTick = false) override;
  void StopPlayback(bool release) override;
  void PlaySelected() override;
  void PauseOrResume() override;
  void StopStep() override;
  void TotalRewind() override;
  void SeekStep(int direction, int shift) override;
  void SeekStepRelease() override;
  void ApplyVolume(int libraryVolume) override;
  void SlideVolume(int libraryVolume, int milliseconds) override;
  void EnsureAudioDevice() override;
  void SwitchOutputDevice(int device) override;  // engine_device.cpp
  std::int64_t FileLengthSeconds(const std::string& path) override;  // engine_lengths.cpp
  FileDescription DescribeFile(const std::string& path) override;      // engine_lengths.cpp
  std::int64_t ElapsedBytes() override;
  bool DeviceOpen() const override { return deviceOpen_; }
  bool IsPaused() const override;
  bool DecoderEnded() const override { return decoderEnded_.load(std::memory_order_acquire); }

  // Moves playback of a file entry to `bytes` in the decoder's format.
  void SeekTo(std::int64_t bytes) override;
  // A seek from outside the window (the desktop's media controls): the seek
  // bar and the time move to `milliseconds` (clamped to the bar) and
  // playback follows, as when the bar is let go there.
  void SeekToMs(std::int64_t milliseconds);

  // The seek bar's mouse: x within a bar `width` pixels wide.
  void SeekBarDown(int x, int width);
  void SeekBarMove(int x, int width);
  void SeekBarUp();

  // TStatusThread's work, on the window thread: moves the seek bar, writes
  // the time and carries out what FeedOutput left for it.
  void StatusTick();

  // The playing output, for the level meter and the tests; 0 when none.
  audio::AudioHandle OutputStream() const { return outputStream_; }
  // The recording of the stations this engine plays.
  StreamRecorder& Recorder() { return recorder_; }
  // Elapsed time of the playing entry.
  std::int64_t ElapsedMs();

  // A connect thread's result, on the window thread (engine_stream.cpp): a
  // current one starts playback, or stops and says why it failed; a stale
  // one is freed without a word. While a lost station is reconnected, a
  // current one plays on, or the next attempt is scheduled.
  void ConnectDone(const ConnectResult& result);
  // A stream entry is connecting and nothing of it plays yet.
  bool Connecting() const { return pendingConnection_ != 0 && outputStream_ == 0; }

 private:
  // Window thread: opening, showing and ending entries (engine.cpp).
  void OpenEntryDecoders();
  void ShowNewEntry(bool fromTick);
  void FreeChannels();
  void ReleaseDevice();
  void SetSeekLabel();
  // "Paused" in the status bar; the status tick and the level meter rest.
  void ShowPaused();
  // Keeps or drops a pause for a station still connecting, and says so.
  void PauseConnectingStation(bool paused);
  std::int64_t MillisecondsToBytes(std::int64_t milliseconds);
  void RestartFromEnd();
  // Creates the output on MainDecoder and starts it (PlayEntry from step 10).
  void StartOutput(int index, bool fromTick);
  // A station's connected `decoder` on a new output, after freeing whatever
  // plays; `fromTick` as for StartOutput.
  void PlayStationDecoder(audio::AudioHandle decoder, bool fromTick);

  // Window thread: internet streams (engine_stream.cpp).
  void StartConnection(const std::string& address);
  // Starts a connect thread to `address` under a fresh connection number.
  void Connect(const std::string& address, std::chrono::milliseconds startDelay);
  // Ends every connection under way (in its start delay or inside its open),
  // makes every result under way stale and ends reconnecting.
  void CancelConnections();
  void StreamTick();
  // The reconnecting of a lost station: true while it runs, so the tick
  // shows its texts instead of the stream's.
  bool ReconnectTick(audio::AudioHandle decoder);
  void ScheduleReconnect();
  void ReconnectDone(const ConnectResult& result);

  // Window thread: the end of an entry (end_of_entry.cpp).
  void PrepareNextEntry();
  void AdvanceAfterEnd();
  void CompleteGaplessSwitch();
  void ShowElapsedTime();

  // Audio thread (feed_output.cpp).
  std::uint32_t FeedOutput(void* buffer, std::uint32_t wanted);
  std::uint32_t JoinNextEntry(std::uint8_t* buffer, std::uint32_t kept, std::uint32_t wanted);
  bool TailCutDue();
  bool ReadTail();
  std::int64_t FindTailCut() const;
  std::uint32_t TakeTail(std::uint8_t* buffer, std::uint32_t wanted);

  audio::AudioLibrary& library_;
  TStatusThread& statusThread_;
  PlaybackCore* core_ = nullptr;
  TVUThread* levelThread_ = nullptr;

  // Window thread only.
  bool deviceOpen_ = false;
  // Set while PlayEntry starts an entry again on a device opened afresh.
  bool reopeningDevice_ = false;
  // Set while SeekTo opens a paused entry afresh: it starts paused.
  bool startPaused_ = false;
  // Pause pressed while a station connects: it starts paused once it has.
  bool connectPaused_ = false;
  // Where the next play of an entry goes on after a device switch found no
  // device; index -1 when there is none.
  struct ResumePoint {
    int index = -1;
    std::int64_t bytes = 0;
  } resumePoint_;
  audio::AudioHandle outputStream_ = 0;
  // Output byte position at which the playing entry started.
  std::int64_t positionBase_ = 0;
  // The entry picked at the end of the last one when it could not join: the
  // next entry that AdvanceAfterEnd starts, so a pick is never made twice.
  int pickedIndex_ = -1;
  ConnectionCounter connectionCounter_;
  // Connect threads not yet ended; the last one is the newest.
  std::vector<std::unique_ptr<TConnectThread>> connectThreads_;
  // The number of the connection under way for the playing stream; 0 none.
  std::uint64_t pendingConnection_ = 0;
  // Reconnecting a station that was lost while it played.
  struct Reconnect {
    // From the setting, when the station starts: a lost station is
    // connected again (on by default).
    bool enabled = false;
    bool active = false;
    // Attempts that failed since the loss; they set the next wait.
    int failures = 0;
    // When the next attempt starts; none while one is under way.
    std::optional<std::chrono::steady_clock::time_point> nextAttempt;
    // When the last reconnect succeeded: a station lost again soon after
    // goes on with the waits where they were, so one that answers and
    // drops at once is not asked faster than the schedule.
    std::optional<std::chrono::steady_clock::time_point> backSince;
  } reconnect_;
  // Counts status ticks of a playing stream (the full update runs on some).
  int streamStatusCounter_ = 0;
  // Taps outputStream_; its hook is removed before the output is freed.
  StreamRecorder recorder_{library_, [this] { return outputStream_; }};
  // The time label the last tick wrote and what it was made of; the text
  // is not formatted again while both still hold.
  std::optional<TimeLabelKey> shownTimeKey_;
  std::string shownTimeLabel_;
  // Posted connection results hold this weakly: one arriving after the
  // engine is gone is dropped.
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);

  // Shared with FeedOutput, guarded by engineMutex_.
  std::mutex engineMutex_;
  audio::AudioHandle mainDecoder_ = 0;
  std::int64_t mainLength_ = 0;
  bool mainIsMp3_ = false;
  bool mainIsStream_ = false;
  int pendingIndex_ = -1;
  std::int64_t tailLimit_ = -1;
  std::int64_t bytesDelivered_ = 0;
  std::int64_t leadInSkipped_ = 0;
  audio::ChannelInfo outputInfo_;
  // The next entry, opened by the window thread when FeedOutput asked for it.
  struct NextEntry {
    bool ready = false;
    int index = -1;
    bool joinable = false;
    audio::AudioHandle mainDecoder = 0;
    std::int64_t length = 0;
    std::int64_t leadInSkipped = 0;
    bool isMp3 = false;
  } next_;
  // The rest of an MP3 entry, read ahead once its tail cut is due: the cut is
  // decided on it and the output is fed from it. Grown, never shrunk.
  std::vector<std::int16_t> scratch_;
  std::uint32_t tailBytes_ = 0;
  std::uint32_t tailTaken_ = 0;

  // Published by FeedOutput: SwitchPosition is stored before PendingEvent,
  // and the tick reads PendingEvent first (release/acquire).
  std::atomic<bool> decoderEnded_{false};
  // A stream's output outlives its connection: when the decoder ends, the
  // output stalls instead of ending, so that a reconnected decoder goes on
  // filling it (and a recording on it goes on).
  std::atomic<bool> streamOutputLingers_{false};
  std::atomic<bool> nextRequested_{false};
  std::atomic<int> pendingEvent_{0};
  std::atomic<std::int64_t> switchPosition_{-1};
};

}  // namespace tarvo
