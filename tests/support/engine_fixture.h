// The real playback engine on the real audio layer over a test output
// ("null", "wav:PATH", "wav-fast:PATH", "pulse:SERVER"), with a fake window,
// a status thread run by hand and a temporary home folder.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "audio/linux_audio_library.h"
#include "core.h"
#include "playback/engine.h"
#include "support/fake_ui.h"
#include "support/manual_status_thread.h"
#include "support/temp_folder.h"

namespace tarvo::testing {

class EngineFixture : public ::testing::Test {
 protected:
  // Builds the engine and the core over `output`.
  void UseOutput(const std::string& output);

  // Runs the status tick whenever the status thread is resumed, like the
  // window's timer but without its period, until `done` or `limit`.
  // `afterTick` sees the state after every tick.
  bool TickUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10),
                 const std::function<void()>& afterTick = {});

  // Declared in the order they are built; destroyed in reverse.
  TempFolder home;
  FakeUi ui;
  ManualStatusThread statusThread;
  std::unique_ptr<audio::LinuxAudioLibrary> library;
  std::unique_ptr<PlaybackEngine> engine;
  std::unique_ptr<Core> core;
};

}  // namespace tarvo::testing
