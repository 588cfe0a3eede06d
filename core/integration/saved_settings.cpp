#include "integration/saved_settings.h"

#include <algorithm>

#include "base/legacy_text.h"
#include "base/text.h"
#include "playlist/folder_scan.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

namespace key = setting;

constexpr int kMaxVolume = 1000;

// A start with a file from the shell keeps its own, usually small, window
// so that it does not move the one of a normal start.
std::string_view BoundsSection(const Core& core) {
  return core.startArgument.empty() ? key::kWindow : key::kWindowOfFileStart;
}

void LoadWindowState(Core& core, const IniDocument& ini, int screenWidth, int screenHeight) {
  RuntimeSettings& settings = core.settings;
  const std::string_view section = BoundsSection(core);
  WindowBounds& bounds = settings.bounds;
  settings.defaultSize = !ini.Value(section, key::kWidth.key) && !ini.Value(section, key::kHeight.key);
  bounds.width = Value(ini, InSection(key::kWidth, section));
  bounds.height = Value(ini, InSection(key::kHeight, section));
  // The default position centres the size just read.
  bounds.left = Value(ini, WithDefault(InSection(key::kLeft, section), screenWidth / 2 - bounds.width / 2));
  bounds.top = Value(ini, WithDefault(InSection(key::kTop, section), screenHeight / 2 - bounds.height / 2));
  settings.maximized = core.startArgument.empty() && Value(ini, key::kMaximized);

  // The window shows or hides the play bar, the progress panel and the
  // status bar from these when it is built.
  settings.playBar = Value(ini, key::kPlayBar);
  settings.progressPanel = Value(ini, key::kProgressPanel);
  settings.statusBar = Value(ini, key::kStatusBar);

  // The window lays out the level meter from the style; like every time the
  // style is set, it is stored at once.
  settings.levelMeterStyle = Value(ini, key::kLevelMeterStyle);
  WriteSetting(core, key::kLevelMeterStyle, settings.levelMeterStyle);
}

void LoadPlaylistState(Core& core, const IniDocument& ini) {
  PlaylistState& playlist = core.playlist;
  playlist.CurrentIndex = Value(ini, key::kTrack);
  SetSortingWay(core, Value(ini, key::kSortingWay));
  playlist.ViewFormat = Value(ini, key::kViewFormat);

  core.settings.lastBrowserFolder = Value(ini, key::kLastOpenedDir);
  playlist.LastScannedFolder = core.settings.lastBrowserFolder;
  core.settings.lastBrowserRoot = Value(ini, key::kLastOpenedDrive);

  playlist.MusicFolders = MusicFoldersIn(ini);

  // Quotes let a hand-written delimiter keep its leading and trailing blanks.
  playlist.RelativeDelimiter = Value(ini, key::kRelativeDelimiter);
  std::erase(playlist.RelativeDelimiter, '"');
}

void LoadGeneralState(Core& core, const IniDocument& ini) {
  RuntimeSettings& settings = core.settings;
  settings.minimizeToTray = Value(ini, key::kMinimizeToTray);
  settings.softMutePercent = Value(ini, key::kSoftMutePercent);
  settings.claimAssociationsAtStartup = Value(ini, key::kClaimAssociationsAtStartup);
  settings.updateServer = Value(ini, key::kUpdateServer);
  // A name iconv doesn't know leaves the locale's code page.
  ChooseLegacyCodepage(Value(ini, key::kLegacyCodepage));

  settings.activeScheme = Value(ini, key::kActiveScheme);
  // The window shows the play mode from this copy.
  settings.playMode = Value(ini, key::kPlayMode);
  // Only a start with a file asks the deferred start-up to play.
  settings.startupPlayRequest = core.startArgument.empty() ? -1 : Value(ini, WithDefault(key::kEnqueueOption, 0));
  // The playback engine opens its output at this volume.
  settings.volume = std::clamp(Value(ini, key::kVolume), 0, kMaxVolume);
  settings.autoUpdate = Value(ini, key::kAutoUpdate);
  settings.replayGain = ReplayGainModeOf(Value(ini, key::kReplayGain));

  settings.recordTempPath = Value(ini, key::kRecordTempPath);
  settings.cachingTime = Value(ini, key::kCachingTime);

  // The hotkey service registers these slots once the window exists.
  for (int slot = 0; slot < kGlobalHotkeySlots; ++slot) {
    settings.globalHotkeys[static_cast<std::size_t>(slot)] =
        IniString(ini, key::kGlobalHotkeys, std::to_string(slot), "");
  }
}

}  // namespace

