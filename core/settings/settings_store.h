// "Tarvo.ini": its place, the single-value routines through which the rest of
// the program reads and writes one key, and the load and save of the values
// kept at run time. All routines run on the window thread; none holds the
// file open between calls.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "core.h"
#include "settings/ini_document.h"

namespace tarvo {

// The default of the last update check date: day 0, 30 December 1899.
inline constexpr std::chrono::sys_days kDayZero =
    std::chrono::sys_days(std::chrono::year(1899) / std::chrono::December / 30);

// The home folder without its trailing "/", followed by "/Tarvo.ini".
std::string SettingsFilePath(const Core& core);

// Each opens the file, does one thing and closes it. The generic readers
// return the default and the writers do nothing when the file is read-only.
int ReadIniInteger(const Core& core, const std::string& section, const std::string& key, int defaultValue);
bool ReadIniBool(const Core& core, const std::string& section, const std::string& key, bool defaultValue);
std::string ReadIniString(const Core& core, const std::string& section, const std::string& key,
                          const std::string& defaultValue);
void WriteIniInteger(const Core& core, const std::string& section, const std::string& key, int value);
void WriteIniBool(const Core& core, const std::string& section, const std::string& key, bool value);
void WriteIniString(const Core& core, const std::string& section, const std::string& key,
                    const std::string& value);
void DeleteIniKey(const Core& core, const std::string& section, const std::string& key);

// The named readers read a read-only file normally; the writers leave it alone.
int ReadEnqueueOption(const Core& core);  // default 2
void WriteEnqueueOption(const Core& core, int value);
bool ReadAssociationFlag(const Core& core, const std::string& extension);  // default false
void WriteAssociationFlag(const Core& core, const std::string& extension, bool value);
std::chrono::sys_days ReadLastVersionCheck(const Core& core);  // default kDayZero
void WriteLastVersionCheck(const Core& core, std::chrono::sys_days date);
std::string ReadLastNewVersion(const Core& core);  // default "none"
void WriteLastNewVersion(const Core& core, const std::string& version);

// $TMPDIR, else "/tmp", ending in "/": the default of `RecordTempPath`.
std::string SystemTemporaryFolder();

// Reads the whole file once and fills the run-time copies, in the stored
// order. `screenWidth` and `screenHeight` give the centring defaults.
void LoadSettings(Core& core, int screenWidth, int screenHeight);
// Reloads the file, sets the keys kept at run time and writes it back;
// `maximized` is the window's state now.
void SaveSettings(Core& core, bool maximized);
// The values SaveSettings takes from the core, all but the window's bounds
// and state: when they are equal, a save would write the same.
struct SavedRuntimeValues {
  bool hasTrack = false;
  int track = 0;
  int viewFormat = 0;
  std::string lastBrowserFolder;
  std::string lastBrowserRoot;
  int playMode = 0;
  int volume = 0;
  bool operator==(const SavedRuntimeValues&) const = default;
};
SavedRuntimeValues SavedRuntimeValuesOf(const Core& core);

// The bounds the window takes after loading: the restored ones, or left 20,
// top 20, 300 x 400 when they reach beyond the screen or have no area.
WindowBounds FitWindowBounds(const WindowBounds& bounds, int screenWidth, int screenHeight);

// `Root media`/path0, path1, ... up to the first missing or empty key, at
// most 20; each folder ends in "/". Read-only files are read normally.
void LoadMusicFolders(Core& core);
std::vector<std::string> MusicFoldersIn(const IniDocument& ini);
// Replaces the section with the whole list, and stores the folder browser's
// last folder and root with it.
void SaveMusicFolders(Core& core);

}  // namespace tarvo
