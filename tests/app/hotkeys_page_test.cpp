// The hotkeys page offscreen, in a plain parent: keys pressed in the capture
// field and "설정" bind them in the settings file; and the slots' actions,
// which the page's editing suspends.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/global_hotkeys.h"
#include "app_window_fixture.h"
#include "settings/settings_store.h"

class HotkeysPageTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void PressedKeysBindToTheSelectedFunction();
  void HotkeysAreIgnoredWhileThePageEdits();

 private:
  QString Stored(int slot) const;
  void Bind(int slot);

  std::unique_ptr<AppWindowFixture> fixture_;
  std::unique_ptr<GlobalHotkeys> hotkeys_;
  std::unique_ptr<QWidget> parent_;
  QListWidget* list_ = nullptr;
  QLineEdit* field_ = nullptr;
};

void HotkeysPageTest::init() {
  fixture_ = std::make_unique<AppWindowFixture>();
  hotkeys_ = std::make_unique<GlobalHotkeys>(fixture_->core, fixture_->window, [] {});
  parent_ = std::make_unique<QWidget>();
  hotkeys_->CreatePage(parent_.get());
  hotkeys_->BeginEditing();
  parent_->show();
  parent_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(parent_.get()));
  list_ = parent_->findChild<QListWidget*>(QStringLiteral("ListBox1"));
  field_ = parent_->findChild<QLineEdit*>(QStringLiteral("Edit1"));
  QVERIFY(list_ && field_);
  QCOMPARE(list_->count(), 13);
}

void HotkeysPageTest::cleanup() {
  parent_.reset();
  hotkeys_.reset();
  fixture_.reset();
}

QString HotkeysPageTest::Stored(int slot) const {
  return QString::fromStdString(
      tarvo::ReadIniString(fixture_->core, "Global hotkeys", std::to_string(slot), "(none)"));
}

void HotkeysPageTest::Bind(int slot) {
  list_->setCurrentRow(slot);
  QTest::mouseClick(parent_->findChild<QPushButton*>(QStringLiteral("Button9")), Qt::LeftButton);
}

void HotkeysPageTest::PressedKeysBindToTheSelectedFunction() {
  QTest::keyClick(field_, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(field_->text(), QStringLiteral("Ctrl + Shift + P"));
  Bind(0);
  QCOMPARE(Stored(0), QStringLiteral("0101-80"));
  QCOMPARE(list_->item(0)->text(), QStringLiteral("Play\t Ctrl + Shift + P"));

  // Choosing "Stop" shows its (missing) key but keeps the captured one.
  list_->setCurrentRow(2);
  QCOMPARE(field_->text(), QString());
  Bind(2);
  QCOMPARE(Stored(0), QString());
  QCOMPARE(Stored(2), QStringLiteral("0101-80"));
  list_->setCurrentRow(0);
  QCOMPARE(field_->text(), QString());

  QTest::keyClick(field_, Qt::Key_Delete);
  QCOMPARE(field_->text(), QString());
  Bind(2);
  QCOMPARE(Stored(2), QStringLiteral("(none)"));

  QTest::keyClick(field_, Qt::Key_Shift, Qt::ShiftModifier);
  QCOMPARE(field_->text(), QStringLiteral("Shift + "));
  Bind(1);
  QCOMPARE(Stored(1), QStringLiteral("(none)"));

  // Tab is a key here too: it moves no focus.
  field_->setFocus();
  QTest::keyClick(field_, Qt::Key_Tab);
  QCOMPARE(field_->text(), QStringLiteral("Tab"));
  QVERIFY(field_->hasFocus());
  // QTest has no text for this key; the event is sent as the window system
  // delivers it.
  QKeyEvent mediaKey(QEvent::KeyPress, Qt::Key_MediaTogglePlayPause, Qt::NoModifier);
  QApplication::sendEvent(field_, &mediaKey);
  QCOMPARE(field_->text(), QStringLiteral("Media key: Play/Pause"));
  Bind(1);
  QCOMPARE(Stored(1), QStringLiteral("0000-179"));
}

void HotkeysPageTest::HotkeysAreIgnoredWhileThePageEdits() {
  hotkeys_->Run(2);
  QVERIFY(fixture_->playback.stops.empty());
  hotkeys_->EndEditing(false);
  hotkeys_->Run(13);
  QVERIFY(fixture_->playback.stops.empty());
  hotkeys_->Run(2);
  QCOMPARE(fixture_->playback.stops.size(), std::size_t{1});
}

QTEST_MAIN(HotkeysPageTest)
#include "hotkeys_page_test.moc"
