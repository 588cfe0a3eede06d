// Records the playback calls the core makes and answers probes from a table.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "playlist/playback_control.h"

namespace tarvo::testing {

class FakePlayback : public PlaybackControl {
 public:
  int ProbeEntry(const std::string& entry) override {
    probed.push_back(entry);
    const auto found = probeCodes.find(entry);
    return found == probeCodes.end() ? 0 : found->second;
  }
  void PlayEntry(int index, bool fromTick) override {
    played.push_back(index);
    playedFromTick.push_back(fromTick);
    if (onPlayEntry) onPlayEntry(index);
  }
  void StopPlayback(bool release) override {
    stops.push_back(release);
    paused = false;
  }
  void PlaySelected() override { calls.push_back("PlaySelected"); }
  void PauseOrResume() override {
    calls.push_back("PauseOrResume");
    paused = !paused;
  }
  void StopStep() override { calls.push_back("StopStep"); }
  void TotalRewind() override { calls.push_back("TotalRewind"); }
  void SeekStep(int direction, int shift) override {
    calls.push_back("SeekStep " + std::to_string(direction) + " " + std::to_string(shift));
  }
  void SeekStepRelease() override { calls.push_back("SeekStepRelease"); }
  void ApplyVolume(int libraryVolume) override { appliedVolumes.push_back(libraryVolume); }
  void SlideVolume(int libraryVolume, int milliseconds) override {
    volumeSlides.push_back({libraryVolume, milliseconds});
  }
  void EnsureAudioDevice() override {
    calls.push_back("EnsureAudioDevice");
    deviceOpen = true;
  }
  void SwitchOutputDevice(int device) override { deviceSwitches.push_back(device); }
  std::int64_t FileLengthSeconds(const std::string& path) override {
    const auto found = fileLengths.find(path);
    return found == fileLengths.end() ? -1 : found->second;
  }
  FileDescription DescribeFile(const std::string& path) override {
    const auto found = descriptions.find(path);
    return found == descriptions.end() ? FileDescription{} : found->second;
  }
  std::int64_t ElapsedBytes() override { return elapsedBytes; }
  void SeekTo(std::int64_t bytes) override { seeks.push_back(bytes); }
  bool DeviceOpen() const override { return deviceOpen; }
  bool IsPaused() const override { return paused; }
  bool DecoderEnded() const override { return decoderEnded; }

  // Entries whose probe fails, with their codes; everything else plays.
  std::map<std::string, int> probeCodes;
  std::vector<std::string> probed;
  std::vector<int> played;
  std::vector<bool> playedFromTick;
  // Runs after each recorded PlayEntry, standing in for what the engine does
  // when an entry starts.
  std::function<void(int)> onPlayEntry;
  // Lengths in seconds that FileLengthSeconds reports; other files can't be
  // opened.
  std::map<std::string, std::int64_t> fileLengths;
  // What DescribeFile reports; other files can't be opened.
  std::map<std::string, FileDescription> descriptions;
  std::int64_t elapsedBytes = 0;
  std::vector<std::int64_t> seeks;
  std::vector<int> deviceSwitches;
  std::vector<bool> stops;
  std::vector<std::string> calls;
  std::vector<int> appliedVolumes;
  // Each SlideVolume as target volume and milliseconds.
  std::vector<std::pair<int, int>> volumeSlides;
  bool deviceOpen = false;
  bool decoderEnded = false;
  bool paused = false;
};

}  // namespace tarvo::testing
