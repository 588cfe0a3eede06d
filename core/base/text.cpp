#include "base/text.h"

#include <algorithm>
#include <charconv>

namespace tarvo {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiLowerCopy(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiLower(c);
  return result;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= haystack.size() ? from : std::string_view::npos;
  if (haystack.size() < needle.size()) return std::string_view::npos;
  const char first = AsciiLower(needle[0]);
  for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i) {
    if (AsciiLower(haystack[i]) != first) continue;
    std::size_t k = 1;
    while (k < needle.size() && AsciiLower(haystack[i + k]) == AsciiLower(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  return FindNoCase(haystack, needle) != std::string_view::npos;
}

namespace {

template <typename Finder>
std::string ReplaceWith(std::string_view text, std::string_view from, std::string_view to, Finder find) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t hit = find(text, from, 0); hit != std::string_view::npos; hit = find(text, from, start)) {
    result.append(text.substr(start, hit - start));
    result.append(to);
    start = hit + from.size();
  }
  result.append(text.substr(start));
  return result;
}

}  // namespace

std::string ReplaceAllNoCase(std::string_view text, std::string_view from, std::string_view to) {
  return ReplaceWith(text, from, to, FindNoCase);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  return ReplaceWith(text, from, to, [](std::string_view h, std::string_view n, std::size_t f) {
    return h.find(n, f);
  });
}

std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t cut = maxBytes;
  // Step back over continuation bytes so that no character is split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

std::vector<std::string> SplitLines(std::string_view contents) {
  // A file with CR line ends only (old Mac editors) would otherwise be one line.
  const bool crOnly = contents.find('\n') == std::string_view::npos;
  const char lineEnd = crOnly ? '\r' : '\n';
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(std::count(contents.begin(), contents.end(), lineEnd)) + 1);
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find(lineEnd, start);
    const bool lastLine = end == std::string_view::npos;
    if (lastLine) end = contents.size();
    std::string_view raw = contents.substr(start, end - start);
    std::string& line = lines.emplace_back(raw);
    if (!crOnly && raw.find('\r') != std::string_view::npos) std::erase(line, '\r');
    if (lastLine && line.empty()) lines.pop_back();
    start = end + 1;
  }
  return lines;
}

bool ParseInteger(std::string_view text, long long& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace tarvo
