// The keys a standard extended-selection list box handles by itself, over
// the core's list-view state: the arrows, Page Up, Page Down, Home and End
// move the focus; alone they select the focused row alone, with Shift they
// select the range from the anchor, with Ctrl they move only the focus, and
// with Ctrl+Shift they add the range to the selection. Ctrl+Space toggles
// the focused row. The window hands a key here when the key dispatcher left
// it unhandled. Window thread only.
#pragma once

#include "playlist/playlist_core.h"

namespace tarvo {

// Virtual-key codes of the list's own keys.
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;

// True when `key` with `shift` (Shift 1, Alt 2, Ctrl 4) is a list key and
// was acted on; the window then swallows it.
bool ListKeyDown(PlaylistCore& core, int key, int shift);

}  // namespace tarvo
