// The texts of the main window that the core writes and the window shows,
// and the one setter of the status bar's panels.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "base/version.h"

namespace tarvo {

// The status bar's panels, left to right.
enum class StatusPanel : int {
  // The volume percentage (" 100 %"); while recording, the space left.
  Volume = 0,
  // The file count ("56 Files").
  FileCount = 1,
  // The play mode.
  PlayMode = 2,
  // What plays, progress of long operations, stream states and errors.
  Progress = 3,
};

constexpr std::size_t PanelIndex(StatusPanel panel) { return static_cast<std::size_t>(panel); }

// Status panel 0's text for a volume of 0..1000: " 50 %".
inline std::string VolumePanelText(int volume) { return " " + std::to_string(volume / 10) + " %"; }

struct WindowTexts {
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

  std::string& Panel(StatusPanel panel) { return statusPanels[PanelIndex(panel)]; }
  const std::string& Panel(StatusPanel panel) const { return statusPanels[PanelIndex(panel)]; }
};

}  // namespace tarvo
