#include "platform/home_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tarvo {

namespace {

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string UserConfigFolder() {
  std::string base = Environment("XDG_CONFIG_HOME");
  if (base.empty()) base = Environment("HOME") + "/.config";
  return base + "/tarvo";
}

}  // namespace

std::string ResolveHomeFolder(const std::string& programFolder) {
  std::string folder = Environment("TARVO_HOME");
  if (folder.empty()) {
    const bool portable = !programFolder.empty() && access(programFolder.c_str(), W_OK) == 0;
    folder = portable ? programFolder : UserConfigFolder();
  }
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return WithTrailingSlash(folder);
}

std::string ProgramFolder() { return std::filesystem::path(ProgramPath()).parent_path().string(); }

std::string ProgramPath() {
  std::error_code ignored;
  return std::filesystem::read_symlink("/proc/self/exe", ignored).string();
}

}  // namespace tarvo
