#include "platform/program_data.h"

#include <filesystem>

#include "platform/home_folder.h"

namespace tarvo {

namespace fs = std::filesystem;

std::string ProgramDataFolderFor(const std::string& programFolder) {
  const fs::path folder = (fs::path(programFolder) / ".." / "share" / "tarvo").lexically_normal();
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text.push_back('/');
  return text;
}

std::string ProgramDataFolder() { return ProgramDataFolderFor(ProgramFolder()); }

std::string ProgramFile() {
  std::error_code ignored;
  return fs::read_symlink("/proc/self/exe", ignored).string();
}

std::int64_t ProgramPackageBytes() {
  std::error_code error;
  std::int64_t total = 0;
  const auto add = [&total](const fs::path& file) {
    std::error_code unreadable;
    const std::uintmax_t size = fs::file_size(file, unreadable);
    if (!unreadable) total += static_cast<std::int64_t>(size);
  };
  add(ProgramFile());
  for (fs::recursive_directory_iterator it(ProgramDataFolder(), error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error)) add(it->path());
  }
  return total;
}

}  // namespace tarvo
