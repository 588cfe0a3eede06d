#include "settings/ini_document.h"

#include <algorithm>

#include "base/text.h"

namespace tarvo {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool HasLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A name that reads back as itself: no line end, no surrounding blanks, and
// nothing that would make its line parse as something else.
bool IsStorableSection(std::string_view name) {
  return !name.empty() && !HasLineEnd(name) && Trim(name) == name && name.find(']') == std::string_view::npos;
}

bool IsStorableKey(std::string_view name) {
  return !name.empty() && !HasLineEnd(name) && Trim(name) == name && name.find('=') == std::string_view::npos &&
         name.front() != '[' && name.front() != ';' && name.front() != '#';
}

// Splits at LF, CR LF and lone CR alike; a last line without a line end counts.
std::vector<std::string> SplitAnyLineEnds(std::string_view contents) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(contents.substr(start));
      break;
    }
    lines.emplace_back(contents.substr(start, end - start));
    start = end + 1;
    if (contents[end] == '\r' && start < contents.size() && contents[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace

IniDocument::IniDocument(std::string_view contents) {
  if (StartsWith(contents, kByteOrderMark)) {
    byteOrderMark_ = true;
    contents.remove_prefix(kByteOrderMark.size());
  }
  for (std::string& text : SplitAnyLineEnds(contents)) lines_.push_back(ParseLine(std::move(text)));
}

IniDocument::Line IniDocument::ParseLine(std::string text) {
  Line line;
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
    // Blank line or comment.
  } else if (trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::Section;
      line.name = Trim(trimmed.substr(1, close - 1));
    }
  } else if (const std::size_t equals = trimmed.find('='); equals != std::string_view::npos) {
    const std::string_view name = Trim(trimmed.substr(0, equals));
    if (!name.empty()) {
      line.kind = LineKind::Key;
      line.name = name;
      line.value = Trim(trimmed.substr(equals + 1));
    }
  }
  line.text = std::move(text);
  return line;
}

std::string IniDocument::Text() const {
  std::size_t size = byteOrderMark_ ? kByteOrderMark.size() : 0;
  for (const Line& line : lines_) size += line.text.size() + 2;
  std::string text;
  text.reserve(size);
  if (byteOrderMark_) text.append(kByteOrderMark);
  for (const Line& line : lines_) {
    text.append(line.text);
    text.append("\r\n");
  }
  return text;
}

std::size_t IniDocument::FindKey(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Section) {
      inSection = EqualsNoCase(line.name, section);
    } else if (inSection && line.kind == LineKind::Key && EqualsNoCase(line.name, key)) {
      return i;
    }
  }
  return std::string::npos;
}

std::optional<std::string_view> IniDocument::Value(std::string_view section, std::string_view key) const {
  const std::size_t index = FindKey(section, key);
  if (index == std::string::npos) return std::nullopt;
  return std::string_view(lines_[index].value);
}

bool IniDocument::HasSection(std::string_view section) const {
  return std::any_of(lines_.begin(), lines_.end(), [&](const Line& line) {
    return line.kind == LineKind::Section && EqualsNoCase(line.name, section);
  });
}

std::size_t IniDocument::InsertionPoint(std::string_view section) const {
  std::size_t header = 0;
  while (header < lines_.size() &&
         !(lines_[header].kind == LineKind::Section && EqualsNoCase(lines_[header].name, section))) {
    ++header;
  }
  if (header == lines_.size()) return std::string::npos;
  // Blank lines that end the section keep separating it from the next one.
  std::size_t last = header;
  for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
    if (!Trim(lines_[i].text).empty()) last = i;
  }
  return last;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorableSection(section) || !IsStorableKey(key) || HasLineEnd(value)) return false;

  const std::size_t existing = FindKey(section, key);
  if (existing != std::string::npos) {
    Line& line = lines_[existing];
    // Reading trims the value, so an equal trimmed value is no change.
    if (line.value == Trim(value)) return true;
    line = ParseLine(line.name + "=" + std::string(value));
    modified_ = true;
    return true;
  }

  Line keyLine = ParseLine(std::string(key) + "=" + std::string(value));
  const std::size_t after = InsertionPoint(section);
  if (after != std::string::npos) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1, std::move(keyLine));
  } else {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(ParseLine(""));
    lines_.push_back(ParseLine("[" + std::string(section) + "]"));
    lines_.push_back(std::move(keyLine));
  }
  modified_ = true;
  return true;
}

template <typename Predicate>
void IniDocument::EraseKeyLines(std::string_view section, Predicate matches) {
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool inSection = false;
  for (Line& line : lines_) {
    if (line.kind == LineKind::Section) inSection = EqualsNoCase(line.name, section);
    if (inSection && line.kind == LineKind::Key && matches(line)) continue;
    kept.push_back(std::move(line));
  }
  if (kept.size() != lines_.size()) modified_ = true;
  lines_ = std::move(kept);
}

void IniDocument::Erase(std::string_view section, std::string_view key) {
  EraseKeyLines(section, [&](const Line& line) { return EqualsNoCase(line.name, key); });
}

void IniDocument::EraseSection(std::string_view section) {
  EraseKeyLines(section, [](const Line&) { return true; });
}

}  // namespace tarvo
