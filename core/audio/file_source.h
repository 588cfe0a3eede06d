// A local file as a byte source. Reads go through a buffer of its own: the
// decoder libraries ask for a few bytes at a time (an MPEG frame header,
// then its body), and a system call for each would cost more than decoding.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio/audio_error.h"
#include "audio/byte_source.h"

namespace tarvo::audio {

class FileSource final : public ByteSource {
 public:
  // Any thread. Opens `path` for reading; nothing and `error` FileOpen when it
  // is missing, unreadable or not a regular file.
  static std::unique_ptr<FileSource> Open(const std::string& path, AudioError& error);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::int64_t Read(void* buffer, std::size_t bytes) override;
  bool SeekTo(std::int64_t offset) override;
  bool CanSeek() const override { return true; }
  std::int64_t Position() const override { return position_; }
  std::int64_t Size() const override { return size_; }
  std::int64_t ReceivedBytes() const override { return size_; }

 private:
  FileSource(int fd, std::int64_t size);

  int fd_;
  std::int64_t size_;
  std::int64_t position_ = 0;
  // The file's bytes from `bufferStart_` on; allocated once.
  std::vector<char> buffer_;
  std::int64_t bufferStart_ = 0;
  std::size_t bufferFill_ = 0;
};

}  // namespace tarvo::audio
