// The playlist driven as a desktop list through the real main window
// offscreen: the list's own keys and clicks after the commands and the key
// dispatcher, the scroll bar, Enter on an empty list, the volume keys with
// Shift, the tray menu's previous item and the relative path view.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/tray_icon.h"
#include "app_window_fixture.h"
#include "controls/vemmo_listbox.h"
#include "playlist/model.h"

using Rows = std::vector<int>;

class ListKeysWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void ArrowsPageKeysAndClicksMoveFocusAndSelection();
  void ScrollBarFollowsTheRowCount();
  void EnterOnAnEmptyListAsksForFiles();
  void ShiftEqualsRaisesTheVolumeByOne();
  void TrayPreviousPlaysThePreviousEntry();
  void RelativeViewShowsNoBackslash();

 private:
  void SetRows(int count);
  void Click(int row, Qt::KeyboardModifiers keys = Qt::NoModifier);
  void Key(Qt::Key key, Qt::KeyboardModifiers keys = Qt::NoModifier) { QTest::keyClick(list_, key, keys); }
  tarvo::Core& core() { return fixture_->core; }

  std::unique_ptr<AppWindowFixture> fixture_;
  CommandHelpers helpers_;
  TVemmoListbox* list_ = nullptr;
};

void ListKeysWindowTest::init() {
  fixture_ = std::make_unique<AppWindowFixture>();
  helpers_ = ConnectCommandEffects(fixture_->core, fixture_->window);
  fixture_->window.resize(310, 370);
  fixture_->window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture_->window));
  list_ = fixture_->window.ListScreen();
  list_->setFocus();
}

void ListKeysWindowTest::cleanup() { fixture_.reset(); }

void ListKeysWindowTest::SetRows(int count) {
  core().playlist.PlaylistEntries.clear();
  for (int i = 0; i < count; ++i) core().playlist.PlaylistEntries.push_back("/m/song" + std::to_string(i) + ".mp3");
  tarvo::UpdateListView(core(), false, false);
}

void ListKeysWindowTest::Click(int row, Qt::KeyboardModifiers keys) {
  const int y = (row - core().listView.topRow) * list_->RowHeight() + list_->RowHeight() / 2;
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, keys, QPoint(20, y));
}

void ListKeysWindowTest::ArrowsPageKeysAndClicksMoveFocusAndSelection() {
  SetRows(60);
  const tarvo::ListViewState& view = core().listView;
  Click(3);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  Key(Qt::Key_Return);
  QCOMPARE(fixture_->playback.calls.back(), std::string("PlaySelected"));
  QCOMPARE(view.focusedRow, 5);
  QCOMPARE(view.SelectedRows(), Rows{5});

  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(view.SelectedRows(), (Rows{5, 6, 7}));
  Click(9, Qt::ShiftModifier);
  QCOMPARE(view.SelectedRows(), (Rows{5, 6, 7, 8, 9}));
  Click(2, Qt::ControlModifier);
  QCOMPARE(view.SelectedRows(), (Rows{2, 5, 6, 7, 8, 9}));

  // Ctrl+Down is still the command that moves the selected rows.
  const std::string moved = core().playlist.PlaylistEntries[2];
  Key(Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(core().playlist.PlaylistEntries[3], moved);

  Key(Qt::Key_End);
  QCOMPARE(view.SelectedRows(), Rows{59});
  QVERIFY(view.topRow <= 59 && 59 < view.topRow + list_->VisibleRowCount());
  QCOMPARE(list_->verticalScrollBar()->value(), view.topRow);
  Key(Qt::Key_Home);
  QCOMPARE(view.SelectedRows(), Rows{0});
  QCOMPARE(view.topRow, 0);
  Key(Qt::Key_PageDown);
  QCOMPARE(view.focusedRow, list_->VisibleRowCount() - 1);

  // Ctrl+Space toggles the focused row instead of resetting the mixer.
  Key(Qt::Key_Space, Qt::ControlModifier);
  QCOMPARE(view.SelectedCount(), 0);
  Key(Qt::Key_Space, Qt::ControlModifier);
  QCOMPARE(view.SelectedRows(), Rows{list_->VisibleRowCount() - 1});
}

void ListKeysWindowTest::ScrollBarFollowsTheRowCount() {
  QScrollBar* bar = list_->verticalScrollBar();
  SetRows(3);
  QTRY_VERIFY(!bar->isVisible());
  SetRows(30);
  QTRY_VERIFY(bar->isVisible());
  fixture_->window.Commands().Command(CommandId::NewListAc)->trigger();
  QCOMPARE(core().listView.RowCount(), 0);
  QTRY_VERIFY(!bar->isVisible());
}

void ListKeysWindowTest::EnterOnAnEmptyListAsksForFiles() {
  SetRows(0);
  QString title;
  QTimer::singleShot(0, this, [&title] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    title = dialog->windowTitle();
    dialog->reject();
  });
  Key(Qt::Key_Return);
  QCOMPARE(title, QStringLiteral("Add music file(s) to playlist"));
  QVERIFY(fixture_->playback.played.empty());
}

void ListKeysWindowTest::ShiftEqualsRaisesTheVolumeByOne() {
  SetRows(2);
  core().settings.volume = 500;
  // Shift+"=" types "+", and Shift+"-" types "_": the keys count, not the
  // characters.
  for (int i = 0; i < 10; ++i) Key(Qt::Key_Plus, Qt::ShiftModifier);
  QCOMPARE(core().settings.volume, 510);
  Key(Qt::Key_Underscore, Qt::ShiftModifier);
  QCOMPARE(core().settings.volume, 509);
}

void ListKeysWindowTest::TrayPreviousPlaysThePreviousEntry() {
  SetRows(4);
  core().playlist.CurrentIndex = 2;
  QAction* previous = nullptr;
  for (QAction* action : helpers_.tray->Menu()->actions()) {
    if (action->text() == QStringLiteral("이전곡")) previous = action;
  }
  QVERIFY(previous);
  previous->trigger();
  QCOMPARE(fixture_->playback.played, std::vector<int>{1});
}

void ListKeysWindowTest::RelativeViewShowsNoBackslash() {
  const std::string music = fixture_->home.Path() + "Music/";
  core().playlist.MusicFolders = {music};
  core().playlist.PlaylistEntries = {music + "Rock/Band/01 Song.mp3", "/elsewhere/Jazz/02 Tune.ogg"};
  tarvo::UpdateListView(core(), false, false);
  fixture_->window.Commands().Command(CommandId::View3Ac)->trigger();
  QCOMPARE(core().playlist.ViewFormat, 2);
  QCOMPARE(tarvo::EntryDisplayText(core(), 0), std::string("Rock / Band / 01 Song"));
  QCOMPARE(tarvo::EntryDisplayText(core(), 1), std::string("elsewhere / Jazz / 02 Tune"));
}

QTEST_MAIN(ListKeysWindowTest)
#include "list_keys_window_test.moc"
