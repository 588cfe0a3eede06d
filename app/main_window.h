// The main window: the main menu, the progress panel (play bar, seek bar,
// time, volume, level meter), the playlist view and the status bar over the
// core's state. Keys typed in the list that are no command's shortcut go to
// the core's key dispatcher. The playlist's colours and font come from the
// colour scheme applied at the first show.
#pragma once

#include <QMainWindow>
#include <array>

#include "core.h"

class CommandTable;
class QKeyEvent;
class QLabel;
class QMenu;
class TProgressPanel;
class TVemmoListbox;
class TVemmoProgress;

class TAppTarvo : public QMainWindow {
  Q_OBJECT

 public:
  TAppTarvo(tarvo::Core& core, QWidget* parent = nullptr);

  CommandTable& Commands() const { return *commands_; }
  TVemmoListbox* ListScreen() const { return listScreen_; }
  TVemmoProgress* Progres() const;
  TProgressPanel* ProgressPanel() const { return progressPanel_; }
  // Takes the loaded bounds and bars from the settings.
  void ApplySettings();
  // Applies the colour scheme of the settings, shows the window (maximized
  // when the settings say so), brings the current row into view and selects
  // it alone.
  void ShowFirstTime();
  void BringToFront();
  // Redraws the list from the core's list-view state.
  void ShowListView();
  // Shows the caption, the time, the volume, the seek bar, the level meter,
  // the checked commands and the status bar panels of the core, and carries
  // out the core's window requests.
  void ShowWindowTexts();
  // Repaints the level meter's LEDs; the level timer calls it when they
  // changed.
  void ShowLevelMeters();
  // ViewPlayBarAc and ViewProgressPanelAc.
  void SetPlayBarShown(bool shown);
  void SetProgressPanelShown(bool shown);

 Q_SIGNALS:
  // The core's texts were drawn: the tray icon's hint follows them.
  void TextsShown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool MovedWithoutCaptionBar(const QMouseEvent& event);
  int WidthShowingTexts();
  QWidget* BuildPlayBar();
  void BuildStatusBar();
  void ShowCheckedCommands();
  void TakeDesktopTheme();
  void CarryOutRequests();
  bool FilterListKey(QKeyEvent* key, bool pressed);

  tarvo::Core& core_;
  CommandTable* commands_;
  TVemmoListbox* listScreen_;
  TProgressPanel* progressPanel_ = nullptr;
  // The second volume bar, in the status bar area; kept hidden.
  TVemmoProgress* volumeBar2_ = nullptr;
  QMenu* listPopup_ = nullptr;
  std::array<QLabel*, 4> statusPanels_{};
};
