// The tags of an audio file beyond ID3v1, read with TagLib: ID3v2, Vorbis
// comments (FLAC, Ogg Vorbis, Ogg Opus, Ogg FLAC), MP4 atoms and APE, under
// TagLib's common keys (TITLE, ARTIST, ALBUM, ALBUMARTIST, TRACKNUMBER,
// GENRE, REPLAYGAIN_TRACK_GAIN, R128_TRACK_GAIN, ...); the codec and its
// sample width; the embedded front cover.
//
// Reading touches the file, so it is done only for an entry that needs it
// (the playing one, an open window), never while scanning a folder. Any
// thread; no state is shared between calls.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvo {

struct FileTags {
  // "FLAC", "Opus", "Vorbis", "MPEG", "PCM", "AAC", "ALAC"; empty when the
  // content is not what the file's name says, or TagLib can't read it.
  std::string codec;
  // Bits per sample of a lossless coding; 0 for a lossy one.
  int bitsPerSample = 0;
  // Every field as KEY and value, keys upper-case and sorted; a key with
  // several values comes once for each.
  std::vector<std::pair<std::string, std::string>> fields;
  // The front cover (else the first picture) and its MIME type; empty when
  // the file has none or it was not asked for.
  std::string coverMimeType;
  std::string coverBytes;

  // The first value of `key`; empty when the file has none.
  std::string Field(std::string_view key) const;
};

enum class CoverWanted { No, Yes };

// The tags of the file at `path`, by the kind its extension names (an Ogg
// file is told Opus, Vorbis or FLAC by its content). Nothing is filled for a
// file TagLib does not read, a damaged one or one of another content.
FileTags ReadFileTags(const std::string& path, CoverWanted cover = CoverWanted::No);

// The same from bytes in memory, with the extension the name would have
// (".flac", ".opus", ...).
FileTags ReadFileTagsOfBytes(std::string_view bytes, std::string_view extension,
                             CoverWanted cover = CoverWanted::No);

}  // namespace tarvo
