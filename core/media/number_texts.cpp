#include "media/number_texts.h"

#include <clocale>
#include <cmath>
#include <cstdio>

namespace tarvo {

std::string GroupDigits(std::string_view digits, std::string_view thousands, char decimal) {
  const std::size_t point = digits.find(decimal);
  const std::string_view integer = digits.substr(0, point);
  std::string result;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    const std::size_t fromEnd = integer.size() - i;
    if (i > 0 && fromEnd % 3 == 0) result.append(thousands);
    result.push_back(integer[i]);
  }
  if (point != std::string_view::npos) result.append(digits.substr(point));
  return result;
}

std::string GroupDigits(std::string_view digits) {
  const std::lconv* locale = std::localeconv();
  std::string_view thousands = locale->thousands_sep ? locale->thousands_sep : "";
  if (thousands.empty()) thousands = ",";
  const char decimal = locale->decimal_point && *locale->decimal_point ? *locale->decimal_point : '.';
  return GroupDigits(digits, thousands, decimal);
}

std::string FormatBytesMB(int decimals, std::int64_t bytes) {
  const double scale = std::pow(10.0, decimals);
  const double megabytes = std::trunc(static_cast<double>(bytes) / 1048576.0 * scale + 0.5) / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", megabytes);
  return GroupDigits(text);
}

std::string FormatDurationMs(std::int64_t milliseconds) {
  char text[48];
  std::snprintf(text, sizeof text, "%lld:%02lld:%03lld", static_cast<long long>(milliseconds / 60000),
                static_cast<long long>(milliseconds / 1000 % 60), static_cast<long long>(milliseconds % 1000));
  return text;
}

}  // namespace tarvo
