#include "radio/wav_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/file_descriptor.h"
#include "radio/record_temps.h"

namespace tarvo {

namespace {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kCopyBlockBytes = 1 << 16;

void PutLittleEndian(std::string& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool WriteAllAt(int fd, const char* data, std::size_t bytes, off_t offset) {
  while (bytes > 0) {
    const ssize_t written = pwrite(fd, data, bytes, offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    bytes -= static_cast<std::size_t>(written);
    offset += written;
  }
  return true;
}

// Appends the whole of `from` at `at`, moving `at` on.
bool CopyInto(int to, int from, off_t& at) {
  std::string buffer(kCopyBlockBytes, '\0');
  for (;;) {
    const ssize_t got = read(from, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    if (!WriteAllAt(to, buffer.data(), static_cast<std::size_t>(got), at)) return false;
    at += got;
  }
}

// A part that is missing is skipped; a link or anything else that can't be
// read fails the whole.
bool AppendPart(int to, int folder, int part, off_t& at) {
  const FileDescriptor from(OpenRecordTempForReading(folder, part));
  if (from.get() < 0) return errno == ENOENT;
  return CopyInto(to, from.get(), at);
}

}  // namespace

std::string WavHeader(const WavFormat& format, std::uint32_t riffSize, std::uint32_t dataSize) {
  std::string header = "RIFF";
  PutLittleEndian(header, riffSize, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.channels), 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.rate), 4);
  PutLittleEndian(header, format.bytesPerSecond, 4);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.channels * format.bitsPerSample / 8), 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.bitsPerSample), 2);
  header += "data";
  PutLittleEndian(header, dataSize, 4);
  return header;
}

bool WriteWavHeader(bool create, int file, const WavFormat& format) {
  if (create) {
    const std::string header = WavHeader(format, 36, 0);
    return ftruncate(file, 0) == 0 && WriteAllAt(file, header.data(), header.size(), 0);
  }
  struct stat info {};
  if (fstat(file, &info) != 0 || info.st_size < static_cast<off_t>(kHeaderBytes)) return false;
  const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
  if (size - 8 > 0xFFFFFFFFull) return false;
  std::string riff;
  PutLittleEndian(riff, static_cast<std::uint32_t>(size - 8), 4);
  std::string data;
  PutLittleEndian(data, static_cast<std::uint32_t>(size - kHeaderBytes), 4);
  return WriteAllAt(file, riff.data(), riff.size(), 4) && WriteAllAt(file, data.data(), data.size(), 40);
}

bool WriteJoinedWav(const std::string& requestedPath, const WavFormat& format, int folder,
                    const std::vector<int>& parts, const std::function<void()>& betweenParts) {
  // A link chosen as the target keeps pointing at the file it names.
  char resolved[PATH_MAX];
  const std::string path = realpath(requestedPath.c_str(), resolved) ? std::string(resolved) : requestedPath;
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) return false;
  bool written = WriteWavHeader(true, file.get(), format);
  off_t at = static_cast<off_t>(kHeaderBytes);
  for (const int part : parts) {
    if (!written) break;
    betweenParts();
    written = AppendPart(file.get(), folder, part, at);
  }
  written = written && WriteWavHeader(false, file.get(), format) && fchmod(file.get(), 0644) == 0 &&
            fsync(file.get()) == 0 && file.Close();
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace tarvo
