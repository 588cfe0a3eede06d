// The output into a WAV file: exactly the bytes that would be heard, after
// volume, in the order heard. `wav:PATH` paces them in real time like a sound
// card (pauses and stops cut the file where a listener would have stopped
// hearing); `wav-fast:PATH` takes them as fast as they are produced.
//
// The file is created (emptied) each time the device is opened. With `wav:`
// its header is brought up to date after every write, so the file is a
// complete WAV file at any moment; with `wav-fast:` after every second of
// sound and when the device closes, as rewriting it for each block would
// cost more than the copying. It takes
// the format of the first stream heard; a later stream in another rate or
// channel count continues in a new file named with "-2", "-3", ... before the
// extension (out.wav, out-2.wav).
#pragma once

#include <mutex>
#include <string>

#include "audio/output_device.h"

namespace tarvo::audio {

// Any thread; serialised by its own lock.
class WavFileWriter {
 public:
  // The header is rewritten whenever `headerSeconds` of sound have been
  // added since it was last written (0: after every append).
  WavFileWriter(std::string path, int headerSeconds) : basePath_(std::move(path)), headerSeconds_(headerSeconds) {}
  ~WavFileWriter();
  WavFileWriter(const WavFileWriter&) = delete;
  WavFileWriter& operator=(const WavFileWriter&) = delete;

  // Creates the first file with an empty 44100 Hz stereo header; false when
  // it can't be created.
  bool Create();
  // Appends heard bytes of `format`, starting the next file when the format
  // differs from the current one's.
  void Append(const PcmFormat& format, const std::uint8_t* data, std::size_t bytes);

 private:
  bool StartFile(const std::string& path, const PcmFormat& format);
  void WriteHeader();
  void CloseFile();

  const std::string basePath_;
  const int headerSeconds_;
  std::mutex mutex_;  // guards everything below
  int fd_ = -1;
  int fileNumber_ = 1;
  PcmFormat format_{44100, 2};
  bool formatFixed_ = false;  // a stream has written: the format is the file's
  std::uint32_t dataBytes_ = 0;
  std::uint32_t headerBytes_ = 0;  // the data size the header on disk states
};

class WavOutput final : public OutputDevice {
 public:
  // `realTime` false: as fast as possible. Nothing when the file can't be
  // created.
  static std::unique_ptr<WavOutput> Open(const std::string& path, bool realTime);

  bool Supports(const PcmFormat& format) const override;
  std::unique_ptr<OutputSink> CreateSink(const PcmFormat& format, AudioError& error) override;

 private:
  WavOutput(const std::string& path, bool realTime) : file_(path, realTime ? 0 : 1), realTime_(realTime) {}

  WavFileWriter file_;
  const bool realTime_;
};

}  // namespace tarvo::audio
