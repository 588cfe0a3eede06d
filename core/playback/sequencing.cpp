#include "playback/sequencing.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "platform/file_io.h"
#include "playback/volume.h"
#include "playlist/entry.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"

namespace tarvo {

namespace {

// Status panel 2 for each mode; the "Play file" text ends in five blanks.
constexpr const char* kPlayModeTexts[kPlayModeCount] = {"", "Repeat file", "Play list", "Play file     ",
                                                        "Shuffle"};

constexpr int kRingWrittenSlots = kRecentRingSlots - 1;

int FirstIndexOf(const std::vector<std::string>& entries, const std::string& entry) {
  const auto found = std::find(entries.begin(), entries.end(), entry);
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

bool Playable(PlaybackCore& core, const std::string& entry) { return core.playback.ProbeEntry(entry) == 0; }

bool ValidPlayMode(int mode) { return mode >= 0 && mode < kPlayModeCount; }

int RandomBelow(PlaybackCore& core, int count) {
  return std::uniform_int_distribution<int>(0, count - 1)(core.sequencing.shuffleRandom);
}

// The first queued entry that is in the list and plays. It enters
// RecentQueued and leaves the queue together with the queued entries passed
// over before it, which are gone from the list or cannot be played.
int PickFromQueue(PlaybackCore& core) {
  const auto& entries = core.playlist.PlaylistEntries;
  auto& queue = core.playlist.QueueEntries;
  for (std::size_t position = 0; position < queue.size(); ++position) {
    const int index = FirstIndexOf(entries, queue[position]);
    if (index < 0 || !Playable(core, entries[index])) continue;
    RingPush(core.sequencing.RecentQueued, entries[index]);
    queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(position) + 1);
    return index;
  }
  return -1;
}

// Previous first walks back through the entries that came from the queue.
int PickFromRecentQueued(PlaybackCore& core) {
  const auto& entries = core.playlist.PlaylistEntries;
  const std::string entry = RingPop(core.sequencing.RecentQueued, entries);
  if (entry.empty()) return -1;
  const int index = FirstIndexOf(entries, entry);
  return index >= 0 && Playable(core, entries[index]) ? index : -1;
}

// One move from `from` by the play mode; -1 where the mode ends. An unknown
// mode (a hand-edited settings file) moves like repeat list.
int MoveByMode(PlaybackCore& core, int from, bool backwards) {
  const auto& entries = core.playlist.PlaylistEntries;
  const int last = static_cast<int>(entries.size()) - 1;
  switch (core.settings.playMode) {
    case kRepeatFileMode:
      return from;
    case kPlayListMode: {
      const int next = backwards ? from - 1 : from + 1;
      return next < 0 || next > last ? -1 : next;
    }
    case kPlayFileMode:
      return -1;
    case kShuffleMode: {
      if (!backwards) return PickShuffleIndex(core);
      const int index = FirstIndexOf(entries, RingPop(core.sequencing.RecentPlayed, entries));
      return index >= 0 ? index : from;
    }
    default: {
      const int next = backwards ? from - 1 : from + 1;
      if (next >= 0 && next <= last) return next;
      return backwards ? last : 0;
    }
  }
}

}  // namespace

void RingPush(RecentRing& ring, const std::string& entry) {
  const auto written = ring.begin() + kRingWrittenSlots;
  if (std::find(ring.begin(), written, entry) != written) return;
  std::move_backward(ring.begin(), written - 1, written);
  ring[0] = entry;
}

std::string RingPop(RecentRing& ring, const std::vector<std::string>& entries) {
  if (ring[1].empty() || FirstIndexOf(entries, ring[1]) < 0) return {};
  std::string result = ring[1];
  std::move(ring.begin() + 1, ring.end(), ring.begin());
  ring.back().clear();
  return result;
}

int PickNextIndex(PlaybackCore& core, bool backwards) {
  auto& playlist = core.playlist;
  const auto& entries = playlist.PlaylistEntries;
  if (entries.empty()) return -1;
  const int count = static_cast<int>(entries.size());
  const bool shuffle = core.settings.playMode == kShuffleMode;

  const int recorded = backwards ? PickFromRecentQueued(core) : PickFromQueue(core);
  // An entry from the queue or RecentQueued has just passed its probe.
  bool probed = recorded >= 0;
  int index = probed ? recorded : MoveByMode(core, playlist.CurrentIndex, backwards);
  int tries = 0;
  int passes = 0;
  for (;;) {
    if (index < 0 || index >= count) return -1;
    const std::string& entry = entries[index];
    // Internet streams are never reached by next or previous.
    if (EntryKindOf(entry) != EntryKind::Stream) {
      if (probed || Playable(core, entry)) return index;
      // A failed entry counts as drawn so that shuffle does not draw it again.
      if (shuffle) playlist.ShuffleHistory.push_back(entry);
    }
    probed = false;
    if (++tries >= count) {
      // Shuffle gets one more round over the whole list with the history
      // emptied; the other modes give up after trying every entry once.
      if (!shuffle) return -1;
      tries = 0;
      playlist.ShuffleHistory.clear();
      if (++passes > 1) return -1;
    }
    index = MoveByMode(core, index, backwards);
  }
}

int PickShuffleIndex(PlaybackCore& core) {
  const auto& entries = core.playlist.PlaylistEntries;
  auto& history = core.playlist.ShuffleHistory;
  const int count = static_cast<int>(entries.size());
  if (count == 0) return -1;

  // The history holds strings, so a drawn string stands for its first row.
  if (history.empty()) return FirstIndexOf(entries, entries[RandomBelow(core, count)]);

  const std::unordered_set<std::string_view> drawn(history.begin(), history.end());
  std::vector<int> candidates;
  for (int index = 0; index < count; ++index) {
    if (!drawn.contains(entries[index])) candidates.push_back(index);
  }
  if (candidates.empty()) {
    history.clear();
    return RandomBelow(core, count);
  }
  const int chosen = candidates[RandomBelow(core, static_cast<int>(candidates.size()))];
  return FirstIndexOf(entries, entries[chosen]);
}

void RecordJoinedEntry(PlaybackCore& core, const std::string& entry) {
  if (core.settings.playMode != kShuffleMode) return;
  RingPush(core.sequencing.RecentPlayed, entry);
  core.playlist.ShuffleHistory.push_back(entry);
}

void RecordStartedEntry(PlaybackCore& core, const std::string& entry) {
  RecordJoinedEntry(core, entry);
  auto& queue = core.playlist.QueueEntries;
  const auto queued = std::find(queue.begin(), queue.end(), entry);
  if (queued == queue.end()) return;
  queue.erase(queued);
  RingPush(core.sequencing.RecentQueued, entry);
}

void ShowPlayMode(PlaybackCore& core) {
  if (!ValidPlayMode(core.settings.playMode)) core.settings.playMode = kRepeatListMode;
  const int mode = core.settings.playMode;
  core.texts.Panel(StatusPanel::PlayMode) = kPlayModeTexts[mode];
  core.texts.checkedModeCommand = mode;
  PlaylistState& playlist = core.playlist;
  if (!playlist.QueueEntries.empty() || !playlist.ShuffleHistory.empty()) {
    ClearHistory(playlist);
    // The queue numbers and shuffle colours disappear from the rows.
    UpdateListView(core, true, true);
  }
  core.ui.WindowTextsChanged();
}

void SetPlayMode(PlaybackCore& core, int mode) {
  core.settings.playMode = mode;
  ShowPlayMode(core);
}

void CyclePlayMode(PlaybackCore& core, bool backwards) {
  const int mode = ValidPlayMode(core.settings.playMode) ? core.settings.playMode : kRepeatListMode;
  const int step = backwards ? kPlayModeCount - 1 : 1;
  SetPlayMode(core, (mode + step) % kPlayModeCount);
}

void Step(PlaybackCore& core, bool backwards) {
  PlaybackControl& playback = core.playback;
  const int index = PickNextIndex(core, backwards);
  if (playback.IsPaused()) {
    if (index < 0) return;
    playback.PlayEntry(index);
    // A new entry starts playing; hold it like the one it replaced. When it
    // could not start, the old one is still paused and nothing changes.
    if (!playback.IsPaused()) playback.PauseOrResume();
    return;
  }
  if (index >= 0) playback.PlayEntry(index);
  ScrollToCurrent(core);
}

void JumpToPlaying(PlaybackCore& core) {
  const PlaylistState& playlist = core.playlist;
  if (playlist.PlayingEntry.empty()) return;
  if (playlist.CurrentIndex == -1) {
    core.ui.ShowMessage(MessageKind::Information,
                        playlist.PlayingEntry + "\r" + "is not in the current playlist or the list has been changed.");
    return;
  }
  ScrollToCurrent(core);
  SelectSingle(core, playlist.CurrentIndex);
}

std::string LoveListFile(const PlaybackCore& core) { return core.homeFolder + "love.txt"; }

void PlayLoveList(PlaybackCore& core) {
  const std::string path = LoveListFile(core);
  if (!FileExists(path)) {
    core.ui.ShowMessage(MessageKind::Information,
                        "There is no love playlist yet.\r\rSave a playlist as \"love.txt\" in Tarvo's home folder:\r" +
                            core.homeFolder + "\rand this key will shuffle it at full volume.");
    return;
  }
  LoadIntoPlaylist(core, path, LoadMode::ReplaceList);
  SetVolume(core, kMaxVolume);
  SetPlayMode(core, kShuffleMode);
  core.playback.PlayEntry(0);
  core.requests.loveLook = true;
  core.ui.WindowTextsChanged();
}

}  // namespace tarvo
