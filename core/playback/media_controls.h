// What the desktop's media controls (the keyboard's media keys, the desktop's
// media widget, playerctl) see of the player and what their commands do. The
// commands enter the key dispatcher as the keys and the global hotkeys do;
// the D-Bus service on the window side only translates. Window thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "playback/playback_core.h"

namespace tarvo {

enum class MediaStatus { Playing, Paused, Stopped };

// The loop status a desktop shows for a play mode: "None" for the modes that
// stop (play list, play file), "Track" for repeat file, "Playlist" for repeat
// list and shuffle, which goes on drawing from the whole list.
std::string_view LoopStatusOfMode(int mode);
bool ShuffleOfMode(int mode);
// The play mode that setting the loop status or shuffle picks. A value that
// already describes the current mode keeps it, so that a desktop echoing the
// state back does not empty the queue; an unknown loop status changes
// nothing.
int ModeForLoopStatus(int mode, std::string_view loopStatus);
int ModeForShuffle(int mode, bool shuffle);
void SetLoopStatus(PlaybackCore& core, std::string_view loopStatus);
void SetShuffle(PlaybackCore& core, bool shuffle);

// The volume on the desktop's 0..1 scale is the program's 0..1000 scale (the
// percentage the window shows), before the loudness curve.
double MediaVolumeOf(int volume);
// Clamped to 0..1; not a number changes nothing.
void SetMediaVolume(PlaybackCore& core, double volume);

// What the desktop shows of the entry being heard.
struct NowPlaying {
  // A D-Bus object path that names the entry for as long as it is the same
  // text, so that a position set for one entry is not applied to another.
  std::string trackId;
  std::string title;
  std::string artist;
  std::string album;
  // From a file's tags beyond ID3v1: empty, or 0, when it has none.
  std::string albumArtist;
  std::string genre;
  int trackNumber = 0;
  // The cached copy of the file's embedded cover; empty when it has none.
  std::string artPath;
  // The file's path, or the stream's address.
  std::string location;
  bool isStream = false;
  // 0 when unknown (streams).
  std::int64_t lengthMicroseconds = 0;

  bool operator==(const NowPlaying&) const = default;
};

// The entry being heard: the current row, which moves on when a joined
// entry is first heard, or the entry loaded in the player when that row has
// left the list. Nothing before the first entry has been played. A file's
// tags are read once, when it is first asked about; its cover is copied to
// the user's cache folder then.
std::optional<NowPlaying> NowPlayingOf(const PlaybackCore& core);
// "/org/mpris/MediaPlayer2/tarvo/track/" and a hash of the entry's text.
std::string TrackIdOf(std::string_view entry);

// Whether next and previous would move: not in play-file mode, and in
// play-list mode not at the end they stop at.
bool CanGoNext(const PlaybackCore& core);
bool CanGoPrevious(const PlaybackCore& core);

// Play starts the selected entry when stopped and resumes when paused;
// Pause only pauses; PlayPause is Space, or play when stopped.
void MediaPlay(PlaybackCore& core, MediaStatus status);
void MediaPause(PlaybackCore& core, MediaStatus status);
void MediaPlayPause(PlaybackCore& core, MediaStatus status);
// The stop hotkey: stops at once and releases the device.
void MediaStop(PlaybackCore& core);
void MediaNext(PlaybackCore& core);
void MediaPrevious(PlaybackCore& core);

}  // namespace tarvo
