#include "platform/home_folder.h"

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
    // A portable copy is set up by putting a "Tarvo.ini" beside the program;
    // any other program folder (a build tree, ~/.local/bin, /usr/bin) keeps
    // nothing of the user's.
    std::error_code error;
    const bool portable =
        !programFolder.empty() && std::filesystem::is_regular_file(programFolder + "/Tarvo.ini", error);
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
