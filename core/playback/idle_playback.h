// Playback for a program run without the audio engine: nothing plays, so no
// decoder is ever busy and nothing is ever paused.
#pragma once

#include "playlist/playback_control.h"

namespace tarvo {

class IdlePlayback : public PlaybackControl {
 public:
  int ProbeEntry(const std::string&) override { return 0; }
  void PlayEntry(int, bool) override {}
  void StopPlayback(bool) override {}
  void PlaySelected() override {}
  void PauseOrResume() override {}
  void StopStep() override {}
  void TotalRewind() override {}
  void SeekStep(int, int) override {}
  void SeekStepRelease() override {}
  void ApplyVolume(int) override {}
  void SlideVolume(int, int) override {}
  void EnsureAudioDevice() override {}
  void SwitchOutputDevice(int) override {}
  std::int64_t FileLengthSeconds(const std::string&) override { return -1; }
  FileDescription DescribeFile(const std::string&) override { return {}; }
  std::int64_t ElapsedBytes() override { return 0; }
  void SeekTo(std::int64_t) override {}
  bool DeviceOpen() const override { return false; }
  bool IsPaused() const override { return false; }
  bool DecoderEnded() const override { return false; }
};

}  // namespace tarvo
