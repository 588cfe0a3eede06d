// The default window in the desktop's font: the time label, the file's
// description in the status bar and the menu titles show whole; a stored
// size is kept as it is.
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "app/progress_panel.h"
#include "app_window_fixture.h"

class WindowTextsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void DefaultWindowShowsItsTextsWhole();
  void StoredSizeIsKept();
  void LongTextsShareTheWidthWithoutOverlapping();
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

// A station's status and a recording's time left at the default width:
// each text keeps to its own place and ends in "…" where it does not fit,
// rather than being cut off under the text beside it.
void WindowTextsTest::LongTextsShareTheWidthWithoutOverlapping() {
  AppWindowFixture fixture;
  TAppTarvo& window = fixture.window;
  fixture.core.texts.statusPanels = {" 100 %", "56 Files", "Shuffle",
                                     "128 Kbps 44100 Hz - Stereo - Playing internet stream at 16 KB/s"};
  fixture.core.texts.labelTime = "Recording... Left: 129:01 (78,138 MB)";
  window.ShowWindowTexts();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  std::vector<QRect> places;
  for (int i = 0; i < 4; ++i) {
    const auto* panel = window.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
    QVERIFY(panel && panel->isVisible());
    const QRect place(panel->mapTo(&window, QPoint(0, 0)), panel->size());
    QVERIFY2(window.rect().contains(place), qPrintable(QStringLiteral("panel %1 leaves the window").arg(i)));
    for (const QRect& other : places) QVERIFY2(!other.intersects(place), qPrintable(QStringLiteral("panel %1").arg(i)));
    places.push_back(place);
    QVERIFY2(panel->minimumSizeHint().width() <= panel->width(), qPrintable(QStringLiteral("panel %1").arg(i)));
  }
  const auto* time = window.findChild<QLabel*>(QStringLiteral("LabelTime"));
  QVERIFY(time->minimumSizeHint().width() <= time->width());
}

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
