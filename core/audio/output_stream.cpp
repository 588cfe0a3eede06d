#include "audio/output_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tarvo::audio {

namespace {

using Clock = std::chrono::steady_clock;

std::size_t BytesFor(const PcmFormat& format, std::chrono::milliseconds duration) {
  const auto frames = std::max<std::int64_t>(1, format.rate * duration.count() / 1000);
  return static_cast<std::size_t>(frames) * format.FrameBytes();
}

}  // namespace

OutputStream::OutputStream(std::uint32_t handle, const PcmFormat& format, OutputDevice& device,
                           StreamProcedure procedure, Settings settings)
    : handle_(handle),
      format_(format),
      device_(device),
      procedure_(std::move(procedure)),
      settings_(settings),
      updateBytes_(BytesFor(format, settings.updatePeriod)) {}

OutputStream::~OutputStream() { Shutdown(); }

bool OutputStream::Play(AudioError& error) { return Start(error, false); }

bool OutputStream::StartPaused(AudioError& error) { return Start(error, true); }

bool OutputStream::Start(AudioError& error, bool paused) {
  std::unique_lock lock(mutex_);
  error = AudioError::Ok;
  if (exit_) {
    error = AudioError::Handle;
    return false;
  }
  if (mode_ == Mode::Paused) {
    if (paused) return true;
    mode_ = Mode::Playing;
    sink_->SetPaused(false);
    wake_.notify_all();
    return true;
  }
  if (mode_ == Mode::Playing && !FinishedLocked()) return true;
  if (!sink_) {
    sink_ = device_.CreateSink(format_, error);
    if (!sink_) return false;
    // Room for the configured time ahead, and never less than what the sink
    // holds plus two blocks, or the sink could starve with a full buffer.
    const std::size_t frame = static_cast<std::size_t>(format_.FrameBytes());
    std::size_t capacity = std::max(BytesFor(format_, settings_.bufferLength),
                                    sink_->LatencyBytes() + 2 * updateBytes_);
    capacity -= capacity % frame;
    ring_.assign(capacity, 0);
    scaled_.assign(updateBytes_ / 2, 0);
    thread_ = std::thread([self = shared_from_this()] { self->Run(); });
  }
  Quiesce(lock);
  ResetBufferLocked();
  mode_ = paused ? Mode::Paused : Mode::Playing;
  sink_->SetPaused(paused);
  Release();
  return true;
}

void OutputStream::Stop() {
  std::unique_lock lock(mutex_);
  if (exit_) return;
  Quiesce(lock);
  ResetBufferLocked();
  mode_ = Mode::Stopped;
  Release();
}

bool OutputStream::Pause() {
  std::lock_guard lock(mutex_);
  if (mode_ != Mode::Playing || sinkFailed_ || FinishedLocked()) return false;
  mode_ = Mode::Paused;
  sink_->SetPaused(true);
  return true;
}

bool OutputStream::Resume() {
  std::lock_guard lock(mutex_);
  if (mode_ != Mode::Paused) return false;
  mode_ = Mode::Playing;
  sink_->SetPaused(false);
  wake_.notify_all();
  return true;
}

ChannelState OutputStream::State() {
  std::lock_guard lock(mutex_);
  if (mode_ == Mode::Stopped) return ChannelState::Stopped;
  if (mode_ == Mode::Paused) return ChannelState::Paused;
  if (sinkFailed_ || FinishedLocked()) return ChannelState::Stopped;
  // Stalled: everything buffered has been heard and the procedure had nothing
  // more when last asked. A stream that is only starting is playing.
  if (starved_ && !ended_ && HeardLocked() >= written_) return ChannelState::Stalled;
  return ChannelState::Playing;
}

std::uint64_t OutputStream::Position() {
  std::lock_guard lock(mutex_);
  return HeardLocked();
}

std::int64_t OutputStream::PeekHeard(void* buffer, std::uint32_t bytes) {
  std::lock_guard lock(mutex_);
  if (mode_ == Mode::Stopped || ring_.empty()) return -1;
  const std::uint64_t heard = HeardLocked();
  std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, written_ - heard));
  count -= count % static_cast<std::size_t>(format_.FrameBytes());
  // [heard, written_) is never written by the audio thread: a fill only
  // writes where the listener has already been.
  const std::size_t capacity = ring_.size();
  const std::size_t offset = static_cast<std::size_t>(heard % capacity);
  const std::size_t first = std::min(count, capacity - offset);
  std::memcpy(buffer, ring_.data() + offset, first);
  std::memcpy(static_cast<std::uint8_t*>(buffer) + first, ring_.data(), count - first);
  return static_cast<std::int64_t>(count);
}

