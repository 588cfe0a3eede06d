// Qt's keys in the core's language: the virtual-key codes and shift bits
// (Shift 1, Alt 2, Ctrl 4) the key dispatcher and the stored hotkeys use.
#pragma once

class QKeyEvent;

// The key's virtual-key code; 0 for a key that has none here.
int VirtualKeyOf(const QKeyEvent& event);
// Shift 1, Alt 2, Ctrl 4, added up.
int ShiftStateOf(const QKeyEvent& event);
