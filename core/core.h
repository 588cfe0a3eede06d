// Everything the program knows while it runs, in one place owned by the window
// thread. The routines of the core are plain functions over it; the window
// and the tests hand in the outward services.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/desktop_services.h"
#include "platform/power_off.h"
#include "platform/ui.h"
#include "platform/xdg_folders.h"
#include "playback/level_meter_state.h"
#include "playback/playback_control.h"
#include "playback/progress_state.h"
#include "playback/sequencing_state.h"
#include "playback/volume_state.h"
#include "playlist/list_view.h"
#include "playlist/playlist_state.h"
#include "settings/list_look.h"
#include "settings/runtime_settings.h"

namespace tarvo {

class PlaylistPrefetch;
class StreamRecorder;
namespace audio {
class AudioLibrary;
}

inline constexpr char kProgramCaption[] = "Tarvo 1.04b";

// Texts of the main window that the core writes and the window shows.
struct WindowTexts {
  // Status bar panels 0..3: 1 holds the file count, 3 progress and errors.
  std::array<std::string, 4> statusPanels;
  // Which of the view commands View1Ac..View3Ac is checked; -1 none.
  int checkedViewCommand = 0;
  // Which of the play-mode commands ModeAc1..ModeAc5 is checked.
  int checkedModeCommand = 0;
  // LabelVolume, and the position (0..100) of both volume bars.
  std::string labelVolume = "100 %";
  int volumeBarPosition = 100;
  // LabelTime, the window caption and the tray icon's hint.
  std::string labelTime;
  std::string caption = kProgramCaption;
  std::string trayHint;
  // The record command's caption while it differs from the table's.
  std::string recordCaption;
};

// What the core asks of the main window beyond its texts. The window acts on
// a request when it is told that the texts changed, then clears it.
struct WindowRequests {
  // The love playlist started: switch the list to the second built-in look
  // and maximize the window.
  bool loveLook = false;
  // Typing a letter or digit in the list: open the find window with this
  // search text through ShowFind (playlist/find.h), then clear it. The key
  // itself is already handled when the window sees the request.
  std::optional<std::string> findText;
};

struct Core {
  Core(Ui& ui, PlaybackControl& playback, std::string homeFolder)
      : ui(ui), playback(playback), homeFolder(std::move(homeFolder)) {}

  Ui& ui;
  PlaybackControl& playback;
  // Clipboard, trash and file manager, set by the application. Without them
  // (benchmarks) the commands that need them do nothing.
  DesktopServices* desktop = nullptr;
  // The sleep timer's power-off, set by the application only; without it
  // the timer's power-off does nothing.
  PowerOffService* powerOff = nullptr;
  // The audio layer, for asking a station its name outside playback; set by
  // the application.
  audio::AudioLibrary* audio = nullptr;
  // The recording of internet radio; set by the playback engine it taps.
  StreamRecorder* recorder = nullptr;
  // Where the settings, the autosaved playlist and the favourites live;
  // ends in "/".
  const std::string homeFolder;
  // The first command-line parameter; empty when there is none.
  std::string startArgument;
  // The full path of the running program file, and the desktop's per-user
  // folders: what the file associations write and name. Set by the
  // application; while either is empty the associations leave the desktop's
  // files alone.
  std::string programPath;
  XdgFolders xdg;
  // The autosaved playlist read ahead during start-up, when there is one.
  PlaylistPrefetch* playlistPrefetch = nullptr;

  PlaylistState playlist;
  ListViewState listView;
  WindowTexts texts;
  WindowRequests requests;
  RuntimeSettings settings;
  SequencingState sequencing;
  VolumeState volume;
  ProgressState progress;
  LevelMeterState levelMeter;
  // The playlist view's colours, font and row height, and the desktop's
  // colours and font engine they are taken from.
  ListLook listLook;
  DesktopTheme desktopTheme;
};

}  // namespace tarvo
