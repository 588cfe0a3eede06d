#include "app/program_icon.h"

#include <QCoreApplication>
#include <QFileInfo>

QIcon ProgramIcon() {
  const QString themeFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor/");
  QIcon icon;
  // Files are read when a size is first drawn, not here.
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString path = themeFolder + QStringLiteral("%1x%1/apps/tarvo.png").arg(size);
    if (QFileInfo::exists(path)) icon.addFile(path, QSize(size, size));
  }
  return icon;
}
