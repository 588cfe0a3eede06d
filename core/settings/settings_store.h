// "Tarvo.ini": its place, the single-value routines through which the rest of
// the program reads and writes one key, and the load and save of the values
// kept at run time. All routines run on the window thread; none holds the
// file open between calls.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "settings/settings_core.h"
#include "settings/ini_document.h"

namespace tarvo {

// The default of the last update check date: day 0, 30 December 1899.
inline constexpr std::chrono::sys_days kDayZero =
    std::chrono::sys_days(std::chrono::year(1899) / std::chrono::December / 30);

// The home folder without its trailing "/", followed by "/Tarvo.ini".
std::string SettingsFilePath(const SettingsCore& core);

// Each opens the file, does one thing and closes it. The generic readers
// return the default and the writers do nothing when the file is read-only.
int ReadIniInteger(const SettingsCore& core, const std::string& section, const std::string& key, int defaultValue);
bool ReadIniBool(const SettingsCore& core, const std::string& section, const std::string& key, bool defaultValue);
std::string ReadIniString(const SettingsCore& core, const std::string& section, const std::string& key,
                          const std::string& defaultValue);
void WriteIniInteger(const SettingsCore& core, const std::string& section, const std::string& key, int value);
void WriteIniBool(const SettingsCore& core, const std::string& section, const std::string& key, bool value);
void WriteIniString(const SettingsCore& core, const std::string& section, const std::string& key,
                    const std::string& value);
void DeleteIniKey(const SettingsCore& core, const std::string& section, const std::string& key);

// The named readers read a read-only file normally; the writers leave it alone.
int ReadEnqueueOption(const SettingsCore& core);  // default 2
void WriteEnqueueOption(const SettingsCore& core, int value);
bool ReadAssociationFlag(const SettingsCore& core, const std::string& extension);  // default false
void WriteAssociationFlag(const SettingsCore& core, const std::string& extension, bool value);
std::chrono::sys_days ReadLastVersionCheck(const SettingsCore& core);  // default kDayZero
void WriteLastVersionCheck(const SettingsCore& core, std::chrono::sys_days date);
std::string ReadLastNewVersion(const SettingsCore& core);  // default "none"
void WriteLastNewVersion(const SettingsCore& core, const std::string& version);

// $TMPDIR, else "/tmp", ending in "/": the default of `RecordTempPath`.
std::string SystemTemporaryFolder();

// The bounds the window takes after loading: the restored ones, or left 20,
// top 20, 300 x 400 when they reach beyond the screen or have no area.
WindowBounds FitWindowBounds(const WindowBounds& bounds, int screenWidth, int screenHeight);

// `Root media`/path0, path1, ... up to the first missing or empty key, at
// most 20; each folder ends in "/".
std::vector<std::string> MusicFoldersIn(const IniDocument& ini);
// Replaces the section with `folders`, numbered from path0.
void SetMusicFolders(IniDocument& ini, const std::vector<std::string>& folders);

}  // namespace tarvo
