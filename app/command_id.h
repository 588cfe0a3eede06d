// The identifiers of the main window's commands, in the order of the
// command table (app/command_table.cpp), which gives each its name, caption
// and shortcut. Menus, the play bar, the tray, the global hotkeys and the
// tests name a command by these, never by its text.
#pragma once

#include <cstddef>

enum class CommandId : int {
  OpenFileAc,
  OpenDirAc,
  AddDirAc,
  AddRadioAc,
  LoadPlayListAc,
  SavePlaylistAc,
  SaveFileAc,
  EscAc,
  FileInfoAc,
  PropertiesAc,
  DeleteAc,
  RealDelAc,
  ExplorerFile,
  ExplorerExe,
  RefreshAc,
  JumpAc,
  CropAc,
  BrokenFilesAc,
  CutAc,
  CopyAc,
  PastAc,
  ListEntryAc,
  NewListAc,
  ClearShuffleHistoryAc,
  TotalTimeAc,
  SleepTimerAc,
  FindAc,
  PlayAc,
  PauseAc,
  StopAc,
  RecordStartAc,
  NextAc,
  PrevAc,
  TerugspoelenAc,
  QueuAc,
  FavoritesAddAc,
  FavoritesOrganize,
  PreferencesAc,
  ModeAc1,
  ModeAc2,
  ModeAc3,
  ModeAc4,
  ModeAc5,
  PlayModeToggleAc,
  View1Ac,
  View2Ac,
  View3Ac,
  ViewFormatPathAc,
  ViewPlayBarAc,
  ViewProgressPanelAc,
  Level1Ac,
  Level2Ac,
  Level3Ac,
  VUToggleAc,
  ResetMixerAc,
  MinimizeAc,
  MaximizeAc,
  ShortcutsAc,
  DocAc,
  AboutAc,
  SoftmuteAc,
  CopyPlAc,
  Next2Ac,
  Previous2Ac,
  RecordAc,
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::RecordAc) + 1;

// The play modes' commands ModeAc1..ModeAc5 and the views' View1Ac..View3Ac
// and Level1Ac..Level3Ac follow each other in the table.
constexpr CommandId PlayModeCommand(int mode) {
  return static_cast<CommandId>(static_cast<int>(CommandId::ModeAc1) + mode);
}
constexpr CommandId ViewCommand(int format) {
  return static_cast<CommandId>(static_cast<int>(CommandId::View1Ac) + format);
}
constexpr CommandId LevelCommand(int style) {
  return static_cast<CommandId>(static_cast<int>(CommandId::Level1Ac) + style);
}
