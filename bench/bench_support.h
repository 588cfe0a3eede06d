// What the benchmarks share: a window that shows nothing, tick threads that
// the benchmark's own loop drives, a best-of timer and a scratch folder.
#pragma once

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/ui.h"
#include "playback/level_meter.h"
#include "playback/status_thread.h"

namespace tarvo::bench {

class QuietUi : public Ui {
 public:
  void ShowMessage(MessageKind, const std::string& text) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
  bool AskYesNo(MessageKind, const std::string&) override { return false; }
  std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
  void ProcessPendingEvents() override {}
  void SetBusyCursor(bool) override {}
  void ListViewChanged() override {}
  void WindowTextsChanged() override {}
};

// The status and level "threads" of an engine whose ticks the benchmark's
// loop runs itself.
class LoopThread : public TStatusThread, public TVUThread {
 public:
  void Suspend() override { suspended_ = true; }
  void Resume() override { suspended_ = false; }
  bool IsSuspended() const override { return suspended_; }
  void SetPeriod(int) override {}

 private:
  bool suspended_ = true;
};

// The shortest wall-clock time of `runs` calls, in milliseconds.
inline double BestOfMs(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

// A fresh folder under the temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tarvo::bench