void OutputStream::SetGain(double volume, double pan) {
  std::lock_guard lock(mutex_);
  if (!std::isnan(volume)) volume_.Set(volume);
  if (!std::isnan(pan)) pan_.Set(pan);
}

void OutputStream::SlideGain(double volume, double pan, std::chrono::milliseconds duration) {
  std::lock_guard lock(mutex_);
  const Clock::time_point now = Clock::now();
  if (!std::isnan(volume)) volume_.SlideTo(volume, duration, now);
  if (!std::isnan(pan)) pan_.SlideTo(pan, duration, now);
}

double OutputStream::Volume() {
  std::lock_guard lock(mutex_);
  return volume_.At(Clock::now());
}

double OutputStream::Pan() {
  std::lock_guard lock(mutex_);
  return pan_.At(Clock::now());
}

void OutputStream::AddDsp(std::uint32_t dsp, DspProcedure procedure, int priority) {
  std::lock_guard lock(dspMutex_);
  const auto at = std::find_if(dsps_.begin(), dsps_.end(),
                               [priority](const Dsp& other) { return other.priority < priority; });
  dsps_.insert(at, Dsp{dsp, priority, std::move(procedure)});
}

bool OutputStream::RemoveDsp(std::uint32_t dsp) {
  std::lock_guard lock(dspMutex_);
  const auto at =
      std::find_if(dsps_.begin(), dsps_.end(), [dsp](const Dsp& other) { return other.handle == dsp; });
  if (at == dsps_.end()) return false;
  dsps_.erase(at);
  return true;
}

void OutputStream::Shutdown() {
  {
    std::unique_lock lock(mutex_);
    if (exit_) return;
    Quiesce(lock);
    exit_ = true;
    abandon_ = true;
    wake_.notify_all();
  }
  if (thread_.joinable()) {
    // From inside our own procedure the thread can't be joined; it leaves
    // its loop as soon as the procedure returns, keeping the object alive.
    if (OnAudioThread()) {
      thread_.detach();
    } else {
      thread_.join();
    }
  }
  // The audio thread is gone or inside the procedure: the sink is idle.
  std::lock_guard lock(mutex_);
  sink_.reset();
}

// Audio thread. Serves the sink whenever it has room, otherwise fills the
// buffer ahead, otherwise waits on the sink; never allocates.
void OutputStream::Run() {
  std::unique_lock lock(mutex_);
  while (!exit_) {
    const Clock::time_point now = Clock::now();
    if (hold_ || mode_ == Mode::Stopped || sinkFailed_) {
      if (hold_) idle_.notify_all();
      wake_.wait(lock);
      continue;
    }
    const bool canSend = mode_ == Mode::Playing && sent_ < written_;
    if (canSend && Send(lock, false)) continue;
    const std::size_t free = FreeLocked();
    const bool canFill = !ended_ && now >= nextFill_ && free > 0 &&
                         (free >= std::min(updateBytes_, ring_.size() / 2) || sent_ == written_);
    if (canFill) {
      Fill(lock);
    } else if (canSend) {
      Send(lock, true);
    } else if (mode_ == Mode::Playing && ended_ && sent_ == written_ && !drained_) {
      DrainSink(lock);
    } else if (mode_ == Mode::Playing && !drained_) {
      // Waiting for a starved procedure's next turn; the period bounds the
      // wait in case the sink's consumption frees room unannounced.
      wake_.wait_until(lock, std::min(nextFill_, now + settings_.updatePeriod));
    } else {
      wake_.wait(lock);
    }
  }
}

void OutputStream::Fill(std::unique_lock<std::mutex>& lock) {
  const std::size_t capacity = ring_.size();
  const std::size_t frame = static_cast<std::size_t>(format_.FrameBytes());
  std::size_t wanted = std::min({FreeLocked(), capacity - static_cast<std::size_t>(written_ % capacity),
                                 updateBytes_});
  wanted -= wanted % frame;
  std::uint8_t* const at = ring_.data() + written_ % capacity;
  const std::uint64_t serial = serial_;
  busy_ = true;
  lock.unlock();

  const std::uint32_t result = procedure_(handle_, at, static_cast<std::uint32_t>(wanted));
  std::uint32_t bytes = std::min(result & ~kStreamEnd, static_cast<std::uint32_t>(wanted));
  bytes -= bytes % static_cast<std::uint32_t>(frame);
  if (bytes > 0) RunDsps(at, bytes);

  lock.lock();
  busy_ = false;
  if (hold_) idle_.notify_all();
  if (serial != serial_) return;
  written_ += bytes;
  ended_ = (result & kStreamEnd) != 0;
  starved_ = !ended_ && bytes < wanted;
  if (starved_ && bytes == 0) nextFill_ = Clock::now() + settings_.updatePeriod;
}

