#include "platform/xdg_key_file.h"

#include <algorithm>

#include "base/single_byte_text.h"

namespace tarvo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceAt(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::optional<XdgKeyFile> XdgKeyFile::Parse(std::string_view text) {
  if (text.find('\0') != std::string_view::npos || !IsUtf8(text)) return std::nullopt;
  XdgKeyFile file;
  bool inGroup = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    Line line;
    line.text = std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) file.lastLineEnded_ = false;
    start = end == std::string_view::npos ? text.size() : end + 1;
    if (line.text.ends_with('\r')) {
      line.text.pop_back();
      line.crlf = true;
    }
    const std::string_view content = Trimmed(line.text);
    if (content.empty() || content.front() == '#') {
      line.kind = LineKind::Other;
    } else if (content.front() == '[' && content.back() == ']') {
      const std::string_view name = content.substr(1, content.size() - 2);
      if (name.empty() || name.find_first_of("[]") != std::string_view::npos) return std::nullopt;
      line.kind = LineKind::Group;
      line.name = std::string(name);
      inGroup = true;
    } else {
      const std::size_t equals = content.find('=');
      if (equals == std::string_view::npos || !inGroup) return std::nullopt;
      const std::string_view key = Trimmed(content.substr(0, equals));
      if (key.empty()) return std::nullopt;
      line.kind = LineKind::Key;
      line.name = std::string(key);
      line.value = std::string(Trimmed(content.substr(equals + 1)));
    }
    file.lines_.push_back(std::move(line));
  }
  return file;
}

std::string XdgKeyFile::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    text += lines_[i].text;
    if (lines_[i].crlf) text += '\r';
    if (i + 1 < lines_.size() || lastLineEnded_) text += '\n';
  }
  return text;
}

bool XdgKeyFile::InGroup(std::size_t index, std::string_view group) const {
  for (std::size_t i = index + 1; i-- > 0;) {
    if (lines_[i].kind == LineKind::Group) return lines_[i].name == group;
  }
  return false;
}

std::optional<std::size_t> XdgKeyFile::LastLineOf(std::string_view group, std::string_view key) const {
  for (std::size_t i = lines_.size(); i-- > 0;) {
    if (lines_[i].kind == LineKind::Key && lines_[i].name == key && InGroup(i, group)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> XdgKeyFile::Value(std::string_view group, std::string_view key) const {
  const std::optional<std::size_t> line = LastLineOf(group, key);
  if (!line) return std::nullopt;
  return lines_[*line].value;
}

XdgKeyFile::Line XdgKeyFile::KeyLine(std::string_view key, std::string_view value, bool crlf) {
  Line line;
  line.text = std::string(key) + "=" + std::string(value);
  line.crlf = crlf;
  line.kind = LineKind::Key;
  line.name = std::string(key);
  line.value = std::string(value);
  return line;
}

void XdgKeyFile::Set(std::string_view group, std::string_view key, std::string_view value) {
  if (const std::optional<std::size_t> line = LastLineOf(group, key)) {
    lines_[*line] = KeyLine(key, value, lines_[*line].crlf);
    return;
  }

  const auto header = std::find_if(lines_.begin(), lines_.end(), [&](const Line& line) {
    return line.kind == LineKind::Group && line.name == group;
  });
  if (header == lines_.end()) {
    // The last line gets the line end it lacked, so the new header starts a line.
    lastLineEnded_ = true;
    Line groupLine;
    groupLine.text = "[" + std::string(group) + "]";
    groupLine.kind = LineKind::Group;
    groupLine.name = std::string(group);
    lines_.push_back(std::move(groupLine));
    lines_.push_back(KeyLine(key, value, false));
    return;
  }
  auto place = header + 1;
  for (auto it = header + 1; it != lines_.end() && it->kind != LineKind::Group; ++it) {
    if (!Trimmed(it->text).empty()) place = it + 1;
  }
  if (place == lines_.end()) lastLineEnded_ = true;
  lines_.insert(place, KeyLine(key, value, header->crlf));
}

void XdgKeyFile::Erase(std::string_view group, std::string_view key) {
  for (std::size_t i = lines_.size(); i-- > 0;) {
    if (lines_[i].kind == LineKind::Key && lines_[i].name == key && InGroup(i, group)) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  DropEmptyGroups(group);
}

void XdgKeyFile::DropEmptyGroups(std::string_view group) {
  for (std::size_t i = lines_.size(); i-- > 0;) {
    const bool header = lines_[i].kind == LineKind::Group && lines_[i].name == group;
    const bool alone = i + 1 == lines_.size() || lines_[i + 1].kind == LineKind::Group;
    if (header && alone) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

std::vector<std::string> SplitKeyFileList(std::string_view value) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t end = std::min(value.find(';', start), value.size());
    const std::string_view item = Trimmed(value.substr(start, end - start));
    if (!item.empty()) items.emplace_back(item);
    start = end + 1;
  }
  return items;
}

std::string JoinKeyFileList(const std::vector<std::string>& items) {
  std::string value;
  for (const std::string& item : items) value += item + ";";
  return value;
}

}  // namespace tarvo
