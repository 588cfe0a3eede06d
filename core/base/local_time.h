// The local time now as text.
#pragma once

#include <string>

namespace tarvo {

// The local time now in a strftime `format`; at most 127 bytes.
std::string LocalTimeText(const char* format);

}  // namespace tarvo