// The caption is the constant kProgramCaption, which the window sets itself.
void LoadSettings(Core& core, int screenWidth, int screenHeight) {
  // Read once and looked up from memory; a read-only file is read all the
  // same, and a file that cannot be read gives every default.
  const IniDocument ini = LoadIniFile(SettingsFilePath(core)).value_or(IniDocument());
  LoadWindowState(core, ini, screenWidth, screenHeight);
  LoadPlaylistState(core, ini);
  LoadGeneralState(core, ini);
}

WindowBounds FitWindowBounds(const WindowBounds& bounds, int screenWidth, int screenHeight) {
  // A window without area could not be seen or grabbed either.
  if (bounds.left > screenWidth || bounds.top > screenHeight || bounds.width > screenWidth ||
      bounds.height > screenHeight || bounds.width <= 0 || bounds.height <= 0) {
    return WindowBounds{.left = 20, .top = 20, .width = 300, .height = 400};
  }
  return bounds;
}

void SaveSettings(Core& core, bool maximized) {
  // Reloading first keeps what was written at once while the program ran and
  // whatever the user typed into keys the program never writes.
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) {
    const RuntimeSettings& settings = core.settings;
    if (maximized) {
      // The maximized bounds are never stored; the normal ones stay as saved.
      Store(ini, key::kMaximized, true);
    } else {
      const std::string_view section = BoundsSection(core);
      Store(ini, InSection(key::kWidth, section), settings.bounds.width);
      Store(ini, InSection(key::kHeight, section), settings.bounds.height);
      Store(ini, InSection(key::kLeft, section), settings.bounds.left);
      Store(ini, InSection(key::kTop, section), settings.bounds.top);
      if (core.startArgument.empty()) Store(ini, key::kMaximized, false);
    }
    const SavedRuntimeValues values = SavedRuntimeValuesOf(core);
    // An empty list has no current entry worth remembering.
    if (values.hasTrack) Store(ini, key::kTrack, values.track);
    Store(ini, key::kViewFormat, values.viewFormat);
    Store(ini, key::kLastOpenedDir, values.lastBrowserFolder);
    Store(ini, key::kLastOpenedDrive, values.lastBrowserRoot);
    Store(ini, key::kPlayMode, values.playMode);
    Store(ini, key::kVolume, values.volume);
  });
}

SavedRuntimeValues SavedRuntimeValuesOf(const Core& core) {
  const RuntimeSettings& settings = core.settings;
  return {.hasTrack = !core.playlist.PlaylistEntries.empty(),
          .track = core.playlist.CurrentIndex,
          .viewFormat = core.playlist.ViewFormat,
          .lastBrowserFolder = settings.lastBrowserFolder,
          .lastBrowserRoot = settings.lastBrowserRoot,
          .playMode = settings.playMode,
          .volume = settings.volume};
}

void LoadMusicFolders(Core& core) {
  const std::optional<IniDocument> ini = LoadIniFile(SettingsFilePath(core));
  core.playlist.MusicFolders = ini ? MusicFoldersIn(*ini) : std::vector<std::string>();
}

void SaveMusicFolders(Core& core) {
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) {
    SetMusicFolders(ini, core.playlist.MusicFolders);
    Store(ini, key::kLastOpenedDir, core.settings.lastBrowserFolder);
    Store(ini, key::kLastOpenedDrive, core.settings.lastBrowserRoot);
  });
}

}  // namespace tarvo
