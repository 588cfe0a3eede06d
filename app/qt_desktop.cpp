#include "app/qt_desktop.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

#include "platform/freedesktop_trash.h"

namespace {

const QString kFileManagerService = QStringLiteral("org.freedesktop.FileManager1");

const QString kFileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");

bool OpenWithXdgOpen(const QString& folder) { return QProcess::startDetached(QStringLiteral("xdg-open"), {folder}); }

// A file manager is running, or the bus can start one on the first call.
bool FileManagerOnBus(const QDBusConnection& bus) {
  const QDBusConnectionInterface* names = bus.interface();
  if (names == nullptr) return false;
  if (names->isServiceRegistered(kFileManagerService).value()) return true;
  return names->activatableServiceNames().value().contains(kFileManagerService);
}

}  // namespace

std::string QtDesktop::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtDesktop::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

tarvo::TrashOutcome QtDesktop::MoveToTrash(const std::string& path) { return tarvo::MoveToFreedesktopTrash(path); }

bool QtDesktop::ShowFolder(const std::string& folder) {
  const QString path = QString::fromStdString(folder);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !FileManagerOnBus(bus)) return OpenWithXdgOpen(path);

  QDBusMessage call = QDBusMessage::createMethodCall(kFileManagerService, kFileManagerPath, kFileManagerService,
                                                     QStringLiteral("ShowFolders"));
  // The second argument is a start-up notification id; none.
  call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [path](QDBusPendingCallWatcher* finished) {
    if (finished->isError()) OpenWithXdgOpen(path);
    finished->deleteLater();
  });
  return true;
}

bool QtDesktop::OpenWithDefaultApplication(const std::string& pathOrAddress) {
  const QString text = QString::fromStdString(pathOrAddress);
  const QUrl url = text.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(text) : QUrl(text);
  return QDesktopServices::openUrl(url);
}

void QtDesktop::ShowItemProperties(const std::string& path) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !FileManagerOnBus(bus)) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kFileManagerService, kFileManagerPath, kFileManagerService,
                                                     QStringLiteral("ShowItemProperties"));
  call << QStringList{QUrl::fromLocalFile(QString::fromStdString(path)).toString()} << QString();
  // No reply is awaited: a file manager that can't show properties is not
  // reported.
  call.setAutoStartService(true);
  bus.send(call);
}
