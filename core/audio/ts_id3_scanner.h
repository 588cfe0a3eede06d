// Finds the ID3 timed metadata that HLS stations carry in their MPEG-TS
// segments: the program map names a metadata stream (stream type 0x15),
// whose PES packets each hold one ID3 tag; the song each names is handed on.
// The audio itself is left to the decoder.
//
// The fetching thread of one segment; any bytes are safe, and what is kept
// between pieces is bounded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarvo::audio {

class TsId3Scanner {
 public:
  // `title` gets each song an ID3 tag names ("Artist - Title").
  explicit TsId3Scanner(std::function<void(const std::string&)> title) : title_(std::move(title)) {}

  // The next bytes of the segment, in pieces of any size.
  void Feed(std::string_view bytes);

 private:
  void Packet(std::string_view packet);
  void ReadProgramTable(std::string_view payload, bool mapTable);
  void TakeTag();

  std::function<void(const std::string&)> title_;
  std::string partial_;  // a packet begun in the last piece
  int mapPid_ = -1;      // the program map's PID, once the PAT named it
  int id3Pid_ = -1;      // the metadata stream's PID, once the map named it
  std::string pes_;      // the metadata PES packet being gathered
};

}  // namespace tarvo::audio
