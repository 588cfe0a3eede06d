// The per-user folders of the freedesktop base directory rules, where the
// desktop keeps its settings (mimeapps.list), data (desktop entries) and
// caches (cover pictures for the media controls).
#pragma once

#include <string>

namespace tarvo {

struct XdgFolders {
  // Without a trailing "/"; empty when unknown.
  std::string configHome;
  std::string dataHome;
  std::string cacheHome{};
};

// $XDG_CONFIG_HOME, else ~/.config; $XDG_DATA_HOME, else ~/.local/share;
// $XDG_CACHE_HOME, else ~/.cache.
// A relative value counts as unset, as the rules say.
XdgFolders XdgFoldersFromEnvironment();

}  // namespace tarvo
