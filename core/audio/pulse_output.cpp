#include "audio/pulse_output.h"

#include <algorithm>
#include <cstdio>

#include "audio/null_output.h"
#include "platform/pulse_library.h"

namespace tarvo::audio {

namespace {

constexpr pa_usec_t kConnectTimeout = 5 * PA_USEC_PER_SEC;
// How far ahead of the listener the server holds our data. Small, so that
// volume changes and pauses take effect at once; the stream's own buffer of
// seconds lies before it.
constexpr pa_usec_t kTargetLatency = 200 * PA_USEC_PER_MSEC;

// Every PulseAudio failure passes through here: it names the step and the
// server's reason, and gives the layer's error.
AudioError PulseFailure(pa_context* context, const char* step, AudioError error) {
  const int code = context ? LoadedPulse().pa_context_errno(context) : static_cast<int>(PA_ERR_UNKNOWN);
  std::fprintf(stderr, "tarvo: PulseAudio: %s: %s\n", step, LoadedPulse().pa_strerror(code));
  return error;
}

class LoopLock {
 public:
  explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { LoadedPulse().pa_threaded_mainloop_lock(loop_); }
  ~LoopLock() { LoadedPulse().pa_threaded_mainloop_unlock(loop_); }
  LoopLock(const LoopLock&) = delete;
  LoopLock& operator=(const LoopLock&) = delete;

