#include "playback/media_controls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/hash.h"
#include "base/legacy_text.h"
#include "media/id3v1.h"
#include "playback/key_dispatcher.h"
#include "playback/sequencing.h"
#include "playback/volume.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

constexpr std::string_view kNoLoop = "None";
constexpr std::string_view kTrackLoop = "Track";
constexpr std::string_view kPlaylistLoop = "Playlist";
// The global hotkey slot of stop.
constexpr int kStopHotkeySlot = 2;

int LastIndex(const PlaybackCore& core) { return static_cast<int>(core.playlist.PlaylistEntries.size()) - 1; }

void ChangePlayMode(PlaybackCore& core, int mode) {
  if (mode != core.settings.playMode) SetPlayMode(core, mode);
}

const std::string* HeardEntry(const PlaybackCore& core) {
  const PlaylistState& playlist = core.playlist;
  if (playlist.PlayingEntry.empty()) return nullptr;
  const int current = playlist.CurrentIndex;
  if (current >= 0 && current <= LastIndex(core)) return &playlist.PlaylistEntries[current];
  return &playlist.PlayingEntry;
}

// D-Bus strings cannot hold a NUL; a tag's inner NUL shows as a space, as
// the tag view shows it.
std::string WithoutNuls(std::string text) {
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

// The file's ID3v1 tag, read once for each entry heard: the state is
// compared after every burst of window changes, and the file does not change
// under a playing entry.
const TID3v1& TagOf(const std::string& path) {
  static std::string taggedPath;
  static TID3v1 tag;
  if (path != taggedPath) {
    taggedPath = path;
    tag.Reset();
    if (!tag.ReadTag(path)) tag.TagFound = false;
  }
  return tag;
}

}  // namespace

std::string_view LoopStatusOfMode(int mode) {
  switch (mode) {
    case kRepeatFileMode:
      return kTrackLoop;
    case kPlayListMode:
    case kPlayFileMode:
      return kNoLoop;
    default:
      return kPlaylistLoop;
  }
}

bool ShuffleOfMode(int mode) { return mode == kShuffleMode; }

int ModeForLoopStatus(int mode, std::string_view loopStatus) {
  if (loopStatus == LoopStatusOfMode(mode)) return mode;
  if (loopStatus == kNoLoop) return kPlayListMode;
  if (loopStatus == kTrackLoop) return kRepeatFileMode;
  if (loopStatus == kPlaylistLoop) return kRepeatListMode;
  return mode;
}

int ModeForShuffle(int mode, bool shuffle) {
  if (shuffle == ShuffleOfMode(mode)) return mode;
  // Shuffle loops the whole list; without it the list still loops.
  return shuffle ? kShuffleMode : kRepeatListMode;
}

void SetLoopStatus(PlaybackCore& core, std::string_view loopStatus) {
  ChangePlayMode(core, ModeForLoopStatus(core.settings.playMode, loopStatus));
}

void SetShuffle(PlaybackCore& core, bool shuffle) { ChangePlayMode(core, ModeForShuffle(core.settings.playMode, shuffle)); }

double MediaVolumeOf(int volume) { return static_cast<double>(volume) / kMaxVolume; }

void SetMediaVolume(PlaybackCore& core, double volume) {
  if (std::isnan(volume)) return;
  SetVolume(core, static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * kMaxVolume)));
}

std::string TrackIdOf(std::string_view entry) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1aHash(entry)));
  return std::string("/org/mpris/MediaPlayer2/tarvo/track/") + hex;
}

// The one place that decides what the desktop shows of an entry.
std::optional<NowPlaying> NowPlayingOf(const PlaybackCore& core) {
  const std::string* entry = HeardEntry(core);
  if (!entry) return std::nullopt;
  NowPlaying now;
  now.trackId = TrackIdOf(*entry);
  now.isStream = EntryKindOf(*entry) == EntryKind::Stream;
  now.location = std::string(EntryLocation(*entry));
  const std::string_view title = EntryTitle(*entry);
  now.title = now.isStream ? std::string(title) : TextFromOutside(FileNameOf(title));
  if (now.isStream) {
    // What the station says it plays, when it is the station playing:
    // "Artist - Title" as stations send it, else the whole text as title.
    if (!core.streamTitle.empty() && *entry == core.playlist.PlayingEntry) {
      const std::string& sent = core.streamTitle;
      const std::size_t dash = sent.find(" - ");
      if (dash != std::string::npos && dash > 0 && dash + 3 < sent.size()) {
        now.artist = sent.substr(0, dash);
        now.title = sent.substr(dash + 3);
      } else {
        now.title = sent;
      }
    }
    return now;
  }
  now.lengthMicroseconds = core.progress.max * 1000;
  const TID3v1& tag = TagOf(now.location);
  if (tag.TagFound) {
    if (!tag.Title.empty()) now.title = WithoutNuls(tag.Title);
    now.artist = WithoutNuls(tag.Artist);
    now.album = WithoutNuls(tag.Album);
  }
  return now;
}

bool CanGoNext(const PlaybackCore& core) {
  const int mode = core.settings.playMode;
  if (core.playlist.PlaylistEntries.empty() || mode == kPlayFileMode) return false;
  return !(mode == kPlayListMode && core.playlist.CurrentIndex == LastIndex(core));
}

bool CanGoPrevious(const PlaybackCore& core) {
  const int mode = core.settings.playMode;
  if (core.playlist.PlaylistEntries.empty() || mode == kPlayFileMode) return false;
  return !(mode == kPlayListMode && core.playlist.CurrentIndex == 0);
}

void MediaPlay(PlaybackCore& core, MediaStatus status) {
  if (status == MediaStatus::Stopped) {
    DispatchKeyCommand(core, kKeyEnter, kNoModifier);
  } else if (status == MediaStatus::Paused) {
    DispatchKeyCommand(core, kKeySpace, kNoModifier);
  }
}

void MediaPause(PlaybackCore& core, MediaStatus status) {
  if (status == MediaStatus::Playing) DispatchKeyCommand(core, kKeySpace, kNoModifier);
}

void MediaPlayPause(PlaybackCore& core, MediaStatus status) {
  DispatchKeyCommand(core, status == MediaStatus::Stopped ? kKeyEnter : kKeySpace, kNoModifier);
}

void MediaStop(PlaybackCore& core) { DispatchGlobalHotkey(core, kStopHotkeySlot); }

void MediaNext(PlaybackCore& core) { DispatchKeyCommand(core, kKeyTab, kNoModifier); }

void MediaPrevious(PlaybackCore& core) { DispatchKeyCommand(core, kKeyTab, kShiftModifier); }

}  // namespace tarvo
