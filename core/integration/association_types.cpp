#include "integration/association_types.h"

#include "base/text.h"

namespace tarvo {

namespace {

struct ExtensionTypes {
  const char* extension;
  std::vector<std::string> mimeTypes;
};

const std::array<ExtensionTypes, 9>& Table() {
  static const std::array<ExtensionTypes, 9> table{{
      {"mp3", {"audio/mpeg"}},
      {"wav", {"audio/x-wav", "audio/wav"}},
      {"ogg", {"audio/ogg", "audio/x-vorbis+ogg"}},
      {"flac", {"audio/flac", "audio/x-flac"}},
      {"opus", {"audio/x-opus+ogg"}},
      {"m4a", {"audio/mp4", "audio/x-m4a"}},
      {"aac", {"audio/aac"}},
      {"m3u", {"audio/x-mpegurl"}},
      {"pls", {"audio/x-scpls"}},
  }};
  return table;
}

}  // namespace

std::vector<std::string> MimeTypesOf(std::string_view extension) {
  const std::string lower = AsciiLowerCopy(extension);
  for (const ExtensionTypes& entry : Table()) {
    if (lower == entry.extension) return entry.mimeTypes;
  }
  return {};
}

std::vector<std::string> AllAssociationMimeTypes() {
  std::vector<std::string> types;
  for (const ExtensionTypes& entry : Table()) types.insert(types.end(), entry.mimeTypes.begin(), entry.mimeTypes.end());
  return types;
}

}  // namespace tarvo
