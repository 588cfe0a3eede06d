// What plays next: the five play modes, next and previous through the queue,
// the play mode and the shuffle history, the bookkeeping when an entry
// starts, and the jump and love-playlist commands. Entries are compared as
// whole strings, exactly.
//
// Everything runs on the window thread, except PickNextIndex (and through it
// PickShuffleIndex), which the audio thread also calls at a gapless join with
// the engine's lock held.
#pragma once

#include <string>
#include <vector>

#include "playback/playback_core.h"

namespace tarvo {

// Values of the `PlayMode` setting.
inline constexpr int kRepeatListMode = 0;
inline constexpr int kRepeatFileMode = 1;
inline constexpr int kPlayListMode = 2;   // stops at the end of the list
inline constexpr int kPlayFileMode = 3;   // stops after the entry
inline constexpr int kShuffleMode = 4;
inline constexpr int kPlayModeCount = 5;

// Puts `entry` in slot 0 and moves the others down, dropping slot 9; an entry
// already in slots 0..9 changes nothing (it does not move to the front).
void RingPush(RecentRing& ring, const std::string& entry);
// The entry before the most recent one (slot 1) when it is still in the list;
// the ring then moves up by one. Otherwise empty, and the ring is unchanged.
std::string RingPop(RecentRing& ring, const std::vector<std::string>& entries);

// The index to play after (or, `backwards`, before) the current entry, by the
// queue, the recorded queued entries, the play mode and the shuffle history;
// -1 when there is none. Probes candidates and passes over those that fail,
// and over internet streams: they play only when chosen directly.
int PickNextIndex(PlaybackCore& core, bool backwards);
// A uniformly drawn index among the entries not in the shuffle history; when
// every entry is in it, the history is emptied and the draw is from all.
int PickShuffleIndex(PlaybackCore& core);

// History bookkeeping when an entry has started: in shuffle mode it enters
// the shuffle history and RecentPlayed; when it was queued it leaves the queue
// and enters RecentQueued.
void RecordStartedEntry(PlaybackCore& core, const std::string& entry);
// The same after a gapless join, where the pick already took the entry off
// the queue: only the shuffle part.
void RecordJoinedEntry(PlaybackCore& core, const std::string& entry);

// Shows the play mode in status panel 2 and checks its command; empties the
// queue and the shuffle history, so that every mode change starts afresh.
void ShowPlayMode(PlaybackCore& core);
// ModeAc1..ModeAc5 with `mode` 0..4.
void SetPlayMode(PlaybackCore& core, int mode);
// PlayModeToggleAc (forwards, 4 wraps to 0) and the clicks on the mode panel
// (the right button backwards, 0 wraps to 4).
void CyclePlayMode(PlaybackCore& core, bool backwards);

// Next or previous entry. A paused player moves and stays paused.
void Step(PlaybackCore& core, bool backwards);

// Scrolls to the playing row and selects it; tells the user when the playing
// entry is no longer in the list.
void JumpToPlaying(PlaybackCore& core);

// "love.txt" in the home folder.
std::string LoveListFile(const PlaybackCore& core);
// Replaces the list with the love playlist and shuffles it at full volume;
// asks the window for the love look. Explains where to save one when there
// is none.
void PlayLoveList(PlaybackCore& core);

}  // namespace tarvo
