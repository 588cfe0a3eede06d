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

  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  tarvo::TrashOutcome MoveToTrash(const std::string& path) override;
  // Does not wait for the file manager: the D-Bus call is answered later,
  // and a failed call falls back to xdg-open then.
  bool ShowFolder(const std::string& folder) override;
  // QDesktopServices: xdg-open or the desktop's portal underneath.
  bool OpenWithDefaultApplication(const std::string& pathOrAddress) override;
  // FileManager1.ShowItemProperties, answered or not.
  void ShowItemProperties(const std::string& path) override;
};
