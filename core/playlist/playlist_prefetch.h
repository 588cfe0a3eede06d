// Reads the playlist of the last run on a worker thread while the window is
// being built, so that the start-up's own load finds its entries ready and
// only takes them over. With 100,000 entries most of that read is the memory
// the entries take, which the second core fills while the window thread sets
// up the window.
#pragma once

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tarvo {

class PlaylistPrefetch {
 public:
  // Starts reading `path`, the autosaved playlist, at once.
  explicit PlaylistPrefetch(std::string path);
  ~PlaylistPrefetch();
  PlaylistPrefetch(const PlaylistPrefetch&) = delete;
  PlaylistPrefetch& operator=(const PlaylistPrefetch&) = delete;

  // Window thread. The entries of `path` as read ahead, once: waits for the
  // reader, and gives nothing for another path, when the file could not be
  // read, or when it changed since (size or modification time).
  std::optional<std::vector<std::string>> Take(const std::string& path);

 private:
  struct Stamp {
    long long size = -1;
    long long modified = -1;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::string& path);

  const std::string path_;
  // Written by the reader thread only until it is joined.
  Stamp stamp_;
  std::optional<std::vector<std::string>> entries_;
  std::thread reader_;
};

}  // namespace tarvo
