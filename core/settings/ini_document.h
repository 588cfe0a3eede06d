// An INI file held in memory line by line, so that a rewrite keeps every line
// the program does not understand: comments, blank lines, garbage, lines
// without "=", keys outside any section, duplicate sections and keys.
//
// Reading rules (those of hand-edited Windows INI files):
// - "[name]" starts a section; text after "]" is ignored. A line beginning
//   with "[" but without "]" is kept as garbage and starts nothing.
// - "key=value": key and value lose surrounding blanks and tabs; the value is
//   everything after the first "=". Lines beginning with ";" or "#" are
//   comments.
// - Section and key names match without regard to ASCII case. A section that
//   appears twice is one section: lookups go through both in file order, and
//   the first line of a duplicated key wins.
// - A UTF-8 byte-order mark at the start is accepted and written back; LF,
//   CR LF and a lone CR end lines. The text is written with CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view contents);

  // The whole file, every line ending in CR LF.
  std::string Text() const;

  // The value of the first line of `key` in `section`; nothing when missing.
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

  // Changes the first line of the key, or appends the key after the last
  // non-blank line of the section's first occurrence, or appends the section
  // at the end of the file. False (and nothing changed) when the names or the
  // value cannot be stored on one line, for example when they hold a line end.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key in the section.
  void Erase(std::string_view section, std::string_view key);
  // Removes the section's key lines; its header, comments and garbage stay.
  void EraseSection(std::string_view section);

  // True once a change made the text differ from what was read.
  bool Modified() const { return modified_; }

 private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    std::string text;
    LineKind kind = LineKind::Other;
    // The section's or key's name, without surrounding blanks.
    std::string name;
    // A key's value, without surrounding blanks.
    std::string value;
  };

  static Line ParseLine(std::string text);
  // Index of the first key line of `key` in `section`, or npos.
  std::size_t FindKey(std::string_view section, std::string_view key) const;
  // Index of the line after which a new key of `section` goes, or npos when
  // the file has no such section.
  std::size_t InsertionPoint(std::string_view section) const;
  template <typename Predicate>
  void EraseKeyLines(std::string_view section, Predicate matches);

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
  bool modified_ = false;
};

}  // namespace tarvo
