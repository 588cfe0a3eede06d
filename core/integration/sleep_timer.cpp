#include "integration/sleep_timer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/text.h"
#include "integration/integration_messages.h"
#include "platform/power_off.h"
#include "playlist/model.h"

namespace tarvo {

namespace messages = integration_messages;

namespace {

constexpr long long kFadeSeconds = 50;
constexpr int kFadeMilliseconds = 50000;

// Whole minutes as a 32-bit integer, so that the seconds always fit.
bool ParseMinutes(const std::string& text, long long& minutes) {
  return ParseInteger(text, minutes) && minutes >= std::numeric_limits<std::int32_t>::min() &&
         minutes <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

SleepTimer::SleepTimer(Core& core, std::function<void()> endProgram)
    : core_(core), endProgram_(std::move(endProgram)) {}

bool SleepTimer::Start(const std::string& minutesText) {
  long long minutes = 0;
  if (!ParseMinutes(minutesText, minutes)) {
    ShowMessageBox(core_, MessageKind::Information, messages::kNoValidEntry);
    return false;
  }
  // Zero or fewer minutes end at the first tick.
  secondsLeft_ = minutes * 60;
  running_ = true;
  return true;
}

bool SleepTimer::Tick() {
  if (!running_) return true;
  --secondsLeft_;
  if (secondsLeft_ < 1) {
    running_ = false;
    return false;
  }
  if (secondsLeft_ == kFadeSeconds) core_.playback.SlideVolume(0, kFadeMilliseconds);
  return true;
}

void SleepTimer::Expire(bool powerOff) {
  if (!powerOff) {
    endProgram_();
  } else if (core_.powerOff) {
    core_.powerOff->RequestPowerOff();
  }
}

void SleepTimer::Abort() {
  if (!running_) return;
  running_ = false;
  ShowMessageBox(core_, MessageKind::Information, messages::kSleepTimerAborted);
}

std::string SleepTimer::TimeLeftText() const {
  const long long seconds = std::max(secondsLeft_, 0LL);
  const long long part = seconds % 60;
  return std::to_string(seconds / 60) + ":" + (part < 10 ? "0" : "") + std::to_string(part);
}

}  // namespace tarvo
