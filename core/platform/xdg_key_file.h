// A file in the freedesktop key-file format ("[Group]" headers, "key=value"
// lines, "#" comments), held line by line so that a rewrite keeps every line
// it did not change byte for byte. mimeapps.list is such a file, and every
// program of the desktop shares it; so are desktop entries.
//
// Reading rules are those of the desktop's own readers (GLib's key files):
// leading blanks are ignored, a line is blank, a comment, "[name]" with
// nothing but blanks after "]", or "key=value" inside a group. Group names
// and keys match exactly. Anything else makes the whole file unreadable, and
// such a file is never rewritten.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class XdgKeyFile {
 public:
  XdgKeyFile() = default;

  // Nothing when the text holds a NUL byte, is not UTF-8, has a line of no
  // known kind, or a key line before the first group.
  static std::optional<XdgKeyFile> Parse(std::string_view text);

  // Every line as read, except the ones changed, each ending in "\n" (the
  // last one only when it did when read).
  std::string Text() const;

  // The value of the key's last line in the group, without surrounding
  // blanks. A key given twice, in one group or in two groups of the same
  // name, has the value of its last line for the desktop's readers too.
  std::optional<std::string> Value(std::string_view group, std::string_view key) const;

  // Rewrites the key's last line in the group, the one that counts, and
  // leaves earlier ones as they are; without one, adds the key
  // after the last non-blank line of the group's first occurrence, or a new
  // group at the end of the file. A line keeps its CR LF end.
  void Set(std::string_view group, std::string_view key, std::string_view value);

  // Removes every line of the key in the group. A group left with nothing
  // but its header loses the header too.
  void Erase(std::string_view group, std::string_view key);

  bool Empty() const { return lines_.empty(); }

 private:
  enum class LineKind { Other, Group, Key };
  struct Line {
    std::string text;  // without its line end
    bool crlf = false;
    LineKind kind = LineKind::Other;
    std::string name;   // the group's name, or the key
    std::string value;  // a key's value
  };

  std::optional<std::size_t> LastLineOf(std::string_view group, std::string_view key) const;
  static Line KeyLine(std::string_view key, std::string_view value, bool crlf);
  // The group each line belongs to: the name of the nearest group header at
  // or above it.
  bool InGroup(std::size_t index, std::string_view group) const;
  void DropEmptyGroups(std::string_view group);

  std::vector<Line> lines_;
  bool lastLineEnded_ = true;
};

// A list value ("a.desktop;b.desktop;") as its items, blanks and empty items
// left out, and back; an empty list gives "".
std::vector<std::string> SplitKeyFileList(std::string_view value);
std::string JoinKeyFileList(const std::vector<std::string>& items);

}  // namespace tarvo
