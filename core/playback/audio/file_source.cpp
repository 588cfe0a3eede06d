#include "playback/audio/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tarvo::audio {

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

FileSource::~FileSource() { close(fd_); }

std::int64_t FileSource::Read(void* buffer, std::size_t bytes) {
  for (;;) {
    // pread keeps our own offset authoritative, so a failed seek elsewhere
    // can't leave the descriptor and `position_` apart.
    const ssize_t got = pread(fd_, buffer, bytes, position_);
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    position_ += got;
    return got;
  }
}

bool FileSource::SeekTo(std::int64_t offset) {
  if (offset < 0) return false;
  position_ = offset;
  return true;
}

}  // namespace tarvo::audio
