// Opening an internet stream off the window thread. Each TConnectThread
// carries a connection number from the ConnectionCounter, waits a start delay
// and opens the address in the audio layer; the window thread drops a result
// whose number is no longer the counter's latest (a stale result of a
// superseded attempt).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "audio/audio_library.h"

namespace tarvo {

// The connection serial. Numbers are never reused: every new connection and
// every reset moves on to a fresh one, so only the latest connection's
// result is current, whatever happened in between. Window thread only.
class ConnectionCounter {
 public:
  // The number of a new connection; every earlier one becomes stale.
  std::uint64_t Next() { return ++value_; }
  // Makes every result under way stale.
  void Reset() { ++value_; }
  bool IsCurrent(std::uint64_t number) const { return number == value_; }

 private:
  std::uint64_t value_ = 0;
};

struct ConnectResult {
  audio::AudioHandle handle = 0;  // 0 when the open failed
  std::uint64_t connectionNumber = 0;
  int errorCode = 0;  // the audio layer's error code; 0 with a handle
};

class TConnectThread {
 public:
  // Connect thread; hands the result to the window thread (without waiting
  // for it: the thread ends right after).
  using Deliver = std::function<void(const ConnectResult&)>;

  // 51 × 10 ms: skipping quickly through stream entries opens only the last.
  static constexpr std::chrono::milliseconds kStartDelay{510};

  // Starts at once; opens after `startDelay`.
  TConnectThread(audio::AudioLibrary& library, std::uint64_t connectionNumber, std::string address,
                 Deliver deliver, std::chrono::milliseconds startDelay = kStartDelay);
  // Terminates and waits for the thread, which the termination ends at
  // once wherever it is.
  ~TConnectThread();
  TConnectThread(const TConnectThread&) = delete;
  TConnectThread& operator=(const TConnectThread&) = delete;

  // Any thread. Within the start delay the thread ends at once, without a
  // result; inside the open, the transfer is cancelled and the (stale)
  // failure is still handed over.
  void Terminate();
  // True once Execute has returned.
  bool Finished() const;

 private:
  void Execute();

  audio::AudioLibrary& library_;
  const std::uint64_t number_;
  const std::string address_;
  const Deliver deliver_;
  const std::chrono::milliseconds startDelay_;
  audio::OpenCancel cancel_;

  mutable std::mutex mutex_;  // guards the two flags
  std::condition_variable wake_;
  bool terminated_ = false;
  bool finished_ = false;
  std::thread thread_;
};

// The message of a failed connection for the audio layer's error code.
std::string ConnectErrorText(int errorCode);

}  // namespace tarvo
