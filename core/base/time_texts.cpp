#include "base/time_texts.h"

#include <cstdio>

namespace tarvo {

std::string FormatTime(std::int64_t milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(milliseconds / 60000),
                static_cast<long long>(milliseconds % 60000 / 1000));
  return text;
}

std::string FormatTimeHundredths(std::int64_t milliseconds) {
  char text[8];
  std::snprintf(text, sizeof text, ":%02lld", static_cast<long long>(milliseconds % 60000 % 1000 / 10));
  return FormatTime(milliseconds) + text;
}

std::string TimeLabelText(std::int64_t elapsed, std::int64_t length, bool hundredths, const std::string& marker) {
  const auto format = hundredths ? FormatTimeHundredths : FormatTime;
  return format(elapsed) + marker + " / " + format(length) + " / -" + format(length - elapsed);
}

// The texts divide with truncation, and nested truncating divisions by 10,
// 1000 and 60000 all follow from the count of the smallest unit shown.
TimeLabelKey TimeLabelKeyOf(std::int64_t elapsed, std::int64_t length, bool hundredths) {
  const std::int64_t unit = hundredths ? 10 : 1000;
  return {elapsed / unit, (length - elapsed) / unit, length, hundredths};
}

}  // namespace tarvo
