#include "base/utf16.h"

namespace tarvo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::optional<Utf16Order> Utf16OrderOf(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto first = static_cast<unsigned char>(bytes[0]);
  const auto second = static_cast<unsigned char>(bytes[1]);
  if (first == 0xFF && second == 0xFE) return Utf16Order::LittleEndian;
  if (first == 0xFE && second == 0xFF) return Utf16Order::BigEndian;
  return std::nullopt;
}

std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order) {
  const std::size_t units = bytes.size() / 2;
  auto unitAt = [&bytes, order](std::size_t index) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[2 * index]);
    const auto b = static_cast<unsigned char>(bytes[2 * index + 1]);
    return order == Utf16Order::LittleEndian ? static_cast<char32_t>(a | (b << 8))
                                             : static_cast<char32_t>((a << 8) | b);
  };
  std::string text;
  text.reserve(units * 3 / 2);
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t unit = unitAt(i);
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
      AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(text, kReplacement);
    } else {
      AppendUtf8(text, unit);
    }
  }
  return text;
}

}  // namespace tarvo
