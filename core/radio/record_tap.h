// The recording's tap on the output stream: the DSP hook appends each block
// of sample data the output takes in to one temporary file. While only the
// pre-record cache runs, the blocks go round a ring of four slot files
// (1, 2, 3, 4, 1, ...) of a third of the cache length each; once the
// recording takes over they go to "tarvo0.pcm".
//
// Threads: Begin and CloseFile run on the window thread while the hook is
// not installed (installing and removing it orders them against Append).
// While it is installed the window thread only sets the recording flag and
// reads the two stop reasons.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "radio/record_temps.h"

namespace tarvo {

// The most sample bytes a WAV file can describe: its 32-bit size at offset 4
// counts the data and 36 bytes of header.
inline constexpr std::uint64_t kWavDataLimit = 0xFFFFFFFFull - 36;

class RecordTap {
 public:
  RecordTap() = default;
  ~RecordTap() { CloseFile(); }
  RecordTap(const RecordTap&) = delete;
  RecordTap& operator=(const RecordTap&) = delete;

  // Copies up to `bytes` of what the output holds but has not played yet
  // into `buffer`; the bytes copied.
  using UnheardReader = std::function<std::uint32_t(void* buffer, std::uint32_t bytes)>;

  // A fresh tap writing into the open temporary `folder` (not owned): no
  // file open, slot 0. A cache slot is changed once its file is longer than
  // `slotBytes`; all files together never exceed `dataLimit` bytes, cut to
  // whole frames of `frameBytes`. A recording that starts without a cache
  // begins with up to `unheardBytes` read by `unheard`, so that it starts at
  // what is heard, not at the end of the output's buffer.
  void Begin(int folder, std::int64_t slotBytes, std::uint64_t dataLimit, int frameBytes, UnheardReader unheard,
             std::uint32_t unheardBytes);
  void SetRecording(bool recording) { recording_.store(recording, std::memory_order_release); }
  // Closes the open file, if any.
  void CloseFile();

  // Audio thread: one block of the output's sample data.
  void Append(const void* block, std::uint32_t bytes);

  // The cache slot that was written when the recording took over.
  int LastCacheSlot() const { return lastCacheSlot_; }
  // The recording reached `dataLimit` (what fitted is written), or a write
  // to "tarvo0.pcm" failed; nothing more is written then.
  bool LimitReached() const { return limitReached_.load(std::memory_order_acquire); }
  bool WriteFailed() const { return writeFailed_.load(std::memory_order_acquire); }

 private:
  bool OpenSlot(int slot);
  // The first block of a recording without a cache: the buffered part first.
  bool WriteUnheard();
  // The part of a recorded block that still fits under the limit.
  std::uint32_t FittingBytes(std::uint32_t bytes);

  int folder_ = -1;
  int file_ = -1;
  int slot_ = 0;
  int lastCacheSlot_ = 0;
  std::array<std::uint64_t, kRecordTempFiles> slotBytes_{};
  std::int64_t slotLimit_ = 0;
  std::uint64_t dataLimit_ = kWavDataLimit;
  int frameBytes_ = 4;
  // A cache whose file could not be written stops; a recording may still
  // take over.
  bool cacheBroken_ = false;
  UnheardReader unheard_;
  std::vector<std::uint8_t> unheardBuffer_;
  std::atomic<bool> recording_{false};
  std::atomic<bool> limitReached_{false};
  std::atomic<bool> writeFailed_{false};
};

}  // namespace tarvo
