// Where a decoder's bytes come from. A file and, later, an internet stream look
// alike to the decoders: each decoder library is fed through its callback I/O
// from one of these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvo::audio {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Thread of the channel's caller (window or audio thread; never two at once,
  // the channel serialises its decoder). May block on a network source.
  // Up to `bytes` bytes into `buffer`; 0 at the end, -1 on a read error.
  virtual std::int64_t Read(void* buffer, std::size_t bytes) = 0;

  // Same thread as Read. Moves to `offset` from the start; false when the
  // source can't seek there. Opening a decoder reads the first bytes to tell
  // the format and then seeks back to 0, so a source that can't seek keeps
  // its first bytes to allow that one move.
  virtual bool SeekTo(std::int64_t offset) = 0;
  virtual bool CanSeek() const = 0;

  // Any thread that owns the channel. Byte offset of the next read.
  virtual std::int64_t Position() const = 0;
  // Total size in bytes; -1 when unknown (a live stream).
  virtual std::int64_t Size() const = 0;
  // Bytes received from the origin so far: the whole size for a file, the
  // download position for a network stream.
  virtual std::int64_t ReceivedBytes() const = 0;
  // A network source: the bytes it gathers after running dry before it
  // gives data again; -1 for a source that never runs dry.
  virtual std::int64_t RefillBytes() const { return -1; }
};

}  // namespace tarvo::audio
