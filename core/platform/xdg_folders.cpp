#include "platform/xdg_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace tarvo {

namespace {

std::string AbsoluteEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? value : "";
}

std::string UserHome() {
  std::string home = AbsoluteEnvironment("HOME");
  if (!home.empty()) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "";
}

std::string FolderOrDefault(const char* variable, const char* underHome) {
  std::string folder = AbsoluteEnvironment(variable);
  if (!folder.empty()) return folder;
  const std::string home = UserHome();
  return home.empty() ? "" : home + underHome;
}

}  // namespace

XdgFolders XdgFoldersFromEnvironment() {
  return {FolderOrDefault("XDG_CONFIG_HOME", "/.config"), FolderOrDefault("XDG_DATA_HOME", "/.local/share"),
          FolderOrDefault("XDG_CACHE_HOME", "/.cache")};
}

}  // namespace tarvo
