// Number texts of the windows: digit grouping, megabytes and durations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {

// Inserts `thousands` between every third character counted from the end of
// the integer part; the count restarts at `decimal`.
std::string GroupDigits(std::string_view digits, std::string_view thousands, char decimal);
// The same with the separators of the current locale ("," when it has none).
std::string GroupDigits(std::string_view digits);

// bytes / 1 MiB rounded half up to `decimals` places, without trailing zeros,
// digits grouped: 1,048,576,000 bytes with 2 decimals gives "1,000".
std::string FormatBytesMB(int decimals, std::int64_t bytes);

// "m:ss:mmm": 185123 gives "3:05:123".
std::string FormatDurationMs(std::int64_t milliseconds);

}  // namespace tarvo
