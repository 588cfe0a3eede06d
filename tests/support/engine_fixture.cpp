#include "support/engine_fixture.h"

#include <thread>

#include "audio/output_choice.h"

namespace tarvo::testing {

void EngineFixture::UseOutput(const std::string& output) {
  library = std::make_unique<audio::LinuxAudioLibrary>(audio::ParseOutputChoice(output));
  engine = std::make_unique<PlaybackEngine>(*library, statusThread);
  core = std::make_unique<Core>(ui, *engine, home.Path());
  engine->Attach(*core);
}

bool EngineFixture::TickUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                           const std::function<void()>& afterTick) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (!statusThread.IsSuspended()) {
      engine->StatusTick();
      if (afterTick) afterTick();
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace tarvo::testing
