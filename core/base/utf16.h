// UTF-16 text, as Windows programs save it ("Unicode" in Notepad), turned
// into the UTF-8 the rest of the program works in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

enum class Utf16Order { LittleEndian, BigEndian };

// The byte order named by a UTF-16 byte-order mark at the start of `bytes`;
// nothing when there is none.
std::optional<Utf16Order> Utf16OrderOf(std::string_view bytes);

// `bytes` (without the mark) as UTF-8. A lone surrogate becomes U+FFFD and
// an odd last byte is dropped, so damaged text still reads as far as it goes.
std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order);

}  // namespace tarvo
