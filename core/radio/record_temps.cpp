#include "radio/record_temps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/text.h"
#include "settings/settings_store.h"

namespace tarvo {

std::string RecordTempName(int n) { return "tarvo" + std::to_string(n) + ".pcm"; }

std::string RecordTempFolderUnder(const std::string& base) {
  std::string folder = base.empty() ? SystemTemporaryFolder() : base;
  if (!EndsWith(folder, "/")) folder += '/';
  return folder + "tarvo-" + std::to_string(geteuid()) + "/";
}

int OpenRecordTempFolder(const std::string& folder) {
  // O_NOFOLLOW only holds for the last part of the name: "link/" resolves
  // the link before the open sees it, so the name goes without its "/".
  std::string name = folder;
  while (name.size() > 1 && EndsWith(name, "/")) name.pop_back();
  mkdir(name.c_str(), 0700);
  const int fd = open(name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid() || (info.st_mode & 0077) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int CreateRecordTemp(int folder, int n) {
  const std::string name = RecordTempName(n);
  unlinkat(folder, name.c_str(), 0);
  return openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

int OpenRecordTempForReading(int folder, int n) {
  return openat(folder, RecordTempName(n).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
}

void DeleteRecordTemps(int folder) {
  for (int n = 0; n < kRecordTempFiles; ++n) unlinkat(folder, RecordTempName(n).c_str(), 0);
}

}  // namespace tarvo
