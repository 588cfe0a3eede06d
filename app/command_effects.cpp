#include "app/command_effects.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include "app/command_table.h"
#include "app/dir_form.h"
#include "app/favorites_form.h"
#include "app/favorites_menu.h"
#include "app/find_form.h"
#include "app/info_commands.h"
#include "app/lazy_window.h"
#include "app/main_window.h"
#include "app/timer_form.h"
#include "app/tray_icon.h"
#include "audio/output_choice.h"
#include "integration/favorites.h"
#include "integration/music_folder_choice.h"
#include "platform/pulse_mixer.h"
#include "playback/key_dispatcher.h"
#include "playback/level_meter.h"
#include "playback/sequencing.h"
#include "playback/volume.h"
#include "playlist/editing.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "playlist/playlist_commands.h"
#include "radio/radio_commands.h"
#include "radio/stream_recorder.h"
#include "settings/settings_store.h"

namespace {

using namespace tarvo;

// Commands that run one key through the dispatcher.
void ConnectDispatcherKeys(Core& core, CommandTable& commands) {
  const struct {
    CommandId id;
    int key;
    int shift;
  } keys[] = {
      {CommandId::DeleteAc, kKeyDelete, kNoModifier}, {CommandId::JumpAc, kKeyBackQuote, kNoModifier},
      {CommandId::PlayAc, kKeyEnter, kNoModifier},    {CommandId::PauseAc, kKeySpace, kNoModifier},
      {CommandId::StopAc, kKeyNumpad0, kNoModifier},  {CommandId::NextAc, kKeyTab, kNoModifier},
      {CommandId::PrevAc, kKeyTab, kShiftModifier},   {CommandId::TerugspoelenAc, kKeyBackspace, kNoModifier},
  };
  for (const auto& [id, key, shift] : keys) {
    commands.Connect(id, [&core, key = key, shift = shift] { DispatchKeyCommand(core, key, shift); });
  }
}

void ConnectPlayModes(Core& core, CommandTable& commands) {
  for (int mode = 0; mode < kPlayModeCount; ++mode) {
    commands.Connect(PlayModeCommand(mode), [&core, mode] { SetPlayMode(core, mode); });
  }
  commands.Connect(CommandId::PlayModeToggleAc, [&core] { CyclePlayMode(core, false); });
}

void ConnectViews(Core& core, CommandTable& commands, TAppTarvo& window) {
  commands.Connect(CommandId::View1Ac, [&core] { SetViewFormat(core, 0); });
  commands.Connect(CommandId::View2Ac, [&core] { SetViewFormat(core, 1); });
  commands.Connect(CommandId::View3Ac, [&core] {
    // The relative style is shown whether or not a folder was chosen.
    if (core.playlist.MusicFolders.empty()) {
      ShowMessageBox(core, MessageKind::Information,
                     "Before you start viewing in relative path style, please set your music folder first.");
      ChooseMusicFolder(core);
    }
    SetViewFormat(core, 2);
  });
  commands.Connect(CommandId::ViewFormatPathAc, [&core] { CycleViewFormat(core); });
  commands.Connect(CommandId::ViewPlayBarAc, [&core, &window] {
    window.SetPlayBarShown(!core.settings.playBar);
    WriteSetting(core, setting::kPlayBar, core.settings.playBar);
  });
  commands.Connect(CommandId::ViewProgressPanelAc, [&core, &window] {
    window.SetProgressPanelShown(!core.settings.progressPanel);
    WriteSetting(core, setting::kProgressPanel, core.settings.progressPanel);
  });
}

// Ends the program as closing the main window does; the settings and the
// playlist are saved on the way out.
void CloseProgram(TAppTarvo& window) {
  // From the tray the window is hidden, and closing a hidden window would not
  // end the program.
  const bool hidden = !window.isVisible();
  window.close();
  if (hidden) QCoreApplication::quit();
}

void ConnectWindowCommands(Core& core, CommandTable& commands, TAppTarvo& window, const CommandHelpers& helpers) {
  commands.Connect(CommandId::EscAc, [&core, &window, find = helpers.find] {
    if (find->CloseIfShown()) return;
    core.playlist.AbortRequested = true;
    // A running scan or time count sees the request and asks whether to abort.
    if (core.playlist.ScanInProgress) return;
    if (core.recorder && EntryKindOf(core.playlist.PlayingEntry) == EntryKind::Stream) {
      core.recorder->FinishRecording(core);
    }
    CloseProgram(window);
  });
  commands.Connect(CommandId::MinimizeAc, [tray = helpers.tray] { tray->Minimize(); });
  commands.Connect(CommandId::MaximizeAc, [&window] {
    if (window.windowState() == Qt::WindowNoState) {
      window.showMaximized();
    } else {
      window.showNormal();
    }
  });
  commands.Connect(CommandId::FindAc, [find = helpers.find] { find->Open(""); });
}

// The playlist editing commands and the desktop's clipboard, trash and file
// manager.
void ConnectEditing(Core& core, CommandTable& commands) {
  const struct {
    CommandId id;
    void (*run)(PlaylistCore&);
  } editing[] = {
      {CommandId::OpenFileAc, OpenFileAc},
      {CommandId::RealDelAc, RealDelAc},
      {CommandId::ExplorerFile, ExplorerFile},
      {CommandId::ExplorerExe, ExplorerExe},
      {CommandId::RefreshAc, RefreshAc},
      {CommandId::CropAc, CropAc},
      {CommandId::BrokenFilesAc, BrokenFilesAc},
      {CommandId::CutAc, CutAc},
      {CommandId::CopyAc, CopyAc},
      {CommandId::PastAc, PastAc},
      {CommandId::ListEntryAc, ListEntryAc},
      {CommandId::NewListAc, NewListAc},
      {CommandId::ClearShuffleHistoryAc, ClearShuffleHistoryAc},
      {CommandId::TotalTimeAc, TotalTimeAc},
      {CommandId::CopyPlAc, CopyPlAc},
  };
  for (const auto& [id, run] : editing) {
    commands.Connect(id, [&core, run = run] { run(core); });
  }
}

// The favourites commands; the organiser is made at its first use and kept.
void ConnectFavorites(Core& core, CommandTable& commands, TAppTarvo& window, FavoritesMenu& menu) {
  commands.Connect(CommandId::FavoritesAddAc, [&core, &menu] {
    if (FavoritesAddAc(core)) menu.Rebuild();
  });
  auto organizer = std::make_shared<LazyWindow<TFavorites_Form>>([&core, &window] {
    return new TFavorites_Form(core, &window);
  });
  commands.Connect(CommandId::FavoritesOrganize, [&menu, organizer] {
    (*organizer)->exec();
    menu.Rebuild();
  });
}

// The sleep timer's window, made at its first use and kept, so that the
// shutdown choice lasts for the program's run.
void ConnectSleepTimer(Core& core, CommandTable& commands, TAppTarvo& window) {
  auto timer = std::make_shared<LazyWindow<TTimer_Form>>([&core, &window] {
    return new TTimer_Form(core, [&window] { CloseProgram(window); }, &window);
  });
  commands.Connect(CommandId::SleepTimerAc, [timer] { (*timer)->exec(); });
}

}  // namespace

