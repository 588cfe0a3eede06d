// The output without a device: what is played is consumed in real time by
// the clock and thrown away. Positions, pauses and ends behave as on a sound
// card, so the player runs normally where no sound server exists.
#pragma once

#include "audio/output_device.h"

namespace tarvo::audio {

class NullOutput final : public OutputDevice {
 public:
  bool Supports(const PcmFormat& format) const override;
  std::unique_ptr<OutputSink> CreateSink(const PcmFormat& format, AudioError& error) override;
};

// The formats the software outputs take: any rate and channel count that a
// decoder of this layer delivers.
bool SoftwareOutputSupports(const PcmFormat& format);

}  // namespace tarvo::audio
