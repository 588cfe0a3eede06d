// The time texts of the seek bar and LabelTime.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

// "m:ss": minutes without leading zeros, two-digit seconds.
std::string FormatTime(std::int64_t milliseconds);
// "m:ss:hh" with hundredths.
std::string FormatTimeHundredths(std::int64_t milliseconds);

// elapsed " / " length " / -" remaining, for example "1:05 / 3:20 / -2:15";
// `marker` goes after the elapsed time ("*" after a total rewind).
std::string TimeLabelText(std::int64_t elapsed, std::int64_t length, bool hundredths, const std::string& marker = "");

// What TimeLabelText without a marker is made of: the elapsed and remaining
// times in the units shown (seconds, or hundredths), the length and the
// format. Equal keys give equal texts, so a tick need not format the text
// again while the key stays.
struct TimeLabelKey {
  std::int64_t elapsedUnits = 0;
  std::int64_t remainingUnits = 0;
  std::int64_t length = 0;
  bool hundredths = false;
  bool operator==(const TimeLabelKey&) const = default;
};
TimeLabelKey TimeLabelKeyOf(std::int64_t elapsed, std::int64_t length, bool hundredths);

}  // namespace tarvo
