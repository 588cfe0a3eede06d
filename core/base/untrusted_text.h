// Texts that come from the network (stream titles, station names, header
// values) made safe to show: valid UTF-8, no control characters, bounded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvo {

// The longest network text shown in the caption, the tray hint or a field.
inline constexpr std::size_t kShownNetworkTextChars = 300;

// `text` as UTF-8 when it is valid UTF-8, else read in the user's legacy
// code page (TextFromOutside); control characters dropped; cut to at most
// `maxChars` characters, never inside a character.
std::string ShowableNetworkText(std::string_view text, std::size_t maxChars = kShownNetworkTextChars);

}  // namespace tarvo
