#include "base/untrusted_text.h"

#include "base/legacy_text.h"

namespace tarvo {

namespace {

// The length of the UTF-8 sequence starting at `at`, 0 when it is not a
// valid one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned int value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  if ((length == 3 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF))) ||
      (length == 4 && (value < 0x10000 || value > 0x10FFFF))) {
    return 0;
  }
  return length;
}

bool IsControl(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character[0]);
  if (lead < 0x20 || lead == 0x7F) return true;
  // C1 controls, U+0080..U+009F, are C2 80..C2 9F in UTF-8.
  return character.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

}  // namespace

std::string ShowableNetworkText(std::string_view text, std::size_t maxChars) {
  const std::string utf8 = TextFromOutside(text);
  std::string shown;
  std::size_t chars = 0;
  for (std::size_t at = 0; at < utf8.size() && chars < maxChars;) {
    const std::size_t length = Utf8SequenceLength(utf8, at);
    const std::string_view character(utf8.data() + at, length);
    if (!IsControl(character)) {
      shown += character;
      ++chars;
    }
    at += length;
  }
  return shown;
}

}  // namespace tarvo
