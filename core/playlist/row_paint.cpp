#include "playlist/row_paint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "playlist/entry.h"
#include "playlist/model.h"

namespace tarvo {

namespace {

// A few bits that differ between most entries and cost no pass over the
// whole string: entries of one folder share their start, so the length and
// the end (the file name's last characters and the extension) are taken.
std::size_t FilterBit(std::string_view entry, std::size_t bits) {
  std::uint64_t tail = 0;
  const std::size_t count = std::min<std::size_t>(entry.size(), sizeof tail);
  std::memcpy(&tail, entry.data() + entry.size() - count, count);
  const std::uint64_t mixed = (tail ^ (entry.size() << 56)) * 0x9E3779B97F4A7C15ULL;
  return static_cast<std::size_t>(mixed >> 32) % bits;
}

}  // namespace

PageMarks::PageMarks(const PlaylistCore& core, int firstRow, int lastRow) {
  const auto& entries = core.playlist.PlaylistEntries;
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, static_cast<int>(entries.size()));
  if (firstRow >= lastRow) return;
  marks_.reserve(lastRow - firstRow);
  for (int row = firstRow; row < lastRow; ++row) {
    marks_.try_emplace(entries[row]);
    filter_.set(FilterBit(entries[row], kFilterBits));
  }

  std::size_t unmarked = marks_.size();
  for (const std::string& played : core.playlist.ShuffleHistory) {
    Marks* marks = FindOnPage(played);
    if (!marks || marks->shuffled) continue;
    marks->shuffled = true;
    // Once every entry of the page is marked, the rest of the history cannot
    // change anything.
    if (--unmarked == 0) break;
  }
  const auto& queue = core.playlist.QueueEntries;
  for (std::size_t place = 0; place < queue.size(); ++place) {
    if (Marks* marks = FindOnPage(queue[place])) marks->queuePlaces.push_back(static_cast<int>(place) + 1);
  }
}

PageMarks::Marks* PageMarks::FindOnPage(std::string_view entry) {
  if (!filter_.test(FilterBit(entry, kFilterBits))) return nullptr;
  const auto found = marks_.find(entry);
  return found == marks_.end() ? nullptr : &found->second;
}

const PageMarks::Marks* PageMarks::Find(std::string_view entry) const {
  const auto found = marks_.find(entry);
  return found == marks_.end() ? nullptr : &found->second;
}

bool PageMarks::Shuffled(std::string_view entry) const {
  const Marks* marks = Find(entry);
  return marks && marks->shuffled;
}

const std::vector<int>& PageMarks::QueuePlaces(std::string_view entry) const {
  static const std::vector<int> kNone;
  const Marks* marks = Find(entry);
  return marks ? marks->queuePlaces : kNone;
}

RowPaint PaintRow(const PlaylistCore& core, const PageMarks& marks, int row) {
  const ListLook& look = core.listLook;
  const std::string& entry = core.playlist.PlaylistEntries[row];
  RowPaint paint;
  paint.text = EntryDisplayText(core, row);
  // Each place goes in front of the text so far, so the last place ends up
  // first; an entry is normally queued once.
  for (const int place : marks.QueuePlaces(entry)) paint.text = std::to_string(place) + " >   " + paint.text;

  // Without an open output device nothing plays, whatever CurrentIndex says.
  paint.playing = row == core.playlist.CurrentIndex && core.playback.DeviceOpen();
  paint.bold = paint.playing ? look.playingItemBold : look.fontBold;

  if (core.listView.IsSelected(row)) {
    paint.fill = paint.playing ? look.selectionColorPlayingItem : look.selectionColor;
    paint.textColor = paint.playing ? look.playingItemColorSelected : look.fontColorSelected;
    return paint;
  }
  paint.fill = look.backgroundColor;
  if (paint.playing) {
    paint.textColor = look.playingItemColor;
  } else if (EntryKindOf(entry) == EntryKind::Stream) {
    paint.textColor = kStreamItemColor;
  } else if (!marks.QueuePlaces(entry).empty()) {
    paint.textColor = look.queuedItemColor;
  } else if (marks.Shuffled(entry)) {
    paint.textColor = look.shuffledItemColor;
  } else {
    paint.textColor = look.fontColor;
  }
  return paint;
}

}  // namespace tarvo
