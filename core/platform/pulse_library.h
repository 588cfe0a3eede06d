// PulseAudio's client library, loaded the first time the pulse output or its
// mixer is used (see platform/loaded_library.h), so that a start with the
// null or WAV output, and every start before its window shows, does without
// it and the libraries it brings (libsndfile with its encoders, systemd's).
#pragma once

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include "platform/loaded_library.h"

namespace tarvo {

// The entry points the program calls.
#define TARVO_PULSE_FUNCTIONS(X)                                                                                 \
  X(pa_context_connect) X(pa_context_disconnect) X(pa_context_errno) X(pa_context_get_server_info)              \
  X(pa_context_get_sink_info_by_name) X(pa_context_get_sink_info_list) X(pa_context_get_state) X(pa_context_new) \
  X(pa_context_rttime_new) X(pa_context_set_sink_mute_by_name) X(pa_context_set_sink_volume_by_name)            \
  X(pa_context_set_state_callback) X(pa_context_unref) X(pa_cvolume_set) X(pa_mainloop_dispatch)               \
  X(pa_mainloop_free) X(pa_mainloop_get_api) X(pa_mainloop_new) X(pa_mainloop_poll) X(pa_mainloop_prepare)      \
  X(pa_operation_cancel) X(pa_operation_get_state) X(pa_operation_unref) X(pa_rtclock_now)                       \
  X(pa_stream_connect_playback) X(pa_stream_cork) X(pa_stream_disconnect) X(pa_stream_drain) X(pa_stream_flush) \
  X(pa_stream_get_buffer_attr) X(pa_stream_get_latency) X(pa_stream_get_sample_spec) X(pa_stream_get_state)     \
  X(pa_stream_new) X(pa_stream_set_state_callback) X(pa_stream_set_write_callback) X(pa_stream_unref)           \
  X(pa_stream_update_timing_info) X(pa_stream_writable_size) X(pa_stream_write) X(pa_strerror)                  \
  X(pa_threaded_mainloop_free) X(pa_threaded_mainloop_get_api) X(pa_threaded_mainloop_lock)                     \
  X(pa_threaded_mainloop_new) X(pa_threaded_mainloop_signal) X(pa_threaded_mainloop_start)                      \
  X(pa_threaded_mainloop_stop) X(pa_threaded_mainloop_unlock) X(pa_threaded_mainloop_wait) X(pa_usec_to_bytes)

struct PulseFunctions {
  TARVO_PULSE_FUNCTIONS(TARVO_FUNCTION_TABLE_MEMBER)
};

// Any thread: the library, loaded once for the process. Null when it is
// missing or lacks an entry point.
const PulseFunctions* Pulse();

// The library, for code that runs only once Pulse() found it.
inline const PulseFunctions& LoadedPulse() { return *Pulse(); }

}  // namespace tarvo
