// The default window in the desktop's font: the time label, the file's
// description in the status bar and the menu titles show whole; a stored
// size is kept as it is.
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "app/progress_panel.h"
#include "app_window_fixture.h"

class WindowTextsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void DefaultWindowShowsItsTextsWhole();
  void StoredSizeIsKept();
};

namespace {

bool ShowsWhole(const QLabel* label) {
  return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

}  // namespace

void WindowTextsTest::DefaultWindowShowsItsTextsWhole() {
  AppWindowFixture fixture;
  TAppTarvo& window = fixture.window;
  QVERIFY(window.width() >= 310);
  QCOMPARE(window.height(), 370);
  fixture.core.texts.labelTime = "0:01 / 0:21 / -0:19";
  fixture.core.texts.statusPanels[3] = "128 Kbps Stereo";
  window.ShowWindowTexts();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  const auto* time = window.findChild<QLabel*>(QStringLiteral("LabelTime"));
  const auto* info = window.findChild<QLabel*>(QStringLiteral("StatusPanel3"));
  QVERIFY(time && info);
  QVERIFY2(ShowsWhole(time), qPrintable(QStringLiteral("time label %1 px wide").arg(time->width())));
  QVERIFY2(ShowsWhole(info), qPrintable(QStringLiteral("status text %1 px wide").arg(info->width())));
  // The menu bar hides titles that do not fit behind its extension button.
  for (const QToolButton* button : window.menuBar()->findChildren<QToolButton*>()) QVERIFY(!button->isVisible());
  QVERIFY(window.minimumWidth() <= window.width());
}

void WindowTextsTest::StoredSizeIsKept() {
  AppWindowFixture fixture;
  tarvo::RuntimeSettings& settings = fixture.core.settings;
  settings.defaultSize = false;
  settings.bounds = {40, 30, 300, 200};
  fixture.window.ApplySettings();
  QCOMPARE(fixture.window.geometry().size(), QSize(300, 200));
}

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
