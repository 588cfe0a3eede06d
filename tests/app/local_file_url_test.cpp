// File names that are not UTF-8 (CP949 bytes here) through the window's
// doors: a drop from the file manager and the address MPRIS gives out keep
// the name byte for byte.
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/file_drop.h"
#include "app/local_file_url.h"

class LocalFileUrlTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void LegacyBytesSurviveDropsAndAddresses();
};

void LocalFileUrlTest::LegacyBytesSurviveDropsAndAddresses() {
  const std::string legacy = "/music/\xB3\xEB\xB7\xA1 1.mp3";
  const QString address = QStringLiteral("file:///music/%B3%EB%B7%A1%201.mp3");
  QCOMPARE(FileUrlOfPath(legacy), address);

  QMimeData dropped;
  dropped.setUrls({QUrl(address), QUrl(QStringLiteral("file:///music/%EB%85%B8%EB%9E%98/")),
                   QUrl(QStringLiteral("http://radio.example/live"))});
  const std::vector<std::string> paths = FileDrop::LocalPaths(dropped);
  QCOMPARE(paths.size(), std::size_t{2});
  QVERIFY(paths[0] == legacy);
  QVERIFY(paths[1] == "/music/노래");
}

QTEST_MAIN(LocalFileUrlTest)
#include "local_file_url_test.moc"
