#include "media/id3v1.h"

#include <array>
#include <fstream>
#include <string_view>

#include "base/legacy_text.h"

namespace tarvo {

namespace {

constexpr std::array<const char*, kGenreCount> kGenreNames = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal",
    "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip",
    "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop",
    "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk",
    "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk",
    "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk",
    "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    "Avantgarde", "Gothic Rock", "Progessive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock",
    "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera",
    "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam", "Club",
    "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock",
    "Drum Solo", "A capella", "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore",
    "Terror", "Indie", "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock", "Merengue", "Salsa",
    "Trash Metal", "Anime", "JPop", "Synthpop",
};

// A field's bytes without the trailing padding (spaces, NULs, control
// bytes), as UTF-8 (the legacy code page for other text).
std::string FieldText(std::string_view block, std::size_t offset, std::size_t size) {
  std::string_view field = block.substr(offset, size);
  while (!field.empty() && static_cast<unsigned char>(field.back()) <= 32) field.remove_suffix(1);
  return TextFromOutside(field);
}

}  // namespace

bool TID3v1::ReadTag(const std::string& path) {
  Reset();
  std::ifstream file(path, std::ios::binary);
  if (!file || !file.seekg(0, std::ios::end)) return false;
  const std::streamoff size = file.tellg();
  if (size < kId3v1Size || !file.seekg(size - kId3v1Size)) return false;
  std::string block(kId3v1Size, '\0');
  if (!file.read(block.data(), kId3v1Size)) return false;
  if (!block.starts_with("TAG")) return true;

  TagFound = true;
  const char marker = block[125];
  const char track = block[126];
  const bool version11 = (marker == 0 && track != 0) || (marker == ' ' && track != ' ');
  TagVersion = version11 ? 2 : 1;
  Title = FieldText(block, 3, 30);
  Artist = FieldText(block, 33, 30);
  Album = FieldText(block, 63, 30);
  Year = FieldText(block, 93, 4);
  Comment = FieldText(block, 97, version11 ? 28 : 30);
  if (version11) Track = static_cast<std::uint8_t>(track);
  GenreIndex = static_cast<std::uint8_t>(block[127]);
  return true;
}

std::string TID3v1::GenreText() const { return GenreIndex < kGenreCount ? kGenreNames[GenreIndex] : ""; }

}  // namespace tarvo
