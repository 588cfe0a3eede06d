// Opening a music folder of 100,000 files (scan, filter, sort, merge),
// against `find DIR -type f | LC_ALL=C sort` on the same folder.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_support.h"
#include "core.h"
#include "playback/idle_playback.h"
#include "playlist/folder_scan.h"

namespace {

constexpr int kFolders = 500;
constexpr int kFilesPerFolder = 200;

void MakeTree(const std::string& root) {
  for (int folder = 0; folder < kFolders; ++folder) {
    const std::string dir = root + "Artist " + std::to_string(folder % 50) + "/Album " + std::to_string(folder) + "/";
    std::filesystem::create_directories(dir);
    for (int file = 0; file < kFilesPerFolder; ++file) {
      // One file in twenty is a cover picture or a text the filter drops.
      const char* extension = file % 20 == 0 ? ".jpg" : (file % 3 == 0 ? ".ogg" : ".mp3");
      const std::string path = dir + std::to_string(file) + " Track Title" + extension;
      close(open(path.c_str(), O_CREAT | O_WRONLY, 0644));
    }
  }
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder scratch;
  const std::string root = scratch.Path() + "Music/";
  MakeTree(root);

  const std::string command = "find '" + root + "' -type f | LC_ALL=C sort > /dev/null";
  const double floorMs = tarvo::bench::BestOfMs(3, [&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "find | sort failed\n");
  });

  std::size_t entries = 0;
  const double openMs = tarvo::bench::BestOfMs(3, [&] {
    tarvo::bench::QuietUi ui;
    tarvo::IdlePlayback playback;
    tarvo::Core core(ui, playback, scratch.Path());
    tarvo::OpenFolder(core, root, true, false, true);
    entries = core.playlist.PlaylistEntries.size();
  });

  std::printf("open folder of %d files (%zu music files kept): %.1f ms\n", kFolders * kFilesPerFolder, entries,
              openMs);
  std::printf("find | LC_ALL=C sort floor: %.1f ms\n", floorMs);
  std::printf("ratio: %.2f (goal: at most 2.00)\n", openMs / floorMs);
  return 0;
}
