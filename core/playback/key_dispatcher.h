// DispatchKeyCommand: the one routine through which the list's keys, the
// playback commands, the play bar, the tray menu and the global hotkeys run.
// Keys are virtual-key codes with a shift state of Shift 1, Alt 2, Ctrl 4;
// the window maps its own key codes to these. Window thread only.
#pragma once

#include "base/virtual_keys.h"
#include "playback/playback_core.h"

namespace tarvo {

// Runs the command of `key` with `shift`. True when the key was consumed:
// the list then skips its own handling and the character the key would type.
// A key arriving while a command runs is not handled and goes to the list.
bool DispatchKeyCommand(PlaybackCore& core, int key, int shift);

// Enter: plays the focused row, or resumes it when it is the paused entry.
// On an empty list it asks for files first (OpenFileAc) and plays the first
// entry when some were added.
void PlaySelected(PlaybackCore& core);

// The global hotkeys of slots 0..7: play, play/pause, stop, next, previous,
// volume up, volume down, soft mute. False for the other slots, whose
// actions (focus, exit, find, open folder, copy title) are the window's.
bool DispatchGlobalHotkey(PlaybackCore& core, int slot);

// The play/pause button of the play bar: pauses or resumes the loaded entry
// while the device is open, otherwise plays the focused row.
void PlayOrPause(PlaybackCore& core);

// The stop button of the play bar and the tray: the stop key pressed twice,
// so playback ends at once and the device is released.
void StopNow(PlaybackCore& core);

// Ctrl+A: selects every row, keeping the focused row and the scroll position.
void SelectAllRows(PlaybackCore& core);

}  // namespace tarvo
