#include "audio/null_output.h"

#include "audio/paced_sink.h"

namespace tarvo::audio {

namespace {

// How far ahead of the listener the imaginary card takes data; the audio
// thread wakes about twice per period.
constexpr std::chrono::milliseconds kNullLatency{200};

}  // namespace

bool SoftwareOutputSupports(const PcmFormat& format) {
  return format.channels >= 1 && format.channels <= kMaxChannels && format.rate >= kMinSampleRate &&
         format.rate <= kMaxSampleRate;
}

bool NullOutput::Supports(const PcmFormat& format) const { return SoftwareOutputSupports(format); }

std::unique_ptr<OutputSink> NullOutput::CreateSink(const PcmFormat& format, AudioError& error) {
  if (!Supports(format)) {
    error = AudioError::SampleFormat;
    return nullptr;
  }
  error = AudioError::Ok;
  return std::make_unique<PacedSink>(format, kNullLatency);
}

}  // namespace tarvo::audio
