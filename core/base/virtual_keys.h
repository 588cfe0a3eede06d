// The Windows virtual-key codes and shift bits in which the core speaks of
// keys: the list's keys, the shortcuts and the stored global hotkeys all use
// them, and the window maps its own key codes to these.
#pragma once

namespace tarvo {

// Virtual-key codes the core knows.
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

}  // namespace tarvo
