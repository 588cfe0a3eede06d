#include "playlist/outside_path.h"

#include <filesystem>
#include <optional>
#include <string_view>

#include "base/text.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// "%20" becomes a blank; a "%" not followed by two hex digits stays itself.
std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const std::optional<int> high = HexDigit(text[i + 1]);
      const std::optional<int> low = HexDigit(text[i + 2]);
      if (high && low) {
        decoded.push_back(static_cast<char>(*high * 16 + *low));
        i += 2;
        continue;
      }
    }
    decoded.push_back(text[i]);
  }
  return decoded;
}

// The path of a local "file:" URI: "file:///x", "file://localhost/x" and
// "file:/x"; nothing for another scheme or a remote host.
std::optional<std::string> PathOfFileUri(std::string_view uri) {
  if (!StartsWith(AsciiLowerCopy(uri.substr(0, 5)), "file:")) return std::nullopt;
  std::string_view rest = uri.substr(5);
  if (StartsWith(rest, "//")) {
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && AsciiLowerCopy(host) != "localhost") return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (!StartsWith(rest, "/")) return std::nullopt;
  // A query or fragment is no part of a file name.
  rest = rest.substr(0, rest.find_first_of("?#"));
  return PercentDecoded(rest);
}

}  // namespace

std::string PathFromOutside(const std::string& argument, const std::string& workingFolder) {
  if (const std::optional<std::string> path = PathOfFileUri(argument)) return *path;
  if (argument.empty() || StartsWith(argument, "/") || IsStreamAddress(argument) || workingFolder.empty()) {
    return argument;
  }
  std::string absolute = (std::filesystem::path(workingFolder) / argument).lexically_normal().string();
  // "music/" names a folder; it keeps its "/".
  if (absolute.size() > 1 && absolute.back() == '/' && !EndsWith(argument, "/")) absolute.pop_back();
  return absolute;
}

std::string WorkingFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string() : folder.string();
}

}  // namespace tarvo
