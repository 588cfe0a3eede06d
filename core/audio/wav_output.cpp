#include "audio/wav_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "audio/null_output.h"
#include "audio/paced_sink.h"
#include "audio/wav_header.h"
#include "platform/file_io.h"

namespace tarvo::audio {

namespace {

constexpr std::chrono::milliseconds kWavLatency{200};
// The RIFF size field must hold the data plus the rest of the header.
constexpr std::uint32_t kMaxDataBytes = 0xFFFFFFFFu - (kWavHeaderBytes - 8);

// "out.wav" and 3 give "out-3.wav"; a name without extension gets "-3".
std::string NumberedPath(const std::string& path, int number) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::size_t cut = hasExtension ? dot : path.size();
  return path.substr(0, cut) + "-" + std::to_string(number) + path.substr(cut);
}

// The wav-fast sink: every byte counts as heard the moment it is written.
class FastWavSink final : public OutputSink {
 public:
  FastWavSink(WavFileWriter& file, const PcmFormat& format) : file_(file), format_(format) {}

  std::size_t Write(const std::uint8_t* data, std::size_t bytes, const std::atomic<bool>&,
                    bool) override {
    file_.Append(format_, data, bytes);
    return bytes;
  }
  void Drain(const std::atomic<bool>&) override {}
  void Interrupt() override {}
  std::uint64_t QueuedBytes() override { return 0; }
  void SetPaused(bool) override {}
  void Flush() override {}
  bool Failed() const override { return false; }
  std::size_t LatencyBytes() const override { return 0; }

 private:
  WavFileWriter& file_;
  const PcmFormat format_;
};

}  // namespace

WavFileWriter::~WavFileWriter() { CloseFile(); }

void WavFileWriter::CloseFile() {
  if (fd_ < 0) return;
  if (headerBytes_ != dataBytes_) WriteHeader();
  close(fd_);
  fd_ = -1;
}

bool WavFileWriter::Create() {
  std::lock_guard lock(mutex_);
  return StartFile(basePath_, format_);
}

bool WavFileWriter::StartFile(const std::string& path, const PcmFormat& format) {
  CloseFile();
  fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  format_ = format;
  dataBytes_ = 0;
  if (fd_ < 0) return false;
  WriteHeader();
  return true;
}

void WavFileWriter::WriteHeader() {
  const WavFormat format{format_.channels, format_.rate, static_cast<std::uint32_t>(format_.BytesPerSecond()), 16};
  WriteAllAt(fd_, WavHeader(format, kWavHeaderBytes - 8 + dataBytes_, dataBytes_), 0);
  headerBytes_ = dataBytes_;
}

void WavFileWriter::Append(const PcmFormat& format, const std::uint8_t* data, std::size_t bytes) {
  std::lock_guard lock(mutex_);
  if (!formatFixed_ || format != format_) {
    if (formatFixed_) {
      StartFile(NumberedPath(basePath_, ++fileNumber_), format);
    } else {
      format_ = format;
    }
    formatFixed_ = true;
  }
  if (fd_ < 0) return;
  // A write error (a full disk) loses audio from this debugging output but
  // never stops playback; the header always matches what was written.
  bytes = std::min<std::size_t>(bytes, kMaxDataBytes - dataBytes_);
  const std::string_view block(reinterpret_cast<const char*>(data), bytes);
  if (bytes == 0 || !WriteAllAt(fd_, block, kWavHeaderBytes + dataBytes_)) return;
  dataBytes_ += static_cast<std::uint32_t>(bytes);
  if (dataBytes_ - headerBytes_ >= static_cast<std::uint64_t>(headerSeconds_ * format_.BytesPerSecond())) {
    WriteHeader();
  }
}

std::unique_ptr<WavOutput> WavOutput::Open(const std::string& path, bool realTime) {
  std::unique_ptr<WavOutput> output(new WavOutput(path, realTime));
  if (path.empty() || !output->file_.Create()) return nullptr;
  return output;
}

bool WavOutput::Supports(const PcmFormat& format) const { return SoftwareOutputSupports(format); }

std::unique_ptr<OutputSink> WavOutput::CreateSink(const PcmFormat& format, AudioError& error) {
  if (!Supports(format)) {
    error = AudioError::SampleFormat;
    return nullptr;
  }
  error = AudioError::Ok;
  if (!realTime_) return std::make_unique<FastWavSink>(file_, format);
  return std::make_unique<PacedSink>(format, kWavLatency,
                                     [this, format](const std::uint8_t* data, std::size_t bytes) {
                                       file_.Append(format, data, bytes);
                                     });
}

}  // namespace tarvo::audio