void ResetSystemMixer() {
  const audio::OutputChoice output = audio::OutputChoiceFromEnvironment();
  if (output.kind == audio::OutputChoice::Kind::Pulse) ResetPulseMixer(output.argument);
}

CommandHelpers ConnectCommandEffects(Core& core, TAppTarvo& window) {
  auto* favoritesMenu = window.menuBar()->findChild<QMenu*>(QStringLiteral("FavoritesMenu"));
  const CommandHelpers helpers{new FindWindowOpener(core, window), new TrayIcon(core, window),
                               new FavoritesMenu(core, *favoritesMenu), new InfoCommands(core, window)};
  CommandTable& commands = window.Commands();
  ConnectDispatcherKeys(core, commands);
  ConnectPlayModes(core, commands);
  ConnectViews(core, commands, window);
  ConnectWindowCommands(core, commands, window, helpers);
  ConnectEditing(core, commands);
  ConnectFavorites(core, commands, window, *helpers.favorites);
  ConnectSleepTimer(core, commands, window);
  commands.Connect(CommandId::OpenDirAc, [&core, &window] { OpenFolderDialog(core, &window, true); });
  commands.Connect(CommandId::AddDirAc, [&core, &window] { OpenFolderDialog(core, &window, false); });
  commands.Connect(CommandId::LoadPlayListAc, [&core] { LoadPlayListAc(core); });
  commands.Connect(CommandId::SavePlaylistAc, [&core] { SavePlaylistAc(core); });
  commands.Connect(CommandId::AddRadioAc, [&core] { AddRadioAc(core); });
  commands.Connect(CommandId::RecordStartAc, [&core] {
    if (core.recorder) core.recorder->RecordStartAc(core);
  });
  commands.Connect(CommandId::QueuAc, [&core] { QueueSelectedRows(core); });
  for (int style = kLevelMeterHidden; style <= kLevelMeter14Style; ++style) {
    commands.Connect(LevelCommand(style), [&core, style] { ApplyLevelMeterStyle(core, style); });
  }
  commands.Connect(CommandId::VUToggleAc, [&core] { ToggleLevelMeterStyle(core); });
  commands.Connect(CommandId::ResetMixerAc, [&core] { ResetMixer(core, ResetSystemMixer); });
  // Commands with no effect of their own: soft mute is the Pause key.
  for (const CommandId id : {CommandId::SoftmuteAc, CommandId::Next2Ac, CommandId::Previous2Ac, CommandId::RecordAc}) {
    commands.Command(id)->setEnabled(true);
  }
  return helpers;
}
