#include "audio/output_choice.h"

#include <cstdio>
#include <cstdlib>

#include "audio/null_output.h"
#include "audio/pulse_output.h"
#include "audio/wav_output.h"

namespace tarvo::audio {

namespace {

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

OutputChoice ParseOutputChoice(std::string_view text) {
  std::string_view rest = text;
  if (text.empty() || text == "pulse") return {OutputChoice::Kind::Pulse, ""};
  if (TakePrefix(rest, "pulse:") && !rest.empty()) return {OutputChoice::Kind::Pulse, std::string(rest)};
  if (text == "null") return {OutputChoice::Kind::Null, ""};
  rest = text;
  if (TakePrefix(rest, "wav:") && !rest.empty()) return {OutputChoice::Kind::Wav, std::string(rest)};
  rest = text;
  if (TakePrefix(rest, "wav-fast:") && !rest.empty()) {
    return {OutputChoice::Kind::WavFast, std::string(rest)};
  }
  return {OutputChoice::Kind::Invalid, std::string(text)};
}

OutputChoice OutputChoiceFromEnvironment() {
  const char* value = std::getenv(kOutputVariable);
  return ParseOutputChoice(value ? value : "");
}

std::unique_ptr<OutputDevice> OpenOutputDevice(const OutputChoice& choice, int device, AudioError& error) {
  using Kind = OutputChoice::Kind;
  if (choice.kind == Kind::Pulse) {
    std::unique_ptr<OutputDevice> pulse = PulseOutput::Open(choice.argument, device, error);
    return pulse;
  }
  if (device != 1) {
    error = AudioError::Device;
    return nullptr;
  }
  std::unique_ptr<OutputDevice> opened;
  switch (choice.kind) {
    case Kind::Null:
      opened = std::make_unique<NullOutput>();
      break;
    case Kind::Wav:
    case Kind::WavFast:
      opened = WavOutput::Open(choice.argument, choice.kind == Kind::Wav);
      if (!opened) std::fprintf(stderr, "tarvo: can't create the WAV output %s\n", choice.argument.c_str());
      break;
    case Kind::Pulse:
    case Kind::Invalid:
      std::fprintf(stderr, "tarvo: %s=%s names no known output (pulse, null, wav:PATH, wav-fast:PATH)\n",
                   kOutputVariable, choice.argument.c_str());
      break;
  }
  error = opened ? AudioError::Ok : AudioError::Driver;
  return opened;
}

std::optional<std::string> OutputDeviceDescription(const OutputChoice& choice, int device) {
  using Kind = OutputChoice::Kind;
  if (device < 1) return std::nullopt;
  switch (choice.kind) {
    case Kind::Pulse: {
      if (device == 1) return "Default";
      const std::optional<std::vector<std::string>> outputs = ListPulseOutputs(choice.argument);
      if (!outputs || static_cast<std::size_t>(device - 2) >= outputs->size()) return std::nullopt;
      return (*outputs)[static_cast<std::size_t>(device - 2)];
    }
    case Kind::Null:
      if (device == 1) return "No sound";
      return std::nullopt;
    case Kind::Wav:
    case Kind::WavFast:
      if (device == 1) return "WAV file " + choice.argument;
      return std::nullopt;
    case Kind::Invalid:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tarvo::audio
