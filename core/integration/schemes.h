// Colour schemes: small INI files, written and exchanged by users, that set
// the playlist view's look (core.listLook), and the two built-in looks. Only
// read, never written. Window thread.
//
// A scheme file has one section "Style" with the keys named in ListLook.
// Colours are "#RRGGBB" (red, green, blue; hexadecimal in either case; the
// number sign may be left out), booleans "1" or "0", the font size a decimal
// number of points, the font name plain text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core.h"

namespace tarvo {

inline constexpr int kWindowsDefaultScheme = 0;
inline constexpr int kLovePlaylistScheme = 1;

// "#RRGGBB" in capitals.
std::string ColorToSchemeText(Color color);
// Reads an optional "#" and then a hexadecimal number whose bytes are red,
// green and blue from the highest. Nothing when the rest is empty, holds
// anything but hexadecimal digits, or is larger than 0xFFFFFF.
std::optional<Color> SchemeTextToColor(std::string_view text);

// Sets every field of core.listLook from the file at `path`; a missing file,
// section or key gives that field's default. A colour that cannot be read
// stops the scheme at its key with an error message; the fields read before
// it keep their new values. The focused row is selected again afterwards.
void ApplySchemeFile(Core& core, const std::string& path);

// 0: the desktop's own look; 1: the look of the love playlist. Any other
// number changes nothing but still selects the focused row again.
void ApplyBuiltinScheme(Core& core, int number);

// At the main window's first show: the scheme file named by the setting
// ActiveScheme, relative to the home folder, or the desktop's look when the
// setting is empty.
void ApplyActiveScheme(Core& core);

}  // namespace tarvo
