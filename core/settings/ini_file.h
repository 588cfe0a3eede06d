// The settings file on disk and the encodings of its values. Every rewrite
// goes through a temporary file and a rename, so a crash or a full disk never
// leaves a half-written file.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_document.h"

namespace tarvo {

// The file's content; an empty document when there is no file; nothing when
// a file is there but cannot be read, so that no writer replaces settings it
// could not see.
std::optional<IniDocument> LoadIniFile(const std::string& path);

// Loads the file, lets `change` edit it and writes it back when the change
// altered anything. A read-only or unreadable file is left alone; write
// errors are ignored.
void UpdateIniFile(const std::string& path, const std::function<void(IniDocument&)>& change);

// Integers are decimal with a leading "-" when negative; booleans are "1" and
// "0" and read as integers, any value other than 0 being true; dates are
// YYYY-MM-DD. A missing key, or a value that does not parse or does not fit,
// gives the default.
int IniInteger(const IniDocument& ini, std::string_view section, std::string_view key, int defaultValue);
bool IniBool(const IniDocument& ini, std::string_view section, std::string_view key, bool defaultValue);
std::string IniString(const IniDocument& ini, std::string_view section, std::string_view key,
                      std::string_view defaultValue);
std::chrono::sys_days IniDate(const IniDocument& ini, std::string_view section, std::string_view key,
                              std::chrono::sys_days defaultValue);

void SetIniInteger(IniDocument& ini, std::string_view section, std::string_view key, int value);
void SetIniBool(IniDocument& ini, std::string_view section, std::string_view key, bool value);
void SetIniDate(IniDocument& ini, std::string_view section, std::string_view key, std::chrono::sys_days date);

std::string FormatIsoDate(std::chrono::sys_days date);
// Exactly "YYYY-MM-DD" naming a real day; nothing otherwise.
std::optional<std::chrono::sys_days> ParseIsoDate(std::string_view text);

}  // namespace tarvo
