#include "media/file_tags.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacproperties.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mp4properties.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavproperties.h>
#include <taglib/xiphcomment.h>

#include <algorithm>
#include <memory>

#include "base/path_parts.h"
#include "base/text.h"
#include "media/tag_string_handlers.h"

namespace tarvo {

namespace {

// Every text taken from a tag passes here, so the way tag texts become
// UTF-8 is decided in one place.
std::string TagText(const TagLib::String& text) { return text.to8Bit(true); }

std::string Bytes(const TagLib::ByteVector& bytes) { return std::string(bytes.data(), bytes.size()); }

constexpr int kFrontCover = 3;  // the picture type of ID3v2 and FLAC alike

void TakeFlacPicture(const TagLib::List<TagLib::FLAC::Picture*>& pictures, FileTags& tags) {
  const TagLib::FLAC::Picture* chosen = nullptr;
  for (const TagLib::FLAC::Picture* picture : pictures) {
    if (!chosen || picture->type() == kFrontCover) chosen = picture;
    if (picture->type() == kFrontCover) break;
  }
  if (!chosen) return;
  tags.coverMimeType = TagText(chosen->mimeType());
  tags.coverBytes = Bytes(chosen->data());
}

void TakeId3v2Picture(TagLib::ID3v2::Tag* tag, FileTags& tags) {
  if (!tag) return;
  const TagLib::ID3v2::AttachedPictureFrame* chosen = nullptr;
  for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
    const auto* picture = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame);
    if (!picture) continue;
    if (!chosen || picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover) chosen = picture;
    if (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover) break;
  }
  if (!chosen) return;
  tags.coverMimeType = TagText(chosen->mimeType());
  tags.coverBytes = Bytes(chosen->picture());
}

void TakeMp4Picture(TagLib::MP4::Tag* tag, FileTags& tags) {
  if (!tag || !tag->contains("covr")) return;
  const TagLib::MP4::CoverArtList covers = tag->item("covr").toCoverArtList();
  if (covers.isEmpty()) return;
  const TagLib::MP4::CoverArt& cover = covers.front();
  tags.coverMimeType = cover.format() == TagLib::MP4::CoverArt::PNG ? "image/png" : "image/jpeg";
  tags.coverBytes = Bytes(cover.data());
}

void TakeFields(TagLib::File& file, FileTags& tags) {
  const TagLib::PropertyMap properties = file.properties();
  for (const auto& [key, values] : properties) {
    for (const TagLib::String& value : values) tags.fields.emplace_back(TagText(key.upper()), TagText(value));
  }
}

std::string Mp4Codec(const TagLib::MP4::Properties* properties) {
  if (!properties) return "MP4";
  switch (properties->codec()) {
    case TagLib::MP4::Properties::AAC:
      return "AAC";
    case TagLib::MP4::Properties::ALAC:
      return "ALAC";
    case TagLib::MP4::Properties::Unknown:
      break;
  }
  return "MP4";
}

// Reads one file of a known kind: its fields, codec and, when asked, cover.
void ReadKnown(TagLib::File& file, CoverWanted cover, FileTags& tags) {
  if (!file.isValid()) return;
  TakeFields(file, tags);
  const bool withCover = cover == CoverWanted::Yes;
  if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
    tags.codec = "FLAC";
    if (flac->audioProperties()) tags.bitsPerSample = flac->audioProperties()->bitsPerSample();
    if (withCover) TakeFlacPicture(flac->pictureList(), tags);
  } else if (auto* ogg = dynamic_cast<TagLib::Ogg::File*>(&file)) {
    auto* comment = dynamic_cast<TagLib::Ogg::XiphComment*>(ogg->tag());
    if (dynamic_cast<TagLib::Ogg::Opus::File*>(ogg)) tags.codec = "Opus";
    if (dynamic_cast<TagLib::Ogg::Vorbis::File*>(ogg)) tags.codec = "Vorbis";
    if (auto* oggFlac = dynamic_cast<TagLib::Ogg::FLAC::File*>(ogg)) {
      tags.codec = "FLAC";
      if (oggFlac->audioProperties()) tags.bitsPerSample = oggFlac->audioProperties()->bitsPerSample();
    }
    if (withCover && comment) TakeFlacPicture(comment->pictureList(), tags);
  } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
    tags.codec = "MPEG";
    if (withCover) TakeId3v2Picture(mpeg->ID3v2Tag(), tags);
  } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
    tags.codec = "PCM";
    if (wav->audioProperties()) tags.bitsPerSample = wav->audioProperties()->bitsPerSample();
    if (withCover) TakeId3v2Picture(wav->ID3v2Tag(), tags);
  } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
    tags.codec = Mp4Codec(mp4->audioProperties());
    if (tags.codec == "ALAC" && mp4->audioProperties()) tags.bitsPerSample = mp4->audioProperties()->bitsPerSample();
    if (withCover) TakeMp4Picture(mp4->tag(), tags);
  }
}

template <typename OggFile>
bool TryOgg(TagLib::IOStream& stream, CoverWanted cover, FileTags& tags) {
  stream.seek(0);
  OggFile file(&stream, true);
  if (!file.isValid()) return false;
  ReadKnown(file, cover, tags);
  return true;
}

FileTags ReadStream(TagLib::IOStream& stream, std::string_view extension, CoverWanted cover) {
  ReadLatin1TagTextInLegacyCodepage();
  FileTags tags;
  const std::string kind = AsciiLowerCopy(extension);
  if (kind == ".flac") {
    TagLib::FLAC::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), true);
    ReadKnown(file, cover, tags);
  } else if (kind == ".opus" || kind == ".oga" || kind == ".ogg") {
    TryOgg<TagLib::Ogg::Opus::File>(stream, cover, tags) || TryOgg<TagLib::Ogg::Vorbis::File>(stream, cover, tags) ||
        TryOgg<TagLib::Ogg::FLAC::File>(stream, cover, tags);
  } else if (kind == ".mp3" || kind == ".mp2" || kind == ".mp1") {
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), true);
    ReadKnown(file, cover, tags);
  } else if (kind == ".wav") {
    TagLib::RIFF::WAV::File file(&stream, true);
    ReadKnown(file, cover, tags);
  } else if (kind == ".m4a" || kind == ".m4b" || kind == ".mp4") {
    TagLib::MP4::File file(&stream, true);
    ReadKnown(file, cover, tags);
  }
  std::stable_sort(tags.fields.begin(), tags.fields.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return tags;
}

}  // namespace

std::string FileTags::Field(std::string_view key) const {
  const auto found = std::find_if(fields.begin(), fields.end(), [&](const auto& field) { return field.first == key; });
  return found == fields.end() ? std::string() : found->second;
}

FileTags ReadFileTags(const std::string& path, CoverWanted cover) {
  TagLib::FileStream stream(path.c_str(), true);
  if (!stream.isOpen()) return {};
  return ReadStream(stream, ExtensionOf(path), cover);
}

FileTags ReadFileTagsOfBytes(std::string_view bytes, std::string_view extension, CoverWanted cover) {
  TagLib::ByteVector data(bytes.data(), static_cast<unsigned int>(bytes.size()));
  TagLib::ByteVectorStream stream(data);
  return ReadStream(stream, extension, cover);
}

}  // namespace tarvo
