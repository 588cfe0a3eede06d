#include "settings/ini_file.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>

#include "base/text.h"
#include "platform/file_io.h"

namespace tarvo {

std::optional<IniDocument> LoadIniFile(const std::string& path) {
  if (const std::optional<std::string> contents = ReadWholeFile(path)) return IniDocument(*contents);
  // Something is there (a folder, a dangling link, a file we may not read):
  // writing over it would throw the user's settings away.
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) return std::nullopt;
  return IniDocument();
}

void UpdateIniFile(const std::string& path, const std::function<void(IniDocument&)>& change) {
  if (IsReadOnlyFile(path)) return;
  std::optional<IniDocument> ini = LoadIniFile(path);
  if (!ini) return;
  change(*ini);
  if (ini->Modified()) WriteFileAtomically(path, ini->Text());
}

int IniInteger(const IniDocument& ini, std::string_view section, std::string_view key, int defaultValue) {
  const std::optional<std::string_view> text = ini.Value(section, key);
  long long value = 0;
  if (!text || !ParseInteger(*text, value)) return defaultValue;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return defaultValue;
  return static_cast<int>(value);
}

bool IniBool(const IniDocument& ini, std::string_view section, std::string_view key, bool defaultValue) {
  return IniInteger(ini, section, key, defaultValue ? 1 : 0) != 0;
}

std::string IniString(const IniDocument& ini, std::string_view section, std::string_view key,
                      std::string_view defaultValue) {
  return std::string(ini.Value(section, key).value_or(defaultValue));
}

std::chrono::sys_days IniDate(const IniDocument& ini, std::string_view section, std::string_view key,
                              std::chrono::sys_days defaultValue) {
  const std::optional<std::string_view> text = ini.Value(section, key);
  if (!text) return defaultValue;
  return ParseIsoDate(*text).value_or(defaultValue);
}

void SetIniInteger(IniDocument& ini, std::string_view section, std::string_view key, int value) {
  ini.Set(section, key, std::to_string(value));
}

void SetIniBool(IniDocument& ini, std::string_view section, std::string_view key, bool value) {
  ini.Set(section, key, value ? "1" : "0");
}

void SetIniDate(IniDocument& ini, std::string_view section, std::string_view key, std::chrono::sys_days date) {
  ini.Set(section, key, FormatIsoDate(date));
}

std::string FormatIsoDate(std::chrono::sys_days date) {
  const std::chrono::year_month_day day(date);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

std::optional<std::chrono::sys_days> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto number = [&](std::size_t from, std::size_t length) -> std::optional<int> {
    int value = 0;
    const char* first = text.data() + from;
    const char* last = first + length;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || *first < '0' || *first > '9') return std::nullopt;
    return value;
  };
  const std::optional<int> year = number(0, 4);
  const std::optional<int> month = number(5, 2);
  const std::optional<int> day = number(8, 2);
  if (!year || !month || !day) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                                         std::chrono::day(static_cast<unsigned>(*day))};
  if (!date.ok()) return std::nullopt;
  return std::chrono::sys_days(date);
}

}  // namespace tarvo
