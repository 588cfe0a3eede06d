// Every key of "Tarvo.ini" with its section, type and default, in one table.
// The program reads and writes a key only through its entry here: the
// single-value routines of settings_store.h for one key at a time, Value and
// Store below for a document loaded once (start-up, exit).
//
// Keys that come in families have their section here and their keys made
// where they are used: the music folders ("Root media", path0..path19), the
// global hotkeys ("Global hotkeys", slot 0..15), the file associations
// ("Associations", one flag per extension). The colour schemes are files of
// their own (integration/schemes).
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>

#include "base/project_addresses.h"

namespace tarvo {

template <typename T>
struct Setting {
  std::string_view section;
  std::string_view key;
  T defaultValue;
};
using IntSetting = Setting<int>;
using BoolSetting = Setting<bool>;
using TextSetting = Setting<std::string>;
using DateSetting = Setting<std::chrono::sys_days>;

// $TMPDIR, else "/tmp", ending in "/": the default of `RecordTempPath`.
std::string SystemTemporaryFolder();

// The default of the last update check date: day 0, 30 December 1899.
inline constexpr std::chrono::sys_days kDayZero =
    std::chrono::sys_days(std::chrono::year(1899) / std::chrono::December / 30);

namespace setting {

inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kWindow = "Window";
// The window's bounds of a start with a file from the shell.
inline constexpr std::string_view kWindowOfFileStart = "Window2";
inline constexpr std::string_view kPlaylist = "Playlist";
inline constexpr std::string_view kDirBox = "DirBox";
inline constexpr std::string_view kTweak = "Tweak";
inline constexpr std::string_view kRecording = "Recording";
inline constexpr std::string_view kMusicFolders = "Root media";
inline constexpr std::string_view kGlobalHotkeys = "Global hotkeys";
inline constexpr std::string_view kAssociations = "Associations";
inline constexpr std::string_view kPlayback = "Playback";

// The main window. Its bounds are kept in kWindow, or kWindowOfFileStart;
// the default position centres the window on the screen.
inline const IntSetting kWidth{kWindow, "Width", 310};
inline const IntSetting kHeight{kWindow, "Height", 370};
inline const IntSetting kLeft{kWindow, "Left", 0};
inline const IntSetting kTop{kWindow, "Top", 0};
inline const BoolSetting kMaximized{kWindow, "Maximized", false};
inline const BoolSetting kPlayBar{kWindow, "PlayBar", true};
inline const BoolSetting kProgressPanel{kWindow, "ProgressPanel", true};
inline const BoolSetting kStatusBar{kWindow, "StatusBar", true};
inline const BoolSetting kCaptionBar{kWindow, "CaptionBar", true};
inline const IntSetting kLevelMeterStyle{kWindow, "VUStyle", 1};

// The playlist.
inline const IntSetting kTrack{kPlaylist, "Track", -1};
inline const IntSetting kSortingWay{kPlaylist, "SortingWay", 0};
inline const IntSetting kViewFormat{kPlaylist, "ViewFormat", 0};

// The folder browser.
inline const TextSetting kLastOpenedDir{kDirBox, "LastOpenedDir", ""};
inline const TextSetting kLastOpenedDrive{kDirBox, "LastOpenedDrive", ""};

// Keys only read, for editing by hand.
inline const TextSetting kRelativeDelimiter{kTweak, "RelativeDelimiter", " / "};
inline const BoolSetting kMinimizeToTray{kTweak, "minimize_to_tray", true};
inline const IntSetting kSoftMutePercent{kTweak, "softmute_percent", 30};
inline const BoolSetting kClaimAssociationsAtStartup{kTweak, "claim_associations_at_startup", true};
inline const TextSetting kUpdateServer{kTweak, "update_server", kProjectWebAddress};
// The code page of text from outside that is not UTF-8 (any iconv name);
// empty: the locale's.
inline const TextSetting kLegacyCodepage{kTweak, "LegacyCodepage", ""};
// The window's language: "ko" or "en"; empty: the locale's.
inline const TextSetting kLanguage{kTweak, "Language", ""};
inline const TextSetting kActiveScheme{kGeneral, "ActiveScheme", ""};
inline const IntSetting kCachingTime{kRecording, "CachingTime", 120};

// General: playback, opening files, the update check, the preferences.
inline const IntSetting kPlayMode{kGeneral, "PlayMode", 0};
inline const IntSetting kVolume{kGeneral, "Volume", 1000};
inline const IntSetting kDevice{kGeneral, "Device", 1};
// "off", "track" or "album": which gain tags level the files played.
inline const TextSetting kReplayGain{kPlayback, "ReplayGain", "off"};
// What opening a file from the shell does; read once at start with the
// default 0 as well (the start-up play request).
inline const IntSetting kEnqueueOption{kGeneral, "EnqueueOption", 2};
inline const BoolSetting kMultipleInstances{kGeneral, "MultipleInstances", false};
inline const BoolSetting kAutoUpdate{kGeneral, "AutoUpdate", true};
inline const DateSetting kLastVersionCheck{kGeneral, "lastversioncheck", kDayZero};
inline const TextSetting kLastNewVersion{kGeneral, "lastnewversion", "none"};
inline const IntSetting kPreferencesHistory{kGeneral, "PreferencesHistory", 0};
inline const TextSetting kAddFilesFolder{kGeneral, "AddFilesFolder", ""};
inline const TextSetting kPlaylistFolder{kGeneral, "PlaylistFolder", ""};

// Recording internet radio. The preferences show an empty field while
// RecordTempPath is not stored.
inline const TextSetting kRecordTempPath{kGeneral, "RecordTempPath", SystemTemporaryFolder()};
inline const IntSetting kRecordSecAhead{kGeneral, "RecordSecAhead", 120};
inline const BoolSetting kRecordAhead{kGeneral, "RecordAhead", false};

}  // namespace setting

// The same key in another section (the window's bounds of a file start).
template <typename T>
Setting<T> InSection(const Setting<T>& setting, std::string_view section) {
  return {section, setting.key, setting.defaultValue};
}

// The same key read with another default, where one reader needs its own
// (the start-up play request, the preferences' empty folder field).
template <typename T>
Setting<T> WithDefault(const Setting<T>& setting, T defaultValue) {
  return {setting.section, setting.key, std::move(defaultValue)};
}

}  // namespace tarvo
