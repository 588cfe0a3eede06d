#include "radio/stream_keys.h"

#include "base/text.h"

namespace tarvo {

namespace {

std::string UpperCopy(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

// Spaces and control characters, as a blank test treats them.
bool IsBlank(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

std::string VorbisTitle(const std::optional<std::string>& comments) {
  TKeys fields;
  ParseKeys(FlattenTagList(comments), fields, "=", true, ";");
  const std::string artist = FindKey("ARTIST", fields).value;
  const std::string title = FindKey("TITLE", fields).value;
  if (artist.empty() || title.empty()) return artist + title;
  return artist + " - " + title;
}

}  // namespace

std::string FlattenTagList(const std::optional<std::string>& tags) {
  std::string text;
  if (!tags) return text;
  const std::string& block = *tags;
  for (std::size_t i = 0; i < block.size(); ++i) {
    if (block[i] != '\0') {
      text += block[i];
      continue;
    }
    text += ';';
    if (i + 1 < block.size() && block[i + 1] == '\0') break;
  }
  return text;
}

void ParseKeys(std::string text, TKeys& keys, std::string_view separator, bool clearFirst,
               std::string_view delimiter) {
  for (;;) {
    const std::size_t separatorAt = text.find(separator);
    const std::size_t delimiterAt = text.find(delimiter);
    if (separatorAt == std::string::npos || delimiterAt == std::string::npos || delimiterAt > separatorAt) break;
    text.erase(0, delimiterAt + delimiter.size());
  }
  if (clearFirst) keys.clear();
  while (text.find(delimiter) != std::string::npos) {
    TKey key;
    const std::size_t separatorAt = text.find(separator);
    if (separatorAt != std::string::npos) {
      key.name = text.substr(0, separatorAt);
      text.erase(0, separatorAt + separator.size());
    }
    // The separator may have taken the last delimiter with it: the value is
    // then empty and the pair goes.
    const std::size_t delimiterAt = text.find(delimiter);
    if (delimiterAt != std::string::npos) {
      key.value = text.substr(0, delimiterAt);
      text.erase(0, delimiterAt + delimiter.size());
    }
    if (key.value.size() > 1 && key.value.front() == '\'' && key.value.back() == '\'') {
      key.value = key.value.substr(1, key.value.size() - 2);
    }
    if (!IsBlank(key.name) && !IsBlank(key.value)) keys.push_back(std::move(key));
  }
}

TKey FindKey(std::string_view name, const TKeys& keys) {
  const std::string wanted = UpperCopy(name);
  for (const TKey& key : keys) {
    if (UpperCopy(key.name) == wanted) return key;
  }
  return {};
}

TKeys ReadStreamKeys(audio::AudioLibrary& library, audio::AudioHandle channel) {
  TKeys keys;
  ParseKeys(FlattenTagList(library.StreamGetTags(channel, audio::TagKind::Http)), keys, ":", true, ";");
  if (const std::optional<std::string> metadata = library.StreamGetTags(channel, audio::TagKind::Meta)) {
    ParseKeys(*metadata + ";", keys, "=", false, ";");
  }
  if (FindKey("StreamTitle", keys).name.empty()) {
    const std::string title = VorbisTitle(library.StreamGetTags(channel, audio::TagKind::Ogg));
    if (!title.empty()) keys.push_back(TKey{"StreamTitle", title});
  }
  return keys;
}

}  // namespace tarvo
