#include "playlist/dialog_start_folder.h"

#include <cstdlib>

#include "platform/file_io.h"

namespace tarvo {

namespace {

std::string EndingInSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

std::string DialogStartFolder(const PlaylistCore& core, const std::string& lastUsed) {
  if (!lastUsed.empty() && FolderExists(lastUsed)) return EndingInSlash(lastUsed);
  for (const std::string& folder : core.playlist.MusicFolders) {
    if (FolderExists(folder)) return EndingInSlash(folder);
  }
  const char* home = std::getenv("HOME");
  return EndingInSlash(home && *home ? home : "/");
}

}  // namespace tarvo
