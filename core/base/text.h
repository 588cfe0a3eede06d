// Small text routines shared by the whole core: ASCII case folding and the
// case-insensitive search and replace used by the path display rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiLowerCopy(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// Index of the first occurrence of `needle` at or after `from`, comparing ASCII
// letters without regard to case; npos when there is none.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);

// Replaces every occurrence, scanning left to right without overlapping.
std::string ReplaceAllNoCase(std::string_view text, std::string_view from, std::string_view to);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Cuts `text` to at most `maxBytes` bytes without splitting a UTF-8 sequence.
std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes);

// Splits file contents into lines. A line ends at LF or CR LF; a CR not followed
// by LF is dropped from the line; the last line needs no line end. A text
// without any LF but with CRs has CR line ends.
std::vector<std::string> SplitLines(std::string_view contents);

// Decimal integer parsing with an optional leading "-" or "+" and surrounding
// blanks; false when the text is not a number or does not fit.
bool ParseInteger(std::string_view text, long long& value);

}  // namespace tarvo
