// The ID3v1 tag: the 128-byte block at the end of an MP3 file, read into a
// plain record, and the names of its genre numbers. Tags are only read.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

class TID3v1 {
 public:
  // Every field starts at its reset value.
  TID3v1() = default;

  void Reset() { *this = TID3v1{}; }
  // False when the last 128 bytes of the file could not be read (a missing
  // or shorter file); true otherwise, with TagFound telling whether they
  // were a tag.
  bool ReadTag(const std::string& path);
  // The genre name of GenreIndex; empty for 148 and above.
  std::string GenreText() const;

  bool TagFound = false;
  // 1 = ID3v1.0, 2 = ID3v1.1 (with a track number).
  std::uint8_t TagVersion = 1;
  // Text fields as UTF-8: trailing spaces, NULs and control bytes trimmed;
  // bytes that are no UTF-8 read as Latin-1; a NUL inside the text stays.
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Year;
  std::string Comment;
  std::uint8_t Track = 0;
  // 255 = none.
  std::uint8_t GenreIndex = 255;
};

// The tag block's size and the number of named genres.
inline constexpr int kId3v1Size = 128;
inline constexpr int kGenreCount = 148;

}  // namespace tarvo
