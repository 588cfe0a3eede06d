// The desktop services of the editing commands on a Linux desktop: the Qt
// clipboard, the freedesktop trash, and the file manager asked over D-Bus
// (org.freedesktop.FileManager1) or, without one, through xdg-open; files and
// addresses opened with the default application. Window thread.
#pragma once

#include <QObject>

#include "platform/desktop_services.h"

class QtDesktop : public QObject, public tarvo::DesktopServices {
  Q_OBJECT

 public:
  explicit QtDesktop(QObject* parent = nullptr) : QObject(parent) {}
  // Launchers still running (xdg-open waits for some programs it starts) are
  // ended without reporting: the window they would report to is gone.
  ~QtDesktop() override;

  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  tarvo::TrashOutcome MoveToTrash(const std::string& path) override;
  // Does not wait for the file manager: the D-Bus call is answered later,
  // and a failed call falls back to xdg-open then.
  bool ShowFolder(const std::string& folder, NoProgramFound noProgram) override;
  // A local file through xdg-open, whose outcome is watched; an address
  // through QDesktopServices (xdg-open, xdg-email or the desktop's portal).
  bool OpenWithDefaultApplication(const std::string& pathOrAddress, NoProgramFound noProgram) override;
  // FileManager1.ShowItemProperties, answered or not.
  void ShowItemProperties(const std::string& path) override;

 private:
  // Starts xdg-open on `target` without waiting; `noProgram` runs when it
  // can't be started or ends with xdg-utils' "no method available" (3) or
  // "action failed" (4).
  void StartXdgOpen(const QString& target, NoProgramFound noProgram);
};
