// The run-time copies of the settings that the program uses all the time.
// Read once at start; the keys written at exit are written from here. The
// playlist's own copies (track, view format, sorting way, last folder, music
// folders, delimiter) live in PlaylistState.
#pragma once

#include <array>
#include <string>

#include "base/project_addresses.h"
#include "settings/replay_gain_mode.h"

namespace tarvo {

inline constexpr int kGlobalHotkeySlots = 13;

struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 310;
  int height = 370;

  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

struct RuntimeSettings {
  // Window: the normal (not maximized) bounds, refreshed by the window.
  WindowBounds bounds;
  // No size was stored: the window may widen the default one until its
  // texts fit the desktop's font.
  bool defaultSize = true;
  bool maximized = false;
  bool playBar = true;
  bool progressPanel = true;
  bool statusBar = true;
  int levelMeterStyle = 1;

  // Folder browser.
  std::string lastBrowserFolder;
  std::string lastBrowserRoot;

  // Tweak.
  bool minimizeToTray = true;
  int softMutePercent = 30;
  bool claimAssociationsAtStartup = true;
  // Where the weekly update check asks; empty switches the check off.
  std::string updateServer = kProjectWebAddress;

  // General.
  std::string activeScheme;
  int playMode = 0;
  int volume = 1000;
  bool autoUpdate = true;
  // Playback: the level files are played at; applied as each is opened.
  ReplayGainMode replayGain = ReplayGainMode::Off;
  // Set from "EnqueueOption" (default 0); -1 when there is no start argument.
  int startupPlayRequest = -1;

  // Recording.
  std::string recordTempPath;
  int cachingTime = 120;

  // Global hotkeys, one stored value per slot; empty when the slot has none.
  std::array<std::string, kGlobalHotkeySlots> globalHotkeys;
};

}  // namespace tarvo
