// Files and folders dragged from a file manager onto the main window: their
// local paths go to the core's DropFiles, which adds folders with their
// subfolders, reads playlist files and appends the rest sorted. Attached
// from outside the window as an event filter. Window thread.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "core.h"

class QMimeData;
class TAppTarvo;

class FileDrop : public QObject {
  Q_OBJECT

 public:
  // Makes `window` accept drops and serves them.
  FileDrop(tarvo::Core& core, TAppTarvo& window);

  // The local files and folders of a drag (text/uri-list); other addresses
  // are left out.
  static std::vector<std::string> LocalPaths(const QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  tarvo::Core& core_;
  TAppTarvo& window_;
};
