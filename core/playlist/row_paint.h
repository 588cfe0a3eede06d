// How the playlist view draws each row: the text with its queue marks, the
// fill and text colours, and the weight, decided from the core's state and
// the list look. The window only carries out what this returns, so the rules
// are tested without one. Window thread only.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "playlist/playlist_core.h"

namespace tarvo {

struct RowPaint {
  // The display text behind the queue marks: "3 >   Song".
  std::string text;
  Color fill;
  Color textColor;
  bool bold = false;
  bool playing = false;
};

// The queue places and shuffle marks of the entries of a page of rows.
//
// A row is marked by whether its entry string is in the queue or in the
// shuffle history. The history grows by one entry for every entry played in
// shuffle mode and may hold tens of thousands, so searching it once per row
// would cost a page of rows times the history on every repaint. Instead one
// pass over the history and one over the queue look each element up among
// the page's entries, whatever the page size. Hashing every element of a
// long history still costs more than the painting itself, so a cheap filter
// (length and last eight bytes, one bit for each of the page's entries)
// answers "not on this page" for nearly all of them first. Nothing is cached
// between repaints: the marks always show the queue and history as they are.
class PageMarks {
 public:
  // Rows first .. last - 1; out-of-range rows are left out.
  PageMarks(const PlaylistCore& core, int firstRow, int lastRow);

  bool Shuffled(std::string_view entry) const;
  // Places in the queue (counting from 1) that hold the entry, ascending.
  const std::vector<int>& QueuePlaces(std::string_view entry) const;

 private:
  struct Marks {
    bool shuffled = false;
    std::vector<int> queuePlaces;
  };
  const Marks* Find(std::string_view entry) const;
  // The marks of an element of the queue or the history when it is one of
  // the page's entries; else null.
  Marks* FindOnPage(std::string_view entry);

  static constexpr int kFilterBits = 4096;
  std::bitset<kFilterBits> filter_;

  // Keys view the playlist's own strings, which outlive one repaint.
  std::unordered_map<std::string_view, Marks> marks_;
};

// The drawing of row `row` (which must lie in the list), with `marks` built
// for a page that holds it. The font is the list look's, with `bold` deciding
// its weight.
RowPaint PaintRow(const PlaylistCore& core, const PageMarks& marks, int row);

}  // namespace tarvo
