// Reading a 100,000-line text playlist and writing it back, each timed against
// the floor of reading the same file's bytes in the same run (what
// `cat FILE > /dev/null` costs). Best of several runs. Target: under 100 ms each.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "core.h"
#include "platform/file_io.h"
#include "playback/idle_playback.h"
#include "playlist/formats_read.h"
#include "playlist/formats_write.h"

namespace {

constexpr int kLines = 100000;
constexpr int kRuns = 7;

// A window that is never there.
class NullUi : public tarvo::Ui {
 public:
  void ShowMessage(tarvo::MessageKind, const std::string&) override {}
  bool AskYesNo(tarvo::MessageKind, const std::string&) override { return false; }
  std::optional<std::string> ChooseFile(const tarvo::FileDialogRequest&) override { return std::nullopt; }
  void ProcessPendingEvents() override {}
  void SetBusyCursor(bool) override {}
  void ListViewChanged() override {}
  void WindowTextsChanged() override {}
};

// Best time in milliseconds of `kRuns` runs of `work`; `prepare` runs
// untimed before each.
double BestMilliseconds(const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e300;
  for (int run = 0; run < kRuns; ++run) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

// What cat does: read the bytes and throw them away.
void ReadBytes(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  static char buffer[1 << 17];
  while (read(fd, buffer, sizeof buffer) > 0) {
  }
  close(fd);
}

// Absolute paths under one music folder, shaped like a real collection:
// artist / album / numbered track.
std::string PlaylistText(const std::string& musicFolder) {
  std::string text;
  for (int i = 0; i < kLines; ++i) {
    const int artist = i / 120;
    const int album = i / 12;
    text += musicFolder + "Artist " + std::to_string(artist) + " - The Band/" + std::to_string(1990 + album % 30) +
            " - Album Number " + std::to_string(album) + "/" + std::to_string(1 + i % 12) +
            " - A Song With A Reasonably Long Title " + std::to_string(i) + ".mp3\r\n";
  }
  return text;
}

}  // namespace

int main() {
  std::string folder = (std::filesystem::temp_directory_path() / "tarvo-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) return 1;
  folder += "/";
  const std::string source = folder + "list.txt";
  const std::string target = folder + "saved.txt";
  if (!tarvo::WriteFileAtomically(source, PlaylistText("/home/user/Music/"))) return 1;

  NullUi ui;
  tarvo::IdlePlayback playback;
  tarvo::Core core(ui, playback, folder);

  const double floor = BestMilliseconds([] {}, [&] { ReadBytes(source); });
  const double read = BestMilliseconds([&] { core.playlist.PlaylistEntries = {}; },
                                       [&] { tarvo::ReadTextPlaylist(core, source); });
  const std::size_t count = core.playlist.PlaylistEntries.size();
  const double write = BestMilliseconds([] {}, [&] { tarvo::SavePlaylistFile(core, target, tarvo::SaveFormat::Text); });
  const bool same = tarvo::ReadWholeFile(target) == tarvo::ReadWholeFile(source);

  std::printf("text playlist of %zu lines, %ju bytes\n", count,
              static_cast<std::uintmax_t>(std::filesystem::file_size(source)));
  std::printf("  floor (read the bytes):  %8.2f ms\n", floor);
  std::printf("  ReadTextPlaylist:        %8.2f ms  ratio %6.1f  %s\n", read, read / floor,
              read < 100 ? "(under 100 ms)" : "(OVER 100 ms)");
  std::printf("  SavePlaylistFile:        %8.2f ms  ratio %6.1f  %s\n", write, write / floor,
              write < 100 ? "(under 100 ms)" : "(OVER 100 ms)");
  if (!same) std::printf("  the written playlist differs from the one read\n");

  std::filesystem::remove_all(folder);
  return count == kLines && same ? 0 : 1;
}
