#include "playback/media_controls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/hash.h"
#include "base/legacy_text.h"
#include "base/path_parts.h"
#include "base/text.h"
#include "media/cover_cache.h"
#include "media/file_tags.h"
#include "media/id3v1.h"
#include "playback/key_dispatcher.h"
#include "playback/sequencing.h"
#include "playback/volume.h"
#include "platform/xdg_folders.h"
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

struct HeardTags {
  // An ".mp3" file's ID3v1 tag names its title, artist and album when it
  // has one; TagLib's fields fill in the rest, and all for other files.
  TID3v1 id3v1;
  FileTags fields;
  std::string coverPath;
};

// The file's tags, read once for each entry heard: the state is compared
// after every burst of window changes, and the file does not change under a
// playing entry.
const HeardTags& TagsOf(const std::string& path) {
  static std::string taggedPath;
  static HeardTags tags;
  if (path != taggedPath) {
    taggedPath = path;
    tags.id3v1.Reset();
    if (AsciiLowerCopy(ExtensionOf(path)) != ".mp3" || !tags.id3v1.ReadTag(path)) tags.id3v1.TagFound = false;
    tags.fields = ReadFileTags(path, CoverWanted::Yes);
    tags.coverPath = CachedCoverPath(tags.fields, XdgFoldersFromEnvironment().cacheHome);
    tags.fields.coverBytes.clear();
  }
  return tags;
}

// "3/12" and "03" alike; 0 when the text starts with no number.
int TrackNumberOf(const std::string& text) {
  int number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || number > 100000) break;
    number = number * 10 + (c - '0');
  }
  return number;
}

void TakeTags(const HeardTags& tags, NowPlaying& now) {
  const FileTags& fields = tags.fields;
  if (tags.id3v1.TagFound) {
    if (!tags.id3v1.Title.empty()) now.title = WithoutNuls(tags.id3v1.Title);
    now.artist = WithoutNuls(tags.id3v1.Artist);
    now.album = WithoutNuls(tags.id3v1.Album);
  } else {
    if (!fields.Field("TITLE").empty()) now.title = WithoutNuls(fields.Field("TITLE"));
    now.artist = WithoutNuls(fields.Field("ARTIST"));
    now.album = WithoutNuls(fields.Field("ALBUM"));
  }
  now.albumArtist = WithoutNuls(fields.Field("ALBUMARTIST"));
  now.genre = WithoutNuls(fields.Field("GENRE"));
  now.trackNumber = TrackNumberOf(fields.Field("TRACKNUMBER"));
  now.artPath = tags.coverPath;
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
  TakeTags(TagsOf(now.location), now);
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
