#include "app/file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <utility>

#include "app/local_file_url.h"
#include "app/main_window.h"
#include "playlist/editing.h"

FileDrop::FileDrop(tarvo::Core& core, TAppTarvo& window) : QObject(&window), core_(core), window_(window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

std::vector<std::string> FileDrop::LocalPaths(const QMimeData& data) {
  std::vector<std::string> paths;
  for (const QUrl& url : data.urls()) {
    std::string path = LocalPathOfUrl(url);
    // A folder's URL may end in "/"; the core names folders without it.
    while (path.size() > 1 && path.ends_with('/')) path.pop_back();
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      // Only a drag that brings local files is taken.
      if (drag->mimeData() && !LocalPaths(*drag->mimeData()).empty()) {
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
      }
      return QObject::eventFilter(watched, event);
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<std::string> paths =
          drop->mimeData() ? LocalPaths(*drop->mimeData()) : std::vector<std::string>{};
      if (paths.empty()) return QObject::eventFilter(watched, event);
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      tarvo::DropFiles(core_, paths);
      window_.BringToFront();
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}
