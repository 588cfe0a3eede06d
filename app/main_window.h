// The main window: the playlist view and the status bar over the core's state.
#pragma once

#include <QMainWindow>
#include <array>

#include "core.h"

class QLabel;
class TVemmoListbox;

class TAppTarvo : public QMainWindow {
  Q_OBJECT

 public:
  TAppTarvo(tarvo::Core& core, QWidget* parent = nullptr);

  TVemmoListbox* ListScreen() const { return listScreen_; }
  // Takes the loaded bounds and bars from the settings.
  void ApplySettings();
  // Shows the window (maximized when the settings say so), brings the
  // current row into view and selects it alone.
  void ShowFirstTime();
  void BringToFront();
  // Redraws the list from the core's list-view state.
  void ShowListView();
  // Shows the status-bar panels and other texts of the core.
  void ShowWindowTexts();

 private:
  tarvo::Core& core_;
  TVemmoListbox* listScreen_;
  std::array<QLabel*, 4> statusPanels_{};
};
