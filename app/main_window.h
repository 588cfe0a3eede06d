// The main window: the main menu, the progress panel (seek bar, time,
// volume), the play bar, the playlist view and the status bar over the
// core's state. Keys typed in the list that are no command's shortcut go to
// the core's key dispatcher.
#pragma once

#include <QMainWindow>
#include <array>

#include "core.h"

class CommandTable;
class QLabel;
class QMenu;
class TVemmoListbox;
class TVemmoProgress;

class TAppTarvo : public QMainWindow {
  Q_OBJECT

 public:
  TAppTarvo(tarvo::Core& core, QWidget* parent = nullptr);

  CommandTable& Commands() const { return *commands_; }
  TVemmoListbox* ListScreen() const { return listScreen_; }
  TVemmoProgress* Progres() const { return progres_; }
  // Takes the loaded bounds and bars from the settings.
  void ApplySettings();
  // Shows the window (maximized when the settings say so), brings the
  // current row into view and selects it alone.
  void ShowFirstTime();
  void BringToFront();
  // Redraws the list from the core's list-view state.
  void ShowListView();
  // Shows the caption, the time, the volume, the seek bar, the checked
  // commands and the status bar panels of the core.
  void ShowWindowTexts();
  // ViewPlayBarAc and ViewProgressPanelAc.
  void SetPlayBarShown(bool shown);
  void SetProgressPanelShown(bool shown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildProgressPanel();
  QWidget* BuildPlayBar();
  void BuildStatusBar();
  void ShowCheckedCommands();

  tarvo::Core& core_;
  CommandTable* commands_;
  TVemmoListbox* listScreen_;
  QWidget* progressPanel_ = nullptr;
  QWidget* playBar_ = nullptr;
  TVemmoProgress* progres_ = nullptr;
  QLabel* labelTime_ = nullptr;
  QLabel* labelVolume_ = nullptr;
  QMenu* listPopup_ = nullptr;
  std::array<QLabel*, 4> statusPanels_{};
};
