#include "media/tag_string_handlers.h"

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>

#include <string>
#include <string_view>

#include "base/legacy_text.h"

namespace tarvo {

namespace {

// A field ends at its first NUL, as TagLib's own Latin-1 reading ends it.
TagLib::String LegacyText(const TagLib::ByteVector& data) {
  std::string_view bytes(data.data(), data.size());
  bytes = bytes.substr(0, bytes.find('\0'));
  return TagLib::String(TextFromOutside(bytes), TagLib::String::UTF8);
}

class Id3v1Text final : public TagLib::ID3v1::StringHandler {
 public:
  // ID3v1 pads its fixed-size fields with spaces.
  TagLib::String parse(const TagLib::ByteVector& data) const override { return LegacyText(data).stripWhiteSpace(); }
};

class Id3v2Latin1Text final : public TagLib::ID3v2::Latin1StringHandler {
 public:
  TagLib::String parse(const TagLib::ByteVector& data) const override { return LegacyText(data); }
};

class RiffInfoText final : public TagLib::RIFF::Info::StringHandler {
 public:
  TagLib::String parse(const TagLib::ByteVector& data) const override { return LegacyText(data); }
};

}  // namespace

void ReadLatin1TagTextInLegacyCodepage() {
  // TagLib keeps the pointers; the handlers live as long as the process.
  static const bool installed = [] {
    static const Id3v1Text id3v1;
    static const Id3v2Latin1Text id3v2;
    static const RiffInfoText riffInfo;
    TagLib::ID3v1::Tag::setStringHandler(&id3v1);
    TagLib::ID3v2::Tag::setLatin1StringHandler(&id3v2);
    TagLib::RIFF::Info::Tag::setStringHandler(&riffInfo);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace tarvo
