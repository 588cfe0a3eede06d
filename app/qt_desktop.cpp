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
#include <utility>

#include "platform/freedesktop_trash.h"

namespace {

const QString kFileManagerService = QStringLiteral("org.freedesktop.FileManager1");

const QString kFileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");

// xdg-open's exit statuses for a desktop that has no program for the file.
constexpr int kXdgNoMethodAvailable = 3;
constexpr int kXdgActionFailed = 4;

// A file manager is running, or the bus can start one on the first call.
bool FileManagerOnBus(const QDBusConnection& bus) {
  const QDBusConnectionInterface* names = bus.interface();
  if (names == nullptr) return false;
  if (names->isServiceRegistered(kFileManagerService).value()) return true;
  return names->activatableServiceNames().value().contains(kFileManagerService);
}

}  // namespace

QtDesktop::~QtDesktop() {
  for (QProcess* launcher : findChildren<QProcess*>()) {
    launcher->disconnect();
    launcher->kill();
    launcher->waitForFinished();
  }
}

void QtDesktop::StartXdgOpen(const QString& target, NoProgramFound noProgram) {
  auto* launcher = new QProcess(this);
  launcher->setProcessChannelMode(QProcess::ForwardedChannels);
  connect(launcher, &QProcess::finished, launcher, [launcher, noProgram](int status, QProcess::ExitStatus exit) {
    const bool noProgramFound =
        exit == QProcess::NormalExit && (status == kXdgNoMethodAvailable || status == kXdgActionFailed);
    if (noProgramFound && noProgram) noProgram();
    launcher->deleteLater();
  });
  connect(launcher, &QProcess::errorOccurred, launcher, [launcher, noProgram](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    if (noProgram) noProgram();
    launcher->deleteLater();
  });
  launcher->start(QStringLiteral("xdg-open"), {target});
}

std::string QtDesktop::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtDesktop::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

tarvo::TrashOutcome QtDesktop::MoveToTrash(const std::string& path) { return tarvo::MoveToFreedesktopTrash(path); }

bool QtDesktop::ShowFolder(const std::string& folder, NoProgramFound noProgram) {
  const QString path = QString::fromStdString(folder);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !FileManagerOnBus(bus)) {
    StartXdgOpen(path, std::move(noProgram));
    return true;
  }

  QDBusMessage call = QDBusMessage::createMethodCall(kFileManagerService, kFileManagerPath, kFileManagerService,
                                                     QStringLiteral("ShowFolders"));
  // The second argument is a start-up notification id; none.
  call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, path, noProgram = std::move(noProgram)](QDBusPendingCallWatcher* finished) {
    if (finished->isError()) StartXdgOpen(path, noProgram);
    finished->deleteLater();
  });
  return true;
}

bool QtDesktop::OpenWithDefaultApplication(const std::string& pathOrAddress, NoProgramFound noProgram) {
  const QString text = QString::fromStdString(pathOrAddress);
  if (!text.startsWith(QLatin1Char('/'))) return QDesktopServices::openUrl(QUrl(text));
  StartXdgOpen(text, std::move(noProgram));
  return true;
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
