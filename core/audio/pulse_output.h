// The output through a PulseAudio server (also PipeWire's PulseAudio
// service), with libpulse's threaded main loop. Each output stream gets a
// playback stream of its own; volume is applied before the bytes get here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "audio/output_device.h"

namespace tarvo::audio {

class PulseConnection;

class PulseOutput final : public OutputDevice {
 public:
  // Window thread; blocks until the server answers, a few seconds at most.
  // `server` empty: the user's server (PULSE_SERVER or the runtime folder's);
  // otherwise a libpulse server address. `device` 1 is the server's default
  // output, 2, 3, ... its outputs in the server's order. Nothing, with
  // `error` Driver when no server answers or Device when there is no such
  // output; a server is never started on our behalf.
  static std::unique_ptr<PulseOutput> Open(const std::string& server, int device, AudioError& error);
  ~PulseOutput() override;

  bool Supports(const PcmFormat& format) const override;
  // Waits for the server to accept the stream.
  std::unique_ptr<OutputSink> CreateSink(const PcmFormat& format, AudioError& error) override;

 private:
  PulseOutput(std::unique_ptr<PulseConnection> connection, std::string sinkName);

  std::unique_ptr<PulseConnection> connection_;
  std::string sinkName_;  // empty: the server's default output
};

// Window thread; blocks like Open. The descriptions of the server's outputs
// in the server's order; nothing when no server answers.
std::optional<std::vector<std::string>> ListPulseOutputs(const std::string& server);

}  // namespace tarvo::audio
