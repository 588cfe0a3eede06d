#include "radio/wav_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/file_descriptor.h"
#include "platform/file_io.h"
#include "radio/record_temps.h"

namespace tarvo {

namespace {

constexpr std::size_t kCopyBlockBytes = 1 << 16;

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
    if (!WriteAllAt(to, std::string_view(buffer.data(), static_cast<std::size_t>(got)), at)) return false;
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

bool WriteWavHeader(bool create, int file, const WavFormat& format) {
  if (create) {
    return ftruncate(file, 0) == 0 && WriteAllAt(file, WavHeader(format, 36, 0), 0);
  }
  struct stat info {};
  if (fstat(file, &info) != 0 || info.st_size < static_cast<off_t>(kWavHeaderBytes)) return false;
  const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
  if (size - 8 > 0xFFFFFFFFull) return false;
  const std::string header =
      WavHeader(format, static_cast<std::uint32_t>(size - 8), static_cast<std::uint32_t>(size - kWavHeaderBytes));
  return WriteAllAt(file, header, 0);
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
  off_t at = static_cast<off_t>(kWavHeaderBytes);
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
