// Opening a file with the desktop's program: xdg-open that starts but finds
// no program, or that is missing, is reported after the call returned; one
// that opens the file is not.
#include <QFile>
#include <QProcess>
#include <QTest>

#include "app/qt_desktop.h"
#include "support/temp_folder.h"

class DesktopLaunchTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void LauncherWithoutAProgramIsReported();
};

namespace {

// Puts an xdg-open that ends with `status` first on PATH; none with a
// negative status.
void UseXdgOpen(const tarvo::testing::TempFolder& bin, int status) {
  const QString script = QString::fromStdString(bin.Path() + "xdg-open");
  QFile::remove(script);
  if (status >= 0) {
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nexit %1\n").arg(status).toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  qputenv("PATH", QByteArray::fromStdString(bin.Path()));
}

}  // namespace

void DesktopLaunchTest::LauncherWithoutAProgramIsReported() {
  tarvo::testing::TempFolder bin;
  const std::string manual = bin.Write("Documentation.html", "<html></html>");
  QtDesktop desktop;
  for (const auto& [status, reported] : {std::pair{0, false}, {3, true}, {4, true}, {-1, true}}) {
    UseXdgOpen(bin, status);
    bool noProgram = false;
    QVERIFY(desktop.OpenWithDefaultApplication(manual, [&noProgram] { noProgram = true; }));
    QTRY_VERIFY(desktop.findChildren<QProcess*>().isEmpty());
    QCOMPARE(noProgram, reported);
  }
  // The folder shown through xdg-open when no file manager is on the bus.
  UseXdgOpen(bin, 3);
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
  bool noProgram = false;
  QVERIFY(desktop.ShowFolder(bin.Path(), [&noProgram] { noProgram = true; }));
  QTRY_VERIFY(noProgram);
}

QTEST_MAIN(DesktopLaunchTest)
#include "desktop_launch_test.moc"
