// Records the playback calls the playlist code makes.
#pragma once

#include <vector>

#include "playback/playback_control.h"

namespace tarvo::testing {

class FakePlayback : public PlaybackControl {
 public:
  void PlayEntry(int index) override { played.push_back(index); }
  void StopPlayback(bool release) override {
    stops.push_back(release);
    paused = false;
  }
  bool DecoderEnded() const override { return decoderEnded; }
  bool IsPaused() const override { return paused; }

  std::vector<int> played;
  std::vector<bool> stops;
  bool decoderEnded = false;
  bool paused = false;
};

}  // namespace tarvo::testing
