#include "integration/saved_settings.h"

#include <algorithm>
#include <cstdlib>

#include "base/text.h"
#include "playlist/folder_scan.h"
#include "base/project_addresses.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

constexpr std::string_view kWindow = "Window";
constexpr std::string_view kPlaylist = "Playlist";
constexpr std::string_view kDirBox = "DirBox";
constexpr std::string_view kTweak = "Tweak";
constexpr std::string_view kGeneral = "General";

constexpr int kDefaultWidth = 310;
constexpr int kDefaultHeight = 370;
constexpr int kMaxVolume = 1000;

// A start with a file from the shell keeps its own, usually small, window
// so that it does not move the one of a normal start.
std::string_view BoundsSection(const Core& core) { return core.startArgument.empty() ? kWindow : "Window2"; }

void LoadWindowState(Core& core, const IniDocument& ini, int screenWidth, int screenHeight) {
  RuntimeSettings& settings = core.settings;
  const std::string_view section = BoundsSection(core);
  WindowBounds& bounds = settings.bounds;
  settings.defaultSize = !ini.Value(section, "Width") && !ini.Value(section, "Height");
  bounds.width = IniInteger(ini, section, "Width", kDefaultWidth);
  bounds.height = IniInteger(ini, section, "Height", kDefaultHeight);
  // The default position centres the size just read.
  bounds.left = IniInteger(ini, section, "Left", screenWidth / 2 - bounds.width / 2);
  bounds.top = IniInteger(ini, section, "Top", screenHeight / 2 - bounds.height / 2);
  settings.maximized = core.startArgument.empty() && IniBool(ini, kWindow, "Maximized", false);

  // The window shows or hides the play bar, the progress panel and the
  // status bar from these when it is built.
  settings.playBar = IniBool(ini, kWindow, "PlayBar", true);
  settings.progressPanel = IniBool(ini, kWindow, "ProgressPanel", true);
  settings.statusBar = IniBool(ini, kWindow, "StatusBar", true);

  // The window lays out the level meter from the style; like every time the
  // style is set, it is stored at once.
  settings.levelMeterStyle = IniInteger(ini, kWindow, "VUStyle", 1);
  WriteIniInteger(core, std::string(kWindow), "VUStyle", settings.levelMeterStyle);
}

void LoadPlaylistState(Core& core, const IniDocument& ini) {
  PlaylistState& playlist = core.playlist;
  playlist.CurrentIndex = IniInteger(ini, kPlaylist, "Track", -1);
  SetSortingWay(core, IniInteger(ini, kPlaylist, "SortingWay", 0));
  playlist.ViewFormat = IniInteger(ini, kPlaylist, "ViewFormat", 0);

  core.settings.lastBrowserFolder = IniString(ini, kDirBox, "LastOpenedDir", "");
  playlist.LastScannedFolder = core.settings.lastBrowserFolder;
  core.settings.lastBrowserRoot = IniString(ini, kDirBox, "LastOpenedDrive", "");

  playlist.MusicFolders = MusicFoldersIn(ini);

  // Quotes let a hand-written delimiter keep its leading and trailing blanks.
  playlist.RelativeDelimiter = IniString(ini, kTweak, "RelativeDelimiter", " / ");
  std::erase(playlist.RelativeDelimiter, '"');
}

void LoadGeneralState(Core& core, const IniDocument& ini) {
  RuntimeSettings& settings = core.settings;
  settings.minimizeToTray = IniBool(ini, kTweak, "minimize_to_tray", true);
  settings.softMutePercent = IniInteger(ini, kTweak, "softmute_percent", 30);
  settings.claimAssociationsAtStartup = IniBool(ini, kTweak, "claim_associations_at_startup", true);
  settings.updateServer = IniString(ini, kTweak, "update_server", kProjectWebAddress);

  settings.activeScheme = IniString(ini, kGeneral, "ActiveScheme", "");
  // The window shows the play mode from this copy.
  settings.playMode = IniInteger(ini, kGeneral, "PlayMode", 0);
  // Only a start with a file asks the deferred start-up to play.
  settings.startupPlayRequest = core.startArgument.empty() ? -1 : IniInteger(ini, kGeneral, "EnqueueOption", 0);
  // The playback engine opens its output at this volume.
  settings.volume = std::clamp(IniInteger(ini, kGeneral, "Volume", kMaxVolume), 0, kMaxVolume);
  settings.autoUpdate = IniBool(ini, kGeneral, "AutoUpdate", true);

  settings.recordTempPath = IniString(ini, kGeneral, "RecordTempPath", SystemTemporaryFolder());
  settings.cachingTime = IniInteger(ini, "Recording", "CachingTime", 120);

  // The hotkey service registers these slots once the window exists.
  for (int slot = 0; slot < kGlobalHotkeySlots; ++slot) {
    settings.globalHotkeys[static_cast<std::size_t>(slot)] =
        IniString(ini, "Global hotkeys", std::to_string(slot), "");
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
      SetIniBool(ini, kWindow, "Maximized", true);
    } else {
      const std::string_view section = BoundsSection(core);
      SetIniInteger(ini, section, "Width", settings.bounds.width);
      SetIniInteger(ini, section, "Height", settings.bounds.height);
      SetIniInteger(ini, section, "Left", settings.bounds.left);
      SetIniInteger(ini, section, "Top", settings.bounds.top);
      if (core.startArgument.empty()) SetIniBool(ini, kWindow, "Maximized", false);
    }
    const SavedRuntimeValues values = SavedRuntimeValuesOf(core);
    // An empty list has no current entry worth remembering.
    if (values.hasTrack) SetIniInteger(ini, kPlaylist, "Track", values.track);
    SetIniInteger(ini, kPlaylist, "ViewFormat", values.viewFormat);
    ini.Set(kDirBox, "LastOpenedDir", values.lastBrowserFolder);
    ini.Set(kDirBox, "LastOpenedDrive", values.lastBrowserRoot);
    SetIniInteger(ini, kGeneral, "PlayMode", values.playMode);
    SetIniInteger(ini, kGeneral, "Volume", values.volume);
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
    ini.Set(kDirBox, "LastOpenedDir", core.settings.lastBrowserFolder);
    ini.Set(kDirBox, "LastOpenedDrive", core.settings.lastBrowserRoot);
  });
}

}  // namespace tarvo
