#include "app/program_icon.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The program's data folder relative to its binary: "<prefix>/bin" and
// "<build>/app" both have it in "../share".
QIcon ThemeIcon() {
  const QString themeFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor/");
  QIcon icon;
  // Files are read when a size is first drawn, not here.
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString path = themeFolder + QStringLiteral("%1x%1/apps/tarvo.png").arg(size);
    if (QFileInfo::exists(path)) icon.addFile(path, QSize(size, size));
  }
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon = ThemeIcon();
  if (!icon.isNull()) return icon;
  // A binary copied away from its data: the drawing it carries, which Qt's
  // SVG reader renders in every size asked for.
  icon = QIcon(QStringLiteral(":/tarvo.svg"));
  if (icon.pixmap(QSize(32, 32)).isNull()) return QIcon();
  return icon;
}
