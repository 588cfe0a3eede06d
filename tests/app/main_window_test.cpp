// Opens the main window offscreen and checks that it shows the core's rows.
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "app_window_fixture.h"
#include "controls/vemmo_listbox.h"
#include "playlist/model.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ShowsTitleAndTheModelRows();
};

void MainWindowTest::ShowsTitleAndTheModelRows() {
  AppWindowFixture fixture;
  tarvo::Core& core = fixture.core;
  TAppTarvo& window = fixture.window;
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowTitle(), QStringLiteral("Tarvo 1.04b"));

  core.playlist.PlaylistEntries = {"/m/first.mp3", "/m/second.mp3", "/m/third.mp3"};
  tarvo::UpdateListView(core, false, false);
  QCOMPARE(core.listView.RowCount(), 3);

  // Render the list and find the selected first row's highlight.
  TVemmoListbox* list = window.ListScreen();
  QImage image = list->viewport()->grab().toImage();
  const QColor highlight = list->palette().highlight().color();
  QCOMPARE(image.pixelColor(image.width() - 2, list->RowHeight() / 2), highlight);
  QVERIFY(image.pixelColor(image.width() - 2, list->RowHeight() * 3 / 2) != highlight);

  const QList<QLabel*> labels = window.statusBar()->findChildren<QLabel*>();
  bool countShown = false;
  for (const QLabel* label : labels) countShown |= label->text() == QStringLiteral("3 Files");
  QVERIFY(countShown);
  window.close();
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
