// The stored hotkeys keep virtual-key codes; X11 grabs keys by keysym. One
// table maps the one to the other.
#pragma once

#include <cstdint>

// The keysym of a virtual-key code; 0 for a code no X keyboard has.
std::uint32_t KeysymOfVirtualKey(int code);
