#include "app/local_file_url.h"

#include <QByteArray>
#include <QUrl>

std::string LocalPathOfUrl(const QUrl& url) {
  if (!url.isLocalFile()) return {};
  // Fully encoded, QUrl keeps escapes that are not UTF-8 as they came.
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

QString FileUrlOfPath(const std::string& path) {
  return QStringLiteral("file://") + QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/"));
}
