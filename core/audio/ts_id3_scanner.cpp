#include "audio/ts_id3_scanner.h"

#include <algorithm>

#include "audio/id3_title.h"

namespace tarvo::audio {

namespace {

constexpr std::size_t kPacketBytes = 188;
constexpr unsigned char kSyncByte = 0x47;
constexpr unsigned char kId3StreamType = 0x15;
// Stations send tags of a few hundred bytes; anything longer is dropped.
constexpr std::size_t kMaxPesBytes = 64 * 1024;

unsigned Byte(std::string_view data, std::size_t at) { return static_cast<unsigned char>(data[at]); }

}  // namespace

void TsId3Scanner::Feed(std::string_view bytes) {
  if (!partial_.empty()) {
    const std::size_t taken = std::min(bytes.size(), kPacketBytes - partial_.size());
    partial_.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    if (partial_.size() < kPacketBytes) return;
    Packet(partial_);
    partial_.clear();
  }
  while (bytes.size() >= kPacketBytes) {
    Packet(bytes.substr(0, kPacketBytes));
    bytes.remove_prefix(kPacketBytes);
  }
  partial_.assign(bytes);
}

void TsId3Scanner::Packet(std::string_view packet) {
  if (Byte(packet, 0) != kSyncByte) return;
  const bool unitStart = (Byte(packet, 1) & 0x40) != 0;
  const int pid = static_cast<int>(((Byte(packet, 1) & 0x1F) << 8) | Byte(packet, 2));
  const unsigned adaptation = (Byte(packet, 3) >> 4) & 0x3;
  if ((adaptation & 0x1) == 0) return;  // no payload
  std::size_t start = 4;
  if (adaptation & 0x2) start += 1 + Byte(packet, 4);
  if (start >= packet.size()) return;
  const std::string_view payload = packet.substr(start);

  if (pid == 0 && unitStart) {
    ReadProgramTable(payload, false);
  } else if (pid == mapPid_ && unitStart) {
    ReadProgramTable(payload, true);
  } else if (pid == id3Pid_ && id3Pid_ >= 0) {
    // A packet begun before is dropped when the next begins unfinished.
    if (unitStart) pes_.clear();
    if (!unitStart && pes_.empty()) return;
    if (pes_.size() + payload.size() > kMaxPesBytes) {
      pes_.clear();
      return;
    }
    pes_.append(payload);
    TakeTag();
  }
}

// A PAT (the first program's map PID) or a PMT (the ID3 stream's PID), the
// section starting after the payload's pointer field.
void TsId3Scanner::ReadProgramTable(std::string_view payload, bool mapTable) {
  const std::size_t pointer = Byte(payload, 0);
  if (1 + pointer + 3 > payload.size()) return;
  std::string_view section = payload.substr(1 + pointer);
  const std::size_t length = ((Byte(section, 1) & 0x0F) << 8) | Byte(section, 2);
  // The section's body, without its 4-byte CRC at the end.
  section = section.substr(0, std::min(section.size(), 3 + length));
  if (section.size() < 3 + 4) return;
  section.remove_suffix(4);
  if (!mapTable) {
    for (std::size_t at = 8; at + 4 <= section.size(); at += 4) {
      const unsigned program = (Byte(section, at) << 8) | Byte(section, at + 1);
      if (program == 0) continue;  // the network PID
      mapPid_ = static_cast<int>(((Byte(section, at + 2) & 0x1F) << 8) | Byte(section, at + 3));
      return;
    }
    return;
  }
  if (section.size() < 12) return;
  const std::size_t programInfo = ((Byte(section, 10) & 0x0F) << 8) | Byte(section, 11);
  for (std::size_t at = 12 + programInfo; at + 5 <= section.size();) {
    const unsigned type = Byte(section, at);
    const int pid = static_cast<int>(((Byte(section, at + 1) & 0x1F) << 8) | Byte(section, at + 2));
    const std::size_t info = ((Byte(section, at + 3) & 0x0F) << 8) | Byte(section, at + 4);
    if (type == kId3StreamType) {
      id3Pid_ = pid;
      return;
    }
    at += 5 + info;
  }
}

// The metadata PES packet gathered so far: its header, then one ID3 tag.
// Once the tag is whole its song is handed on and the packet is done.
void TsId3Scanner::TakeTag() {
  const std::string_view pes = pes_;
  if (pes.size() < 9) return;
  if (pes.substr(0, 3) != std::string_view("\0\0\1", 3)) {
    pes_.clear();
    return;
  }
  const std::string_view tag = pes.substr(std::min(pes.size(), 9 + static_cast<std::size_t>(Byte(pes, 8))));
  if (tag.size() < 10) return;
  const std::int64_t tagBytes = Id3TagBytes(tag);
  if (tagBytes > 0 && static_cast<std::size_t>(tagBytes) > tag.size()) return;
  if (tagBytes > 0) {
    if (const std::optional<std::string> title = Id3Title(tag.substr(0, static_cast<std::size_t>(tagBytes)))) {
      title_(*title);
    }
  }
  pes_.clear();
}

}  // namespace tarvo::audio
