// DispatchKeyCommand: the one routine through which the list's keys, the
// playback commands, the play bar, the tray menu and the global hotkeys run.
// Keys are virtual-key codes with a shift state of Shift 1, Alt 2, Ctrl 4;
// the window maps its own key codes to these. Window thread only.
#pragma once

#include "core.h"

namespace tarvo {

// Virtual-key codes the dispatcher knows.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyPause = 19;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKey1 = 49;
inline constexpr int kKey9 = 57;
inline constexpr int kKeyA = 65;
inline constexpr int kKeyZ = 90;
inline constexpr int kKeyNumpad0 = 96;
inline constexpr int kKeyNumpad1 = 97;
inline constexpr int kKeyNumpad3 = 99;
inline constexpr int kKeyNumpad7 = 103;
inline constexpr int kKeyNumpadAdd = 107;
inline constexpr int kKeyNumpadSubtract = 109;
inline constexpr int kKeyEquals = 187;
inline constexpr int kKeyMinus = 189;
inline constexpr int kKeyBackQuote = 192;

// Shift state bits; the dispatcher compares the whole value.
inline constexpr int kNoModifier = 0;
inline constexpr int kShiftModifier = 1;
inline constexpr int kAltModifier = 2;
inline constexpr int kCtrlModifier = 4;

// Runs the command of `key` with `shift`. True when the key was consumed:
// the list then skips its own handling and the character the key would type.
// A key arriving while a command runs is not handled and goes to the list.
bool DispatchKeyCommand(Core& core, int key, int shift);

// Enter: plays the focused row, or resumes it when it is the paused entry.
// On an empty list it asks for files first (OpenFileAc) and plays the first
// entry when some were added.
void PlaySelected(Core& core);

// The global hotkeys of slots 0..7: play, play/pause, stop, next, previous,
// volume up, volume down, soft mute. False for the other slots, whose
// actions (focus, exit, find, open folder, copy title) are the window's.
bool DispatchGlobalHotkey(Core& core, int slot);

// Ctrl+A: selects every row, keeping the focused row and the scroll position.
void SelectAllRows(Core& core);

}  // namespace tarvo
