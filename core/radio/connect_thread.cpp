#include "radio/connect_thread.h"

namespace tarvo {

namespace {

// Decoding channel with ICY metadata.
constexpr std::uint32_t kConnectFlags = 0x200000 | audio::kFlagStreamMetadata;

}  // namespace

TConnectThread::TConnectThread(audio::AudioLibrary& library, std::uint64_t connectionNumber, std::string address,
                               Deliver deliver, std::chrono::milliseconds startDelay)
    : library_(library),
      number_(connectionNumber),
      address_(std::move(address)),
      deliver_(std::move(deliver)),
      startDelay_(startDelay) {
  thread_ = std::thread([this] { Execute(); });
}

TConnectThread::~TConnectThread() {
  Terminate();
  thread_.join();
}

void TConnectThread::Terminate() {
  {
    std::lock_guard lock(mutex_);
    terminated_ = true;
    wake_.notify_all();
  }
  cancel_.Cancel();
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
    if (wake_.wait_for(lock, startDelay_, [this] { return terminated_; })) {
      lock.unlock();
      finish();
      return;
    }
  }
  ConnectResult result;
  result.connectionNumber = number_;
  result.handle = library_.StreamCreateURL(address_, kConnectFlags, &cancel_);
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
