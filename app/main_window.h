// The main window: the playlist view, the progress panel (seek bar, time,
// volume) and the status bar over the core's state. Keys typed in the list
// go to the core's key dispatcher.
#pragma once

#include <QMainWindow>
#include <array>

#include "core.h"

class QLabel;
class TVemmoListbox;
class TVemmoProgress;

class TAppTarvo : public QMainWindow {
  Q_OBJECT

 public:
  TAppTarvo(tarvo::Core& core, QWidget* parent = nullptr);

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
  // Shows the caption, the time, the volume, the seek bar and the status bar
  // panels of the core.
  void ShowWindowTexts();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildProgressPanel();

  tarvo::Core& core_;
  TVemmoListbox* listScreen_;
  TVemmoProgress* progres_ = nullptr;
  QLabel* labelTime_ = nullptr;
  QLabel* labelVolume_ = nullptr;
  std::array<QLabel*, 4> statusPanels_{};
};
