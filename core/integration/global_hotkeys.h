// The global hotkeys as the settings file keeps them: the 13 functions, the
// stored value of a combination ("0101-80": Windows, Ctrl, Alt, Shift flags,
// "-", a virtual-key code in decimal) in section "Global hotkeys" under the
// slot number, its display text, and the rule that binds a combination to a
// function, and their registration with the system. Window thread.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core.h"
#include "platform/hotkey_grabs.h"
#include "settings/runtime_settings.h"
#include "settings/settings_table.h"

namespace tarvo {


// The function names by slot, shown in the list and in error messages.
inline constexpr std::array<std::string_view, kGlobalHotkeySlots> HotkeyFunctions{
    "Play",        "Play/Pause",  "Stop",     "Next track",   "Previous track",    "Volume up", "Volume down",
    "Soft mute",   "Focus Tarvo", "Exit Tarvo", "Find box",   "Open dir box",      "Copy playing title",
};

// The slots the window serves itself; 0..7 go to the key dispatcher.
inline constexpr int kHotkeyFocusTarvo = 8;
inline constexpr int kHotkeyExitTarvo = 9;
inline constexpr int kHotkeyFindBox = 10;
inline constexpr int kHotkeyOpenDirBox = 11;
inline constexpr int kHotkeyCopyPlayingTitle = 12;

struct HotkeyCombination {
  bool windows = false;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  // A virtual-key code; 0 is no key.
  int keyCode = 0;

  friend bool operator==(const HotkeyCombination&, const HotkeyCombination&) = default;
};

// The combination of a stored value; nothing when the slot is not bound: a
// value of five characters or fewer, or a key code that is not a decimal
// number from 1 to 255. A flag is set by "1" alone; position 5 is not read.
std::optional<HotkeyCombination> ParseHotkeyValue(std::string_view value);
// The value as it is written: "1" or "0" per flag, "-", the code in decimal.
std::string HotkeyValueText(const HotkeyCombination& combination);
// "Winkey + ", "Ctrl + ", "Alt + ", "Shift + " for the flags, then the key's
// name; a modifier key alone has no name, so Shift alone reads "Shift + ".
std::string HotkeyText(const HotkeyCombination& combination);

// The stored values of slots 0..12, read from the file at once; empty for a
// slot without a key.
std::array<std::string, kGlobalHotkeySlots> StoredHotkeyValues(const Core& core);
// One row per slot: the name, then a tab, a blank and the key's text when
// the slot is bound.
std::array<std::string, kGlobalHotkeySlots> HotkeyListRows(const std::array<std::string, kGlobalHotkeySlots>& values);

// Binds `combination` to `slot`. A modifier key alone stores nothing; no key
// (key code 0) removes the slot's key; any other key is taken from every slot
// that holds the same value first, so a combination runs one function only.
void BindHotkey(const Core& core, int slot, const HotkeyCombination& combination);

// The message naming a slot (0..12) the system did not register.
std::string HotkeyRefusedText(int slot);

// Registers every bound slot from the file; a slot that is not bound is
// skipped. With `reportFailures`, each slot the system refuses is named in a
// message; without, refusals are silent (at start). The slots stay stored.
void RegisterGlobalHotkeys(Core& core, HotkeyGrabs& grabs, bool reportFailures);
void UnregisterGlobalHotkeys(HotkeyGrabs& grabs);

}  // namespace tarvo
