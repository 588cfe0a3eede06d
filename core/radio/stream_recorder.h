// Recording an internet stream to a WAV file. A DSP hook on the output
// stream (RecordTap) writes the sample data raw to temporary files; when the
// recording ends the user is asked whether to save it, and the files are
// joined behind a WAV header in the file the user names. With the
// pre-record cache on, the last minutes of a station are kept on disk from
// the moment it starts, so a recording started late begins that much
// earlier. Window thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "audio/audio_library.h"
#include "platform/free_space.h"
#include "radio/radio_core.h"
#include "radio/record_tap.h"
#include "radio/wav_writer.h"

namespace tarvo {

// Below this many free bytes a recording stops (20 MB).
inline constexpr std::uint64_t kLeastFreeRecordBytes = 20971520;

class StreamRecorder {
 public:
  // `currentOutput` gives the engine's playing output stream (0 for none).
  StreamRecorder(audio::AudioLibrary& library, std::function<audio::AudioHandle()> currentOutput);
  ~StreamRecorder();
  StreamRecorder(const StreamRecorder&) = delete;
  StreamRecorder& operator=(const StreamRecorder&) = delete;

  // Where the free space is asked; the system's by default.
  void UseFreeSpaceService(FreeSpaceService& service) { freeSpace_ = &service; }
  // The most sample bytes one recording holds; a WAV file's limit by default.
  void UseSizeLimit(std::uint64_t bytes) { sizeLimit_ = bytes; }

  // A recording runs (the cache alone is no recording).
  bool Recording() const { return recording_; }
  // The folder the temporary files of the last start are in, ending in "/".
  const std::string& TempFolder() const { return folderPath_; }

  // The command: starts a recording after asking, or stops the station and
  // with it the recording.
  void RecordStartAc(RadioCore& core);
  // Installs the hook on the playing output unless it is installed; unless
  // `cacheOnly`, the recording takes over. False when the temporary folder
  // can't be used or the output takes no hook.
  bool StartRecordDsp(RadioCore& core, bool cacheOnly);
  // Removes the hook and closes the temporary file.
  void StopRecordDsp(RadioCore& core);
  // Ends a running recording: asks whether to save it and writes the WAV
  // file. Without a recording it only removes the hook (cache files stay).
  void FinishRecording(RadioCore& core);
  // Ends a recording without the save question, as the program closes: its
  // temporary files stay for a later recording to reuse or delete.
  void LeaveRecording(RadioCore& core);

  // Every status tick of a stream, with the output's state: a recording that
  // reached the WAV limit, could not be written, or whose stream has ended
  // (a lost connection, or a change of sample format, which ends the
  // stream) is closed and offered for saving.
  void WatchTap(RadioCore& core, audio::ChannelState outputState);
  // The stream status update of a running recording: the time left on the
  // disk in the time label; below 20 MB free the recording stops.
  void ShowTimeLeft(RadioCore& core);

 private:
  // Opens the temporary folder afresh (without the files of an earlier
  // start) and installs the hook on `output`.
  bool InstallTap(RadioCore& core, audio::AudioHandle output, bool cacheOnly);
  // The format of the output the hook is on, for the WAV header.
  WavFormat OutputFormat(audio::AudioHandle output);
  // Closes the recording at once with `warning`, then offers it for saving.
  void StopWith(RadioCore& core, const std::string& warning);
  void SaveRecording(RadioCore& core);
  void SetCaption(RadioCore& core, const std::string& caption);
  void DeleteTemps();

  audio::AudioLibrary& library_;
  const std::function<audio::AudioHandle()> currentOutput_;
  SystemFreeSpace systemFreeSpace_;
  FreeSpaceService* freeSpace_ = &systemFreeSpace_;
  std::uint64_t sizeLimit_ = kWavDataLimit;

  bool recording_ = false;
  // Set while the WAV file is joined (the window runs events meanwhile).
  bool joining_ = false;
  audio::DspHandle dsp_ = 0;
  audio::AudioHandle tappedOutput_ = 0;
  // The open temporary folder of the last start and its path.
  int folder_ = -1;
  std::string folderPath_;
  WavFormat format_;
  RecordTap tap_;
};

}  // namespace tarvo
