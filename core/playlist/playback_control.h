// The playback operations that the rest of the core calls: the playlist
// code, the key dispatcher and the status tick. The engine implements it; in
// tests a fake stands in. Every method runs on the window thread.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

// What the file information window shows of a file's sound.
struct FileDescription {
  // "44100 Hz 16 bit Stereo", "128 Kbps Stereo" or empty.
  std::string format;
  // The playing length in milliseconds; -1 when the file can't be opened.
  std::int64_t lengthMs = -1;
  // "FLAC, 44100 Hz, 16 bit, Stereo"; empty when the file can't be opened.
  std::string coding{};
};

class PlaybackControl {
 public:
  virtual ~PlaybackControl() = default;

  // Why an entry can't be played: 0 playable (streams and playlist files are
  // not probed), 1 file not found, 2 unsupported format, 4 illegal sample
  // rate, 5 not an audio file, 6 unsupported sample format, 7 can't be
  // opened, 8 no output for its format, 10 unknown.
  virtual int ProbeEntry(const std::string& entry) = 0;
  // Starts the entry at `index` of the playlist; -1 or a failed probe leaves
  // playback as it is (a failed probe shows its warning). `fromTick` is set
  // when the status tick starts the next entry at the end of one.
  virtual void PlayEntry(int index, bool fromTick = false) = 0;
  // Stops playing; `release` also frees the output device.
  virtual void StopPlayback(bool release) = 0;

  // The keys' playback operations. PlaySelected plays the focused row of a
  // list that is not empty (the Enter key's empty-list case is
  // tarvo::PlaySelected's).
  virtual void PlaySelected() = 0;
  virtual void PauseOrResume() = 0;
  // First press pauses, second stops and releases the device.
  virtual void StopStep() = 0;
  virtual void TotalRewind() = 0;
  // Moves the seek bar back (-1) or forward (+1) by 100 ms (Shift), 60 s
  // (Ctrl) or 3 s; the seek itself is made by SeekStepRelease.
  virtual void SeekStep(int direction, int shift) = 0;
  virtual void SeekStepRelease() = 0;

  // Applies a volume on the library's 0..1000 scale to the playing output.
  virtual void ApplyVolume(int libraryVolume) = 0;
  // Slides the playing output's volume (library scale) to `libraryVolume`
  // over `milliseconds`, without waiting; nothing when no output plays.
  virtual void SlideVolume(int libraryVolume, int milliseconds) = 0;

  // Opens the output device when it is not open; says so when that fails.
  virtual void EnsureAudioDevice() = 0;
  // Stores output device `device` (1 the default output) and moves to it: a
  // playing or paused entry goes on there at the same position and in the
  // same state. When the device can't be opened the user is told, and the
  // entry and its position are kept for the next play of that entry.
  virtual void SwitchOutputDevice(int device) = 0;
  // The playing length of the file at `path` in whole seconds (rounded),
  // measured on a decoding channel of its own; -1 when it can't be opened.
  // Blocks while the file is read.
  virtual std::int64_t FileLengthSeconds(const std::string& path) = 0;
  // The format text and length of the file at `path`, measured on a
  // decoding channel of its own. Blocks while the file is opened.
  virtual FileDescription DescribeFile(const std::string& path) = 0;

  // The position of the playing file entry in bytes of its decoded format;
  // 0 when nothing plays. SeekTo moves the playing file entry there.
  virtual std::int64_t ElapsedBytes() = 0;
  virtual void SeekTo(std::int64_t bytes) = 0;

  virtual bool DeviceOpen() const = 0;
  virtual bool IsPaused() const = 0;
  // True from the moment the audio thread starts joining the next entry
  // until the window thread has completed the switch.
  virtual bool DecoderEnded() const = 0;
};

}  // namespace tarvo
