#include "radio/record_tap.h"

#include <unistd.h>

#include <cerrno>
#include <numeric>

#include "platform/file_io.h"

namespace tarvo {

namespace {

constexpr int kCacheSlots = 4;

std::string_view Bytes(const void* data, std::size_t size) { return {static_cast<const char*>(data), size}; }

}  // namespace

void RecordTap::Begin(int folder, std::int64_t slotBytes, std::uint64_t dataLimit, int frameBytes,
                      UnheardReader unheard, std::uint32_t unheardBytes) {
  CloseFile();
  unheard_ = std::move(unheard);
  unheardBuffer_.assign(unheard_ ? unheardBytes : 0, 0);
  folder_ = folder;
  slot_ = 0;
  slotBytes_ = {};
  slotLimit_ = slotBytes;
  dataLimit_ = dataLimit;
  frameBytes_ = frameBytes > 0 ? frameBytes : 1;
  cacheBroken_ = false;
  recording_.store(false, std::memory_order_release);
  limitReached_.store(false, std::memory_order_release);
  writeFailed_.store(false, std::memory_order_release);
}

void RecordTap::CloseFile() {
  if (file_ >= 0) close(file_);
  file_ = -1;
}

bool RecordTap::OpenSlot(int slot) {
  CloseFile();
  file_ = CreateRecordTemp(folder_, slot);
  slotBytes_[static_cast<std::size_t>(slot)] = 0;
  return file_ >= 0;
}

bool RecordTap::WriteUnheard() {
  if (unheardBuffer_.empty()) return true;
  const auto size = static_cast<std::uint32_t>(unheardBuffer_.size());
  const std::uint32_t got = FittingBytes(unheard_(unheardBuffer_.data(), size));
  if (!WriteAll(file_, Bytes(unheardBuffer_.data(), got))) return false;
  slotBytes_[0] += got;
  return true;
}

std::uint32_t RecordTap::FittingBytes(std::uint32_t bytes) {
  const std::uint64_t used = std::accumulate(slotBytes_.begin(), slotBytes_.end(), std::uint64_t{0});
  const std::uint64_t room = used < dataLimit_ ? dataLimit_ - used : 0;
  if (bytes <= room) return bytes;
  limitReached_.store(true, std::memory_order_release);
  return static_cast<std::uint32_t>(room - room % static_cast<std::uint64_t>(frameBytes_));
}

void RecordTap::Append(const void* block, std::uint32_t bytes) {
  if (LimitReached() || WriteFailed()) return;
  if (recording_.load(std::memory_order_acquire)) {
    if (slot_ != 0) {
      // The recording takes over from the cache.
      lastCacheSlot_ = slot_;
      slot_ = 0;
      CloseFile();
    }
    if (file_ < 0) {
      const bool cacheRan = lastCacheSlot_ != 0 && slotBytes_[static_cast<std::size_t>(lastCacheSlot_)] > 0;
      if (!OpenSlot(0) || (!cacheRan && !WriteUnheard())) {
        writeFailed_.store(true, std::memory_order_release);
        return;
      }
    }
    bytes = FittingBytes(bytes);
    if (!WriteAll(file_, Bytes(block, bytes))) {
      writeFailed_.store(true, std::memory_order_release);
      return;
    }
  } else {
    if (cacheBroken_) return;
    if (file_ < 0 || static_cast<std::int64_t>(slotBytes_[static_cast<std::size_t>(slot_)]) > slotLimit_) {
      slot_ = slot_ % kCacheSlots + 1;
      if (!OpenSlot(slot_)) {
        cacheBroken_ = true;
        return;
      }
    }
    if (!WriteAll(file_, Bytes(block, bytes))) {
      cacheBroken_ = true;
      CloseFile();
      return;
    }
  }
  slotBytes_[static_cast<std::size_t>(slot_)] += bytes;
}

}  // namespace tarvo
