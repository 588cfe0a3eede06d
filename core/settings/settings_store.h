// "Tarvo.ini": its place, the single-value routines through which the rest of
// the program reads and writes one key, and the load and save of the values
// kept at run time. All routines run on the window thread; none holds the
// file open between calls.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "settings/ini_document.h"
#include "settings/settings_core.h"
#include "settings/settings_table.h"

namespace tarvo {


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

// One key of the table (settings_table.h): the readers return its default
// and the writers do nothing when the file is read-only.
int ReadSetting(const SettingsCore& core, const IntSetting& setting);
bool ReadSetting(const SettingsCore& core, const BoolSetting& setting);
std::string ReadSetting(const SettingsCore& core, const TextSetting& setting);
void WriteSetting(const SettingsCore& core, const IntSetting& setting, int value);
void WriteSetting(const SettingsCore& core, const BoolSetting& setting, bool value);
void WriteSetting(const SettingsCore& core, const TextSetting& setting, const std::string& value);

// One key of a document loaded once (start-up, exit); the default when the
// key is missing or unreadable.
int Value(const IniDocument& ini, const IntSetting& setting);
bool Value(const IniDocument& ini, const BoolSetting& setting);
std::string Value(const IniDocument& ini, const TextSetting& setting);
void Store(IniDocument& ini, const IntSetting& setting, int value);
void Store(IniDocument& ini, const BoolSetting& setting, bool value);
void Store(IniDocument& ini, const TextSetting& setting, const std::string& value);

// The named readers read a read-only file normally; the writers leave it alone.
int ReadEnqueueOption(const SettingsCore& core);  // default 2
void WriteEnqueueOption(const SettingsCore& core, int value);
bool ReadAssociationFlag(const SettingsCore& core, const std::string& extension);  // default false
void WriteAssociationFlag(const SettingsCore& core, const std::string& extension, bool value);
std::chrono::sys_days ReadLastVersionCheck(const SettingsCore& core);  // default kDayZero
void WriteLastVersionCheck(const SettingsCore& core, std::chrono::sys_days date);
std::string ReadLastNewVersion(const SettingsCore& core);  // default "none"
void WriteLastNewVersion(const SettingsCore& core, const std::string& version);


// The bounds the window takes after loading: the restored ones, or left 20,
// top 20, 300 x 400 when they reach beyond the screen or have no area.
WindowBounds FitWindowBounds(const WindowBounds& bounds, int screenWidth, int screenHeight);

// `Root media`/path0, path1, ... up to the first missing or empty key, at
// most 20; each folder ends in "/".
std::vector<std::string> MusicFoldersIn(const IniDocument& ini);
// Replaces the section with `folders`, numbered from path0.
void SetMusicFolders(IniDocument& ini, const std::vector<std::string>& folders);

}  // namespace tarvo