bool OutputStream::Send(std::unique_lock<std::mutex>& lock, bool wait) {
  const std::size_t capacity = ring_.size();
  const std::size_t offset = static_cast<std::size_t>(sent_ % capacity);
  const std::size_t count = std::min({static_cast<std::size_t>(written_ - sent_), capacity - offset, updateBytes_});
  const std::uint8_t* data = ring_.data() + offset;

  // Volume and pan are applied as the bytes leave the buffer, so a change
  // is heard after the device's latency, not after the whole buffer. A block
  // takes the values of the moments it will be heard at, which keeps a
  // slide smooth across blocks handed over ahead of time.
  const auto secondsOf = [this](std::uint64_t bytes) {
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(bytes) / static_cast<double>(format_.BytesPerSecond())));
  };
  const Clock::time_point heardFrom = Clock::now() + secondsOf(sent_ - HeardLocked());
  const Clock::time_point heardUntil = heardFrom + secondsOf(count);
  const StereoGain start = StereoGain::From(volume_.At(heardFrom), pan_.At(heardFrom));
  const StereoGain end = StereoGain::From(volume_.At(heardUntil), pan_.At(heardUntil));
  if (!start.IsUnity() || !end.IsUnity()) {
    const std::size_t frames = count / static_cast<std::size_t>(format_.FrameBytes());
    ApplyGain(reinterpret_cast<const std::int16_t*>(data), scaled_.data(), frames, format_.channels, start, end);
    data = reinterpret_cast<const std::uint8_t*>(scaled_.data());
  }

  const std::uint64_t serial = serial_;
  busy_ = true;
  lock.unlock();
  const std::size_t taken = sink_->Write(data, count, abandon_, wait);
  lock.lock();
  busy_ = false;
  if (hold_) idle_.notify_all();
  if (serial != serial_) return false;
  sent_ += taken;
  if (taken == 0 && sink_->Failed()) sinkFailed_ = true;
  return taken > 0;
}

void OutputStream::DrainSink(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t serial = serial_;
  busy_ = true;
  lock.unlock();
  sink_->Drain(abandon_);
  lock.lock();
  busy_ = false;
  if (hold_) idle_.notify_all();
  if (serial != serial_ || hold_ || exit_) return;
  if (sink_->Failed()) {
    sinkFailed_ = true;
  } else {
    drained_ = true;
  }
}

void OutputStream::RunDsps(void* buffer, std::uint32_t bytes) {
  std::lock_guard lock(dspMutex_);
  for (const Dsp& dsp : dsps_) dsp.procedure(dsp.handle, handle_, buffer, bytes);
}

std::uint64_t OutputStream::HeardLocked() {
  if (!sink_) return 0;
  if (drained_) return heard_ = written_;
  const std::uint64_t queued = sink_->QueuedBytes();
  const std::uint64_t heard = sent_ > queued ? sent_ - queued : 0;
  heard_ = std::max(heard_, std::min(heard, written_));
  return heard_;
}

bool OutputStream::FinishedLocked() { return ended_ && (drained_ || HeardLocked() >= written_); }

std::size_t OutputStream::FreeLocked() {
  return ring_.size() - static_cast<std::size_t>(written_ - HeardLocked());
}

void OutputStream::ResetBufferLocked() {
  ++serial_;
  written_ = sent_ = heard_ = 0;
  ended_ = drained_ = starved_ = sinkFailed_ = false;
  nextFill_ = {};
  if (sink_) sink_->Flush();
}

void OutputStream::Quiesce(std::unique_lock<std::mutex>& lock) {
  // From inside the procedure the audio thread is ours already.
  if (OnAudioThread()) return;
  hold_ = true;
  abandon_ = true;
  if (sink_) sink_->Interrupt();
  idle_.wait(lock, [this] { return !busy_; });
}

void OutputStream::Release() {
  hold_ = false;
  abandon_ = false;
  wake_.notify_all();
}

bool OutputStream::OnAudioThread() const { return thread_.get_id() == std::this_thread::get_id(); }

}  // namespace tarvo::audio
