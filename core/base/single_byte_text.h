// Text of unknown single-byte origin (ID3v1 fields, written in whatever code
// page the tagging program used) made into valid UTF-8 for display.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvo {

// Keeps every well-formed UTF-8 sequence as it stands and reads every other
// byte as Latin-1, so the result is always valid UTF-8 and no byte is lost
// (a NUL stays a NUL).
std::string Utf8OrLatin1(std::string_view bytes);

// The length of the well-formed UTF-8 sequence of two to four bytes that
// starts at `at`, or 0 when none starts there (overlong forms, surrogates
// and code points above U+10FFFF are not well formed).
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at);

}  // namespace tarvo
