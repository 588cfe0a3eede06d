#include "audio/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvo::audio {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, AudioError& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (fd >= 0) close(fd);
    error = AudioError::FileOpen;
    return nullptr;
  }
  error = AudioError::Ok;
  return std::unique_ptr<FileSource>(new FileSource(fd, info.st_size));
}

FileSource::FileSource(int fd, std::int64_t size) : fd_(fd), size_(size), buffer_(kBufferBytes) {}

FileSource::~FileSource() { close(fd_); }

std::int64_t FileSource::Read(void* buffer, std::size_t bytes) {
  auto* out = static_cast<char*>(buffer);
  std::size_t copied = 0;
  while (copied < bytes) {
    const std::int64_t offset = position_ - bufferStart_;
    if (offset >= 0 && offset < static_cast<std::int64_t>(bufferFill_)) {
      const std::size_t count = std::min(bytes - copied, bufferFill_ - static_cast<std::size_t>(offset));
      std::memcpy(out + copied, buffer_.data() + offset, count);
      copied += count;
      position_ += static_cast<std::int64_t>(count);
      continue;
    }
    // pread keeps our own offset authoritative, so a seek never has to
    // touch the descriptor.
    const ssize_t got = pread(fd_, buffer_.data(), buffer_.size(), position_);
    if (got < 0) {
      if (errno == EINTR) continue;
      return copied > 0 ? static_cast<std::int64_t>(copied) : -1;
    }
    bufferStart_ = position_;
    bufferFill_ = static_cast<std::size_t>(got);
    if (got == 0) break;
  }
  return static_cast<std::int64_t>(copied);
}

bool FileSource::SeekTo(std::int64_t offset) {
  if (offset < 0) return false;
  position_ = offset;
  return true;
}

}  // namespace tarvo::audio
