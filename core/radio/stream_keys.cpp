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

namespace {

// The next place of `needle` at or after a position that only moves
// forward. A found place is kept until the position passes it, and "none"
// is kept for good, so the whole text is scanned about once however many
// times it is asked: parsing stays linear in the text's length.
class ForwardFinder {
 public:
  ForwardFinder(std::string_view text, std::string_view needle) : text_(text), needle_(needle) {}

  std::size_t From(std::size_t position) {
    if (!searched_ || (at_ != std::string_view::npos && at_ < position)) {
      at_ = text_.find(needle_, position);
      searched_ = true;
    }
    return at_;
  }

 private:
  std::string_view text_;
  std::string_view needle_;
  std::size_t at_ = std::string_view::npos;
  bool searched_ = false;
};

}  // namespace

void ParseKeys(std::string text, TKeys& keys, std::string_view separator, bool clearFirst,
               std::string_view delimiter) {
  if (clearFirst) keys.clear();
  // Without a delimiter there are no pairs to end.
  if (separator.empty() || delimiter.empty()) return;
  const std::string_view all(text);
  ForwardFinder separators(all, separator);
  ForwardFinder delimiters(all, delimiter);
  // Leading items without a separator are skipped.
  std::size_t position = 0;
  for (;;) {
    const std::size_t separatorAt = separators.From(position);
    const std::size_t delimiterAt = delimiters.From(position);
    if (separatorAt == std::string_view::npos || delimiterAt == std::string_view::npos || delimiterAt > separatorAt) {
      break;
    }
    position = delimiterAt + delimiter.size();
  }
  while (delimiters.From(position) != std::string_view::npos) {
    TKey key;
    const std::size_t separatorAt = separators.From(position);
    if (separatorAt != std::string_view::npos) {
      key.name = all.substr(position, separatorAt - position);
      position = separatorAt + separator.size();
    }
    // The separator may have taken the last delimiter with it: the value is
    // then empty and the pair goes.
    const std::size_t delimiterAt = delimiters.From(position);
    if (delimiterAt != std::string_view::npos) {
      key.value = all.substr(position, delimiterAt - position);
      position = delimiterAt + delimiter.size();
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
