#include "radio/connect_thread.h"

#include <chrono>

namespace tarvo {

namespace {

// 51 × 10 ms: skipping quickly through stream entries opens only the last.
constexpr std::chrono::milliseconds kStartDelay{510};
// Decoding channel with ICY metadata.
constexpr std::uint32_t kConnectFlags = 0x200000 | audio::kFlagStreamMetadata;

}  // namespace

void ConnectionCounter::Reset() {
  std::lock_guard lock(mutex_);
  value_ = 0;
}

bool ConnectionCounter::IsCurrent(int number) const {
  std::lock_guard lock(mutex_);
  return number == value_;
}

int ConnectionCounter::TakeNext(const bool& terminated) {
  std::lock_guard lock(mutex_);
  if (terminated) return 0;
  // Numbers start at 1 again after a reset; 0 is never a live number.
  return ++value_;
}

TConnectThread::TConnectThread(audio::AudioLibrary& library, ConnectionCounter& counter, std::string address,
                               Deliver deliver)
    : library_(library), counter_(counter), address_(std::move(address)), deliver_(std::move(deliver)) {
  thread_ = std::thread([this] { Execute(); });
}

TConnectThread::~TConnectThread() {
  Terminate();
  thread_.join();
}

void TConnectThread::Terminate() {
  std::scoped_lock lock(counter_.mutex_, mutex_);
  terminated_ = true;
  wake_.notify_all();
}

bool TConnectThread::Finished() const {
  std::lock_guard lock(mutex_);
  return finished_;
}

// Connect thread.
void TConnectThread::Execute() {
  const auto finish = [this] {
    std::lock_guard lock(mutex_);
    finished_ = true;
  };
  {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, kStartDelay, [this] { return terminated_; });
  }
  const int number = counter_.TakeNext(terminated_);
  if (number == 0) {
    finish();
    return;
  }
  ConnectResult result;
  result.connectionNumber = number;
  result.handle = library_.StreamCreateURL(address_, kConnectFlags);
  // Read at once: the code belongs to this thread's last call.
  result.errorCode = result.handle == 0 ? library_.ErrorGetCode() : 0;
  deliver_(result);
  finish();
}

std::string ConnectErrorText(int errorCode) {
  switch (errorCode) {
    case 2: return "Error opening URL.";
    case 40: return "Error opening URL: Connection timed out.";
    case 41: return "Error opening URL: Can't logon to server or server is full.";
    default: return "Error opening URL: Error code " + std::to_string(errorCode);
  }
}

}  // namespace tarvo
