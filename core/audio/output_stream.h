// A user output stream: a stream procedure produces the samples, an audio
// thread of the stream's own pulls them ahead into a buffer and hands them
// to the device's sink, and the window thread steers it (play, stop, pause,
// volume) and asks where the listener is.
//
// Threads: control methods run on the window thread (or any thread that is
// not this stream's audio thread, unless noted); the stream procedure and the
// DSP hooks run on the audio thread.
//
// Lock order: mutex_, then the sink's own lock (and the WAV writer's behind
// it). dspMutex_ is taken alone. Neither is held while the stream procedure
// runs, so the procedure may call back into the layer, also about this
// stream (its format, positions, attributes).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/audio_types.h"
#include "audio/decoder.h"
#include "audio/gain.h"
#include "audio/output_device.h"

namespace tarvo::audio {

class OutputStream : public std::enable_shared_from_this<OutputStream> {
 public:
  struct Settings {
    std::chrono::milliseconds bufferLength{3000};
    std::chrono::milliseconds updatePeriod{100};
  };

  // Cheap: the sink, the buffer and the audio thread come with the first Play.
  OutputStream(std::uint32_t handle, const PcmFormat& format, OutputDevice& device,
               StreamProcedure procedure, Settings settings);
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  const PcmFormat& Format() const { return format_; }

  // Starts, or resumes when paused. From stopped (or after the end was
  // heard) the buffer starts empty and the position counts from 0. The first
  // Play opens the sink, which may wait for the sound server. False, with
  // `error` set, when the sink can't be opened.
  bool Play(AudioError& error);
  // As Play from stopped, but paused: the buffer fills from the stream
  // procedure and nothing is heard until Resume. A playing or paused stream
  // is left as it is.
  bool StartPaused(AudioError& error);
  // Drops the buffer and what the device holds; waits until a running call
  // of the stream procedure has returned, so that afterwards nothing of the
  // old buffer is produced or heard. Never call it while holding a lock the
  // stream procedure takes.
  void Stop();
  // False when the stream is not playing (or not paused, for Resume).
  bool Pause();
  bool Resume();
  ChannelState State();
  // Bytes heard since the last start.
  std::uint64_t Position();
  // Copies up to `bytes` of the samples being heard now, without consuming
  // them; -1 when the stream is stopped.
  std::int64_t PeekHeard(void* buffer, std::uint32_t bytes);

  // Volume 0..1 and pan -1..1; NaN leaves a value as it is.
  void SetGain(double volume, double pan);
  void SlideGain(double volume, double pan, std::chrono::milliseconds duration);
  double Volume();
  double Pan();

  // Window thread. Hooks run highest priority first; equal priorities in
  // the order added. RemoveDsp waits for a running hook to return; never
  // call it from inside a hook.
  void AddDsp(std::uint32_t dsp, DspProcedure procedure, int priority);
  bool RemoveDsp(std::uint32_t dsp);

  // Ends the audio thread and closes the sink; after it returns neither the
  // procedure nor a hook runs again (except when called from this stream's
  // own procedure, which then finishes its call). Safe to call twice.
  void Shutdown();

 private:
  bool Start(AudioError& error, bool paused);
  void Run();
  void Fill(std::unique_lock<std::mutex>& lock);
  // True when the sink took bytes.
  bool Send(std::unique_lock<std::mutex>& lock, bool wait);
  void DrainSink(std::unique_lock<std::mutex>& lock);
  void RunDsps(void* buffer, std::uint32_t bytes);

  // Caller holds mutex_ (all below).
  std::uint64_t HeardLocked();
  bool FinishedLocked();
  std::size_t FreeLocked();
  void ResetBufferLocked();
  // Interrupts the audio thread's device wait and waits until it holds no
  // part of the buffer; Release lets it go on.
  void Quiesce(std::unique_lock<std::mutex>& lock);
  void Release();
  bool OnAudioThread() const;

  // Fixed at creation.
  const std::uint32_t handle_;
  const PcmFormat format_;
  OutputDevice& device_;
  const StreamProcedure procedure_;
  const Settings settings_;
  const std::size_t updateBytes_;

  std::mutex mutex_;  // guards everything below, except where noted
  std::condition_variable wake_;  // the audio thread waits for work
  std::condition_variable idle_;  // Quiesce waits for the audio thread
  std::unique_ptr<OutputSink> sink_;
  std::thread thread_;
  std::vector<std::uint8_t> ring_;     // the buffer; allocated at the first Play
  std::vector<std::int16_t> scaled_;   // one block after volume and pan
  enum class Mode { Stopped, Playing, Paused } mode_ = Mode::Stopped;
  // Byte counts since the last start: produced by the procedure, handed to
  // the sink, and the highest count known heard.
  std::uint64_t written_ = 0;
  std::uint64_t sent_ = 0;
  std::uint64_t heard_ = 0;
  bool ended_ = false;      // the procedure set bit 31
  bool drained_ = false;    // ... and everything was heard
  bool starved_ = false;    // the procedure's last call gave less than asked
  bool sinkFailed_ = false;
  std::chrono::steady_clock::time_point nextFill_{};  // a starved procedure is asked again then
  std::uint64_t serial_ = 0;  // changes when the buffer is dropped
  bool busy_ = false;         // the audio thread works on the buffer unlocked
  bool hold_ = false;         // a control method waits for the audio thread
  bool exit_ = false;
  SlidingValue volume_{1.0};
  SlidingValue pan_{0.0};
  // Read by the sink without mutex_: set while a control method needs the
  // audio thread out of a device wait.
  std::atomic<bool> abandon_{false};

  std::mutex dspMutex_;  // guards dsps_; held while the hooks run
  struct Dsp {
    std::uint32_t handle;
    int priority;
    DspProcedure procedure;
  };
  std::vector<Dsp> dsps_;
};

}  // namespace tarvo::audio
