#include "playlist/playlist_prefetch.h"

#include <sys/stat.h>

#include "platform/huge_page_heap.h"
#include "playlist/formats_read.h"

namespace tarvo {

PlaylistPrefetch::PlaylistPrefetch(std::string path) : path_(std::move(path)) {
  reader_ = std::thread([this] {
    // Taken before the read: a change during the read makes Take refuse.
    stamp_ = StampOf(path_);
    const HugePageHeapScope hugePages;
    entries_ = ReadTextPlaylistEntries(path_, PlaylistOrigin::Autosave);
  });
}

PlaylistPrefetch::~PlaylistPrefetch() {
  if (reader_.joinable()) reader_.join();
}

PlaylistPrefetch::Stamp PlaylistPrefetch::StampOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  return {static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

std::optional<std::vector<std::string>> PlaylistPrefetch::Take(const std::string& path) {
  if (reader_.joinable()) reader_.join();
  if (path != path_ || !entries_ || !(stamp_ == StampOf(path_))) return std::nullopt;
  std::optional<std::vector<std::string>> entries = std::move(entries_);
  entries_.reset();
  return entries;
}

}  // namespace tarvo
