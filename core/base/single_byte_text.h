// Text of unknown single-byte origin (ID3v1 fields, written in whatever code
// page the tagging program used) made into valid UTF-8 for display.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

// Keeps every well-formed UTF-8 sequence as it stands and reads every other
// byte as Latin-1, so the result is always valid UTF-8 and no byte is lost
// (a NUL stays a NUL).
std::string Utf8OrLatin1(std::string_view bytes);

}  // namespace tarvo
