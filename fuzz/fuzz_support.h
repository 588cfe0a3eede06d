// What the fuzz targets share: a core over a scratch home folder with a
// window that shows nothing and playback that plays nothing, and a way to
// put the input into a file for readers that take a path.
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "core.h"
#include "platform/ui.h"
#include "playback/idle_playback.h"

namespace tarvo::fuzz {

class SilentUi : public Ui {
 public:
  void ShowMessage(MessageKind, const std::string&) override {}
  bool AskYesNo(MessageKind, const std::string&) override { return false; }
  std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
  void ProcessPendingEvents() override {}
  void SetBusyCursor(bool) override {}
  void ListViewChanged() override {}
  void WindowTextsChanged() override {}
};

// One scratch folder per process, ending in "/"; removed at exit.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string path = (std::filesystem::temp_directory_path() / "tarvo-fuzz-XXXXXX").string();
    if (!mkdtemp(path.data())) abort();
    static const std::string removeAtExit = path;
    atexit([] { std::filesystem::remove_all(removeAtExit); });
    return path + "/";
  }();
  return folder;
}

// A core whose home is the scratch folder, made once and reused: each run
// starts it with an empty list.
struct FuzzCore {
  SilentUi ui;
  IdlePlayback playback;
  Core core{ui, playback, ScratchFolder()};
};

inline Core& FreshCore() {
  static FuzzCore fuzzCore;
  fuzzCore.core.playlist.PlaylistEntries.clear();
  fuzzCore.core.playlist.CurrentIndex = -1;
  return fuzzCore.core;
}

// Writes the input to `name` in the scratch folder; returns its path.
inline std::string WriteInput(std::string_view name, const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchFolder() + std::string(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  return path;
}

}  // namespace tarvo::fuzz