 private:
  pa_threaded_mainloop* loop_;
};

// The callbacks that only wake whoever waits on the loop; `loop` is the
// user data.
void SignalContext(pa_context*, void* loop) {
  LoadedPulse().pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void SignalStreamSuccess(pa_stream*, int, void* loop) {
  LoadedPulse().pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void SignalStreamRequest(pa_stream*, std::size_t, void* loop) {
  LoadedPulse().pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

struct SinkEntry {
  std::uint32_t index;
  std::string name;
  std::string description;
};

}  // namespace

// A main loop thread and a context connected to one server. Every call into
// libpulse happens with the loop's lock held (LoopLock); callbacks run on
// the loop's thread with it held.
class PulseConnection {
 public:
  static std::unique_ptr<PulseConnection> Connect(const std::string& server, AudioError& error);
  ~PulseConnection();
  PulseConnection(const PulseConnection&) = delete;
  PulseConnection& operator=(const PulseConnection&) = delete;

  pa_threaded_mainloop* Loop() const { return loop_; }
  pa_context* Context() const { return context_; }
  // Caller holds the lock. Waits until `operation` has run and releases it;
  // false when it could not be started or the connection broke meanwhile.
  bool Finish(pa_operation* operation);
  // Takes the lock. The server's outputs by index; nothing on failure.
  std::optional<std::vector<SinkEntry>> Sinks();

 private:
  PulseConnection() = default;
  AudioError Start(const std::string& server);
  static void TimerExpired(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);

  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  bool timedOut_ = false;  // under the loop lock
};

std::unique_ptr<PulseConnection> PulseConnection::Connect(const std::string& server, AudioError& error) {
  if (!Pulse()) {
    error = AudioError::Driver;
    return nullptr;
  }
  std::unique_ptr<PulseConnection> connection(new PulseConnection);
  error = connection->Start(server);
  if (error != AudioError::Ok) return nullptr;
  return connection;
}

AudioError PulseConnection::Start(const std::string& server) {
  loop_ = LoadedPulse().pa_threaded_mainloop_new();
  if (!loop_) return PulseFailure(nullptr, "creating the main loop", AudioError::Driver);
  context_ = LoadedPulse().pa_context_new(LoadedPulse().pa_threaded_mainloop_get_api(loop_), "Tarvo");
  if (!context_) return PulseFailure(nullptr, "creating the context", AudioError::Driver);
  LoadedPulse().pa_context_set_state_callback(context_, &SignalContext, loop_);
  if (LoadedPulse().pa_threaded_mainloop_start(loop_) < 0) {
    return PulseFailure(nullptr, "starting the main loop", AudioError::Driver);
  }

  LoopLock lock(loop_);
  // Never spawn a server: with none running, opening the device fails and
  // the player says so.
  if (LoadedPulse().pa_context_connect(context_, server.empty() ? nullptr : server.c_str(), PA_CONTEXT_NOAUTOSPAWN,
                                       nullptr) < 0) {
    return PulseFailure(context_, "connecting", AudioError::Driver);
  }
  pa_time_event* timer = LoadedPulse().pa_context_rttime_new(context_, LoadedPulse().pa_rtclock_now() + kConnectTimeout,
                                                             &TimerExpired, this);
  pa_context_state_t state;
  while ((state = LoadedPulse().pa_context_get_state(context_)) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(state) &&
         !timedOut_) {
    LoadedPulse().pa_threaded_mainloop_wait(loop_);
  }
  if (timer) LoadedPulse().pa_threaded_mainloop_get_api(loop_)->time_free(timer);
  if (state != PA_CONTEXT_READY) {
    if (timedOut_) {
      std::fprintf(stderr, "tarvo: PulseAudio: connecting: the server did not answer\n");
      return AudioError::Driver;
    }
    return PulseFailure(context_, "connecting", AudioError::Driver);
  }
  return AudioError::Ok;
}

void PulseConnection::TimerExpired(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
  auto* connection = static_cast<PulseConnection*>(self);
  connection->timedOut_ = true;
  LoadedPulse().pa_threaded_mainloop_signal(connection->loop_, 0);
}

PulseConnection::~PulseConnection() {
  if (!loop_) return;
  if (context_) {
    LoopLock lock(loop_);
    LoadedPulse().pa_context_set_state_callback(context_, nullptr, nullptr);
    LoadedPulse().pa_context_disconnect(context_);
    LoadedPulse().pa_context_unref(context_);
  }
  LoadedPulse().pa_threaded_mainloop_stop(loop_);
  LoadedPulse().pa_threaded_mainloop_free(loop_);
}

bool PulseConnection::Finish(pa_operation* operation) {
  if (!operation) return false;
  bool done = true;
  while (LoadedPulse().pa_operation_get_state(operation) == PA_OPERATION_RUNNING) {
    if (!PA_CONTEXT_IS_GOOD(LoadedPulse().pa_context_get_state(context_))) {
      LoadedPulse().pa_operation_cancel(operation);
      done = false;
      break;
    }
    LoadedPulse().pa_threaded_mainloop_wait(loop_);
  }
  LoadedPulse().pa_operation_unref(operation);
  return done;
}

std::optional<std::vector<SinkEntry>> PulseConnection::Sinks() {
  struct Listing {
    pa_threaded_mainloop* loop;
    std::vector<SinkEntry> sinks;
    bool failed = false;
  } listing{loop_, {}, false};
  auto collect = [](pa_context*, const pa_sink_info* info, int last, void* data) {
    auto* into = static_cast<Listing*>(data);
    if (last < 0) into->failed = true;
    if (last == 0 && info) {
      into->sinks.push_back({info->index, info->name ? info->name : "",
                             info->description ? info->description : ""});
    }
    if (last != 0) LoadedPulse().pa_threaded_mainloop_signal(into->loop, 0);
  };
  LoopLock lock(loop_);
  if (!Finish(LoadedPulse().pa_context_get_sink_info_list(context_, collect, &listing)) || listing.failed) {
    PulseFailure(context_, "listing the outputs", AudioError::Driver);
    return std::nullopt;
  }
  std::sort(listing.sinks.begin(), listing.sinks.end(),
            [](const SinkEntry& a, const SinkEntry& b) { return a.index < b.index; });
  return listing.sinks;
}

namespace {

// One playback stream. Write and Drain wait on the loop for the server's
// requests; everything else only takes the loop lock briefly.
class PulseSink final : public OutputSink {
 public:
  static std::unique_ptr<PulseSink> Create(PulseConnection& connection, const std::string& sinkName,
                                           const PcmFormat& format, AudioError& error);
  ~PulseSink() override;

  std::size_t Write(const std::uint8_t* data, std::size_t bytes, const std::atomic<bool>& abandon,
                    bool wait) override;
  void Drain(const std::atomic<bool>& abandon) override;
  void Interrupt() override;
  std::uint64_t QueuedBytes() override;
  void SetPaused(bool paused) override;
  void Flush() override;
  bool Failed() const override { return failed_.load(); }
  std::size_t LatencyBytes() const override { return latencyBytes_; }

 private:
  PulseSink(PulseConnection& connection, const PcmFormat& format)
      : connection_(connection), loop_(connection.Loop()), format_(format) {}
  AudioError Connect(const std::string& sinkName);
  static void StateChanged(pa_stream* stream, void* self);
  static void Drained(pa_stream*, int, void* self);

  PulseConnection& connection_;
  pa_threaded_mainloop* const loop_;
  const PcmFormat format_;
  pa_stream* stream_ = nullptr;
  std::size_t latencyBytes_ = 0;
  std::atomic<bool> failed_{false};
  // Under the loop lock.
  std::uint64_t writtenSinceFlush_ = 0;
  bool drained_ = false;
};

std::unique_ptr<PulseSink> PulseSink::Create(PulseConnection& connection, const std::string& sinkName,
                                             const PcmFormat& format, AudioError& error) {
  std::unique_ptr<PulseSink> sink(new PulseSink(connection, format));
  error = sink->Connect(sinkName);
  if (error != AudioError::Ok) return nullptr;
  return sink;
}

AudioError PulseSink::Connect(const std::string& sinkName) {
  pa_context* context = connection_.Context();
  const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(format_.rate),
                            static_cast<std::uint8_t>(format_.channels)};
  LoopLock lock(loop_);
  stream_ = LoadedPulse().pa_stream_new(context, "Tarvo", &spec, nullptr);
  if (!stream_) return PulseFailure(context, "creating a stream", AudioError::SampleFormat);
  LoadedPulse().pa_stream_set_state_callback(stream_, &StateChanged, this);
  LoadedPulse().pa_stream_set_write_callback(stream_, &SignalStreamRequest, loop_);

  pa_buffer_attr attributes{};
  attributes.maxlength = static_cast<std::uint32_t>(-1);
  attributes.tlength = static_cast<std::uint32_t>(LoadedPulse().pa_usec_to_bytes(kTargetLatency, &spec));
  attributes.prebuf = static_cast<std::uint32_t>(-1);
  attributes.minreq = static_cast<std::uint32_t>(-1);
  attributes.fragsize = static_cast<std::uint32_t>(-1);
  const auto flags = static_cast<pa_stream_flags_t>(
      PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
  if (LoadedPulse().pa_stream_connect_playback(stream_, sinkName.empty() ? nullptr : sinkName.c_str(), &attributes,
                                               flags, nullptr, nullptr) < 0) {
    return PulseFailure(context, "connecting a stream", AudioError::Unknown);
  }
  pa_stream_state_t state;
  while ((state = LoadedPulse().pa_stream_get_state(stream_)) == PA_STREAM_CREATING)
    LoadedPulse().pa_threaded_mainloop_wait(loop_);
  if (state != PA_STREAM_READY) return PulseFailure(context, "starting a stream", AudioError::Unknown);
  const pa_buffer_attr* granted = LoadedPulse().pa_stream_get_buffer_attr(stream_);
  latencyBytes_ = granted ? granted->tlength : attributes.tlength;
  return AudioError::Ok;
}

PulseSink::~PulseSink() {
  if (!stream_) return;
  LoopLock lock(loop_);
  LoadedPulse().pa_stream_set_state_callback(stream_, nullptr, nullptr);
  LoadedPulse().pa_stream_set_write_callback(stream_, nullptr, nullptr);
  LoadedPulse().pa_stream_disconnect(stream_);
  LoadedPulse().pa_stream_unref(stream_);
}

void PulseSink::StateChanged(pa_stream* stream, void* self) {
  auto* sink = static_cast<PulseSink*>(self);
  if (!PA_STREAM_IS_GOOD(LoadedPulse().pa_stream_get_state(stream))) sink->failed_ = true;
  LoadedPulse().pa_threaded_mainloop_signal(sink->loop_, 0);
}

void PulseSink::Drained(pa_stream*, int, void* self) {
  auto* sink = static_cast<PulseSink*>(self);
  sink->drained_ = true;
  LoadedPulse().pa_threaded_mainloop_signal(sink->loop_, 0);
}

std::size_t PulseSink::Write(const std::uint8_t* data, std::size_t bytes,
                             const std::atomic<bool>& abandon, bool wait) {
  const std::size_t frame = static_cast<std::size_t>(format_.FrameBytes());
  LoopLock lock(loop_);
  for (;;) {
    if (abandon.load() || failed_.load()) return 0;
    const std::size_t writable = LoadedPulse().pa_stream_writable_size(stream_);
    if (writable == static_cast<std::size_t>(-1)) {
      failed_ = true;
      PulseFailure(connection_.Context(), "asking for room", AudioError::Unknown);
      return 0;
    }
    if (writable >= frame) {
      std::size_t take = std::min(bytes, writable);
      take -= take % frame;
      if (LoadedPulse().pa_stream_write(stream_, data, take, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
        failed_ = true;
        PulseFailure(connection_.Context(), "writing", AudioError::Unknown);
        return 0;
      }
      writtenSinceFlush_ += take;
      return take;
    }
    if (!wait) return 0;
    LoadedPulse().pa_threaded_mainloop_wait(loop_);
  }
}

void PulseSink::Drain(const std::atomic<bool>& abandon) {
  LoopLock lock(loop_);
  drained_ = false;
  // Draining also starts a stream that ended before its prebuffer filled.
  pa_operation* operation = LoadedPulse().pa_stream_drain(stream_, &Drained, this);
  if (!operation) return;
  while (!drained_ && !abandon.load() && !failed_.load()) LoadedPulse().pa_threaded_mainloop_wait(loop_);
  if (!drained_) LoadedPulse().pa_operation_cancel(operation);
  LoadedPulse().pa_operation_unref(operation);
}

void PulseSink::Interrupt() {
  LoopLock lock(loop_);
  LoadedPulse().pa_threaded_mainloop_signal(loop_, 0);
}

std::uint64_t PulseSink::QueuedBytes() {
  LoopLock lock(loop_);
  pa_usec_t latency = 0;
  int negative = 0;
  // Before the first timing report nothing can have been heard yet.
  if (LoadedPulse().pa_stream_get_latency(stream_, &latency, &negative) < 0) return writtenSinceFlush_;
  if (negative) return 0;
  std::uint64_t bytes = LoadedPulse().pa_usec_to_bytes(latency, LoadedPulse().pa_stream_get_sample_spec(stream_));
  return std::min(bytes, writtenSinceFlush_);
}

void PulseSink::SetPaused(bool paused) {
  LoopLock lock(loop_);
  pa_operation* operation = LoadedPulse().pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr);
  if (operation) {
    LoadedPulse().pa_operation_unref(operation);
  } else {
    PulseFailure(connection_.Context(), paused ? "pausing" : "resuming", AudioError::Unknown);
  }
}

void PulseSink::Flush() {
  LoopLock lock(loop_);
  if (!connection_.Finish(LoadedPulse().pa_stream_flush(stream_, &SignalStreamSuccess, loop_))) {
    PulseFailure(connection_.Context(), "dropping the buffer", AudioError::Unknown);
  }
  // The next latency reading must not come from before the flush.
  connection_.Finish(LoadedPulse().pa_stream_update_timing_info(stream_, &SignalStreamSuccess, loop_));
  writtenSinceFlush_ = 0;
}

}  // namespace

PulseOutput::PulseOutput(std::unique_ptr<PulseConnection> connection, std::string sinkName)
    : connection_(std::move(connection)), sinkName_(std::move(sinkName)) {}

PulseOutput::~PulseOutput() = default;

std::unique_ptr<PulseOutput> PulseOutput::Open(const std::string& server, int device, AudioError& error) {
  if (device < 1) {
    error = AudioError::Device;
    return nullptr;
  }
  std::unique_ptr<PulseConnection> connection = PulseConnection::Connect(server, error);
  if (!connection) return nullptr;
  std::string sinkName;
  if (device > 1) {
    const std::optional<std::vector<SinkEntry>> sinks = connection->Sinks();
    if (!sinks) {
      error = AudioError::Driver;
      return nullptr;
    }
    if (static_cast<std::size_t>(device - 2) >= sinks->size()) {
      error = AudioError::Device;
      return nullptr;
    }
    sinkName = (*sinks)[static_cast<std::size_t>(device - 2)].name;
  }
  error = AudioError::Ok;
  return std::unique_ptr<PulseOutput>(new PulseOutput(std::move(connection), std::move(sinkName)));
}

bool PulseOutput::Supports(const PcmFormat& format) const {
  return SoftwareOutputSupports(format) && static_cast<std::uint32_t>(format.rate) <= PA_RATE_MAX;
}

std::unique_ptr<OutputSink> PulseOutput::CreateSink(const PcmFormat& format, AudioError& error) {
  if (!Supports(format)) {
    error = AudioError::SampleFormat;
    return nullptr;
  }
  return PulseSink::Create(*connection_, sinkName_, format, error);
}

std::optional<std::vector<std::string>> ListPulseOutputs(const std::string& server) {
  AudioError error = AudioError::Ok;
  std::unique_ptr<PulseConnection> connection = PulseConnection::Connect(server, error);
  if (!connection) return std::nullopt;
  std::optional<std::vector<SinkEntry>> sinks = connection->Sinks();
  if (!sinks) return std::nullopt;
  std::vector<std::string> descriptions;
  for (const SinkEntry& sink : *sinks) descriptions.push_back(sink.description);
  return descriptions;
}

}  // namespace tarvo::audio
