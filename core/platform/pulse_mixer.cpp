#include "platform/pulse_mixer.h"

#include <chrono>
#include <string>

#include "platform/pulse_library.h"

namespace tarvo {

namespace {

constexpr auto kTimeout = std::chrono::seconds(3);
constexpr int kPollMicroseconds = 50 * 1000;

// One short-lived connection driven by a plain main loop: every step runs
// the loop until its operation is done or the time is up.
class MixerConnection {
 public:
  explicit MixerConnection(const std::string& server)
      : loop_(LoadedPulse().pa_mainloop_new()),
        context_(LoadedPulse().pa_context_new(LoadedPulse().pa_mainloop_get_api(loop_), "Tarvo mixer reset")) {
    connected_ = LoadedPulse().pa_context_connect(context_, server.empty() ? nullptr : server.c_str(),
                                                  PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
                 RunUntil([this] {
                   const pa_context_state_t state = LoadedPulse().pa_context_get_state(context_);
                   return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
                 }) &&
                 LoadedPulse().pa_context_get_state(context_) == PA_CONTEXT_READY;
  }
  ~MixerConnection() {
    LoadedPulse().pa_context_disconnect(context_);
    LoadedPulse().pa_context_unref(context_);
    LoadedPulse().pa_mainloop_free(loop_);
  }
  MixerConnection(const MixerConnection&) = delete;
  MixerConnection& operator=(const MixerConnection&) = delete;

  bool Connected() const { return connected_; }
  pa_context* Context() const { return context_; }

  // Runs the loop until `done` holds; false on a time-out or a loop error.
  template <typename Done>
  bool RunUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (!done()) {
      // Polls wait at most 50 ms, so the deadline is looked at regularly.
      if (std::chrono::steady_clock::now() > deadline ||
          LoadedPulse().pa_mainloop_prepare(loop_, kPollMicroseconds) < 0 ||
          LoadedPulse().pa_mainloop_poll(loop_) < 0 || LoadedPulse().pa_mainloop_dispatch(loop_) < 0) {
        return false;
      }
    }
    return true;
  }

  // Waits for `operation`; false when it could not be started or timed out.
  bool Wait(pa_operation* operation) {
    if (!operation) return false;
    const bool done =
        RunUntil([operation] { return LoadedPulse().pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
    LoadedPulse().pa_operation_unref(operation);
    return done;
  }

 private:
  pa_mainloop* loop_;
  pa_context* context_;
  bool connected_ = false;
};

struct SinkFacts {
  std::string name;
  pa_channel_map map{};
  bool found = false;
  bool succeeded = true;
};

void OnServerInfo(pa_context*, const pa_server_info* info, void* user) {
  if (info && info->default_sink_name) static_cast<SinkFacts*>(user)->name = info->default_sink_name;
}

void OnSinkInfo(pa_context*, const pa_sink_info* info, int last, void* user) {
  if (last || !info) return;
  auto* facts = static_cast<SinkFacts*>(user);
  facts->map = info->channel_map;
  facts->found = true;
}

void OnSuccess(pa_context*, int success, void* user) {
  if (!success) static_cast<SinkFacts*>(user)->succeeded = false;
}

}  // namespace

bool ResetPulseMixer(const std::string& server) {
  if (!Pulse()) return false;
  MixerConnection connection(server);
  if (!connection.Connected()) return false;
  pa_context* context = connection.Context();
  SinkFacts sink;
  if (!connection.Wait(LoadedPulse().pa_context_get_server_info(context, OnServerInfo, &sink)) || sink.name.empty()) {
    return false;
  }
  if (!connection.Wait(LoadedPulse().pa_context_get_sink_info_by_name(context, sink.name.c_str(), OnSinkInfo, &sink)) ||
      !sink.found) {
    return false;
  }
  pa_cvolume full;
  LoadedPulse().pa_cvolume_set(&full, sink.map.channels, PA_VOLUME_NORM);
  const bool volumeSet = connection.Wait(
      LoadedPulse().pa_context_set_sink_volume_by_name(context, sink.name.c_str(), &full, OnSuccess, &sink));
  const bool unmuted =
      connection.Wait(LoadedPulse().pa_context_set_sink_mute_by_name(context, sink.name.c_str(), 0, OnSuccess, &sink));
  return volumeSet && unmuted && sink.succeeded;
}

}  // namespace tarvo
