#include "platform/desktop_database.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/file_io.h"

extern char** environ;

namespace tarvo {

void UpdateDesktopDatabase(const std::string& applicationsFolder) {
  if (!FolderExists(applicationsFolder)) return;
  std::string tool = "update-desktop-database";
  std::string quiet = "-q";
  std::string folder = applicationsFolder;
  char* arguments[] = {tool.data(), quiet.data(), folder.data(), nullptr};
  pid_t child = 0;
  // A missing tool is an error of the spawn itself: nothing to wait for.
  if (posix_spawnp(&child, tool.c_str(), nullptr, nullptr, arguments, environ) != 0) return;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace tarvo
