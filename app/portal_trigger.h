// A stored hotkey as the desktop portal takes it: the portal's shortcut
// text, modifiers (LOGO, CTRL, ALT, SHIFT) and an XKB key name joined by "+",
// as in "CTRL+SHIFT+p".
#pragma once

#include <string>

#include "integration/global_hotkeys.h"

// Empty when the key code is on no keyboard (no key name to give).
std::string PortalTrigger(const tarvo::HotkeyCombination& combination);
