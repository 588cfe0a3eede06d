// The notification-area icon: minimizing with `minimize_to_tray` on hides the
// main window behind it, its menu (TrayPopupMenu) runs the window's commands,
// and a double click or "열기(&O)" brings the window back. The icon shows only
// while the window is in the tray, and goes 300 ms after the window is back
// (the worker THaalSystrayIconWeg is a single-shot timer here). The icon and
// the question for a notification area, both a round trip to the desktop,
// wait for the first minimize rather than slow the start. Attached from
// outside the window as an event filter. Window thread.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "core.h"

class QMenu;
class TAppTarvo;

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // `trayAvailable`: whether the desktop has a notification area (asked at
  // the first minimize when not given); without one minimizing simply
  // minimizes.
  TrayIcon(tarvo::Core& core, TAppTarvo& window, std::optional<bool> trayAvailable = std::nullopt);

  // The window goes to the tray: the level meter may pause.
  std::function<void()> onMinimizedToTray;
  // The window is back from the tray: the status and level timers wake when
  // something plays.
  std::function<void()> onRestored;

  // MinimizeAc: minimizes; with `minimize_to_tray` on and a notification
  // area, the window goes to the tray.
  void Minimize();
  // Double click, "열기(&O)": the window is shown in its former state and
  // brought to the front.
  void Restore();

  bool IconVisible() const { return icon_ && icon_->isVisible(); }
  QString ToolTip() const { return icon_ ? icon_->toolTip() : QString(); }
  QIcon Icon() const { return icon_ ? icon_->icon() : QIcon(); }
  QMenu* Menu() const { return menu_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  bool TrayAvailable();
  QSystemTrayIcon& MadeIcon();
  void GoToTray();
  void BackFromTray();
  QString HintText() const;

  tarvo::Core& core_;
  TAppTarvo& window_;
  std::optional<bool> trayAvailable_;
  // Made when the window first goes to the tray.
  std::unique_ptr<QSystemTrayIcon> icon_;
  QMenu* menu_;
  // THaalSystrayIconWeg: hides the icon a moment after the window is back.
  QTimer hideIcon_;
};
