// Opening an internet stream off the window thread. Each TConnectThread waits
// a start delay, takes a number from the ConnectionCounter and opens the
// address in the audio layer; the window thread drops a result whose number
// is no longer the counter's (a stale result of a superseded attempt).
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "audio/audio_library.h"

namespace tarvo {

// The connection serial: each connection takes the next number after its
// start delay; a stop, or playing an entry that is not a stream, sets it
// back to 0 so that every result under way becomes stale.
class ConnectionCounter {
 public:
  // Window thread.
  void Reset();
  bool IsCurrent(int number) const;

 private:
  friend class TConnectThread;
  // Connect thread: the next number; 0 when `terminated` holds by then. The
  // check and the increment are one step under the lock, so a connection
  // terminated before a reset can never take a number after it.
  int TakeNext(const bool& terminated);

  mutable std::mutex mutex_;  // guards value_ and the terminate flags read in TakeNext
  int value_ = 0;
};

struct ConnectResult {
  audio::AudioHandle handle = 0;  // 0 when the open failed
  int connectionNumber = 0;
  int errorCode = 0;  // the audio layer's error code; 0 with a handle
};

class TConnectThread {
 public:
  // Connect thread; hands the result to the window thread (without waiting
  // for it: the thread ends right after).
  using Deliver = std::function<void(const ConnectResult&)>;

  // Starts at once.
  TConnectThread(audio::AudioLibrary& library, ConnectionCounter& counter, std::string address, Deliver deliver);
  // Terminates and waits for the thread; an open already under way ends
  // within the audio layer's answer timeout.
  ~TConnectThread();
  TConnectThread(const TConnectThread&) = delete;
  TConnectThread& operator=(const TConnectThread&) = delete;

  // Window thread. Within the start delay the thread ends at once, without
  // a number and without a result; afterwards the request has no effect.
  void Terminate();
  // True once Execute has returned.
  bool Finished() const;

 private:
  void Execute();

  audio::AudioLibrary& library_;
  ConnectionCounter& counter_;
  const std::string address_;
  const Deliver deliver_;

  mutable std::mutex mutex_;  // with the counter's lock for terminated_
  std::condition_variable wake_;
  bool terminated_ = false;  // written under both locks, read under either
  bool finished_ = false;
  std::thread thread_;
};

// The message of a failed connection for the audio layer's error code.
std::string ConnectErrorText(int errorCode);

}  // namespace tarvo
