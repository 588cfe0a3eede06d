// Opening a music folder of 100,000 files (scan, filter, sort, merge),
// against `find DIR -type f | LC_ALL=C sort` on the same folder. Two
// folders: one of MP3 and Ogg names, and one of every format the scan keeps
// (MP3, FLAC, Opus, MP4 audio, Ogg, WAV).
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core.h"
#include "playback/idle_playback.h"
#include "playlist/folder_scan.h"

namespace {

constexpr int kFolders = 500;
constexpr int kFilesPerFolder = 200;

// Empty files named with `extensions` in turn; one file in twenty is a
// cover picture the filter drops.
void MakeTree(const std::string& root, const std::vector<const char*>& extensions) {
  for (int folder = 0; folder < kFolders; ++folder) {
    const std::string dir = root + "Artist " + std::to_string(folder % 50) + "/Album " + std::to_string(folder) + "/";
    std::filesystem::create_directories(dir);
    for (int file = 0; file < kFilesPerFolder; ++file) {
      const char* extension = file % 20 == 0 ? ".jpg" : extensions[file % extensions.size()];
      const std::string path = dir + std::to_string(file) + " Track Title" + extension;
      close(open(path.c_str(), O_CREAT | O_WRONLY, 0644));
    }
  }
}

void MeasureOpen(const tarvo::bench::ScratchFolder& scratch, const std::string& name,
                 const std::vector<const char*>& extensions, double goal) {
  const std::string root = scratch.Path() + name + "/";
  MakeTree(root, extensions);

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

  std::printf("%s: open folder of %d files (%zu music files kept): %.1f ms\n", name.c_str(),
              kFolders * kFilesPerFolder, entries, openMs);
  std::printf("%s: find | LC_ALL=C sort floor: %.1f ms\n", name.c_str(), floorMs);
  std::printf("%s: ratio: %.2f (goal: at most %.2f)\n", name.c_str(), openMs / floorMs, goal);
  std::fflush(stdout);
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder scratch;
  MeasureOpen(scratch, "MP3 and Ogg names", {".ogg", ".mp3", ".mp3"}, 2.0);
  MeasureOpen(scratch, "Mixed formats", {".mp3", ".flac", ".opus", ".m4a", ".ogg", ".wav"}, 1.0);
  return 0;
}
