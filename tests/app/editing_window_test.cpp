// The editing commands through the window offscreen: files dropped from a
// file manager, and cut, copy and paste through the real Qt clipboard.
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <memory>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/file_drop.h"
#include "app/qt_desktop.h"
#include "app_window_fixture.h"
#include "playlist/model.h"

using Entries = std::vector<std::string>;

class EditingWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void DroppedFilesAreAddedSortedAndFoldersWithTheirFiles();
  void DragWithoutLocalFilesIsRefused();
  void DroppedOpusFlacAndM4aFilesAreAdded();
  void CutThenPasteMovesEntriesThroughTheClipboard();
  void PasteTakesLinesFromOtherProgramsWithLfEnds();

 private:
  void Trigger(CommandId command) { fixture_->window.Commands().Command(command)->trigger(); }
  void SelectRows(const std::vector<int>& rows, int focused);
  const Entries& List() const { return fixture_->core.playlist.PlaylistEntries; }

  // The desktop outlives the window that uses it.
  std::unique_ptr<QtDesktop> desktop_;
  std::unique_ptr<AppWindowFixture> fixture_;
};

void EditingWindowTest::init() {
  desktop_ = std::make_unique<QtDesktop>();
  fixture_ = std::make_unique<AppWindowFixture>();
  fixture_->core.desktop = desktop_.get();
  ConnectCommandEffects(fixture_->core, fixture_->window);
  new FileDrop(fixture_->core, fixture_->window);
  fixture_->window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture_->window));
}

void EditingWindowTest::cleanup() {
  fixture_.reset();
  desktop_.reset();
}

void EditingWindowTest::SelectRows(const std::vector<int>& rows, int focused) {
  fixture_->core.listView.ClearSelection();
  for (const int row : rows) fixture_->core.listView.Select(row, true);
  fixture_->core.listView.focusedRow = focused;
}

void EditingWindowTest::DroppedFilesAreAddedSortedAndFoldersWithTheirFiles() {
  const std::string b = fixture_->home.Write("drop/b.mp3", "x");
  const std::string a = fixture_->home.Write("drop/a b.mp3", "x");
  const std::string c = fixture_->home.Write("drop/Album/c.ogg", "x");
  fixture_->core.playlist.PlaylistEntries = {"/first.mp3"};
  tarvo::UpdateListView(fixture_->core, false, false);

  QMimeData data;
  // As a file manager sends them: encoded URLs, a folder ending in "/", and
  // an address that is no local file.
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(b)), QUrl::fromLocalFile(QString::fromStdString(a)),
                QUrl::fromLocalFile(QString::fromStdString(fixture_->home.Path() + "drop/Album/")),
                QUrl(QStringLiteral("https://example.org/x.mp3"))});
  QCOMPARE(data.data(QStringLiteral("text/uri-list")).contains("a%20b.mp3"), true);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&fixture_->window, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&fixture_->window, &drop);
  QVERIFY(drop.isAccepted());

  QCOMPARE(List(), (Entries{"/first.mp3", c, a, b}));
  QCOMPARE(fixture_->core.listView.RowCount(), 4);
}

void EditingWindowTest::DroppedOpusFlacAndM4aFilesAreAdded() {
  const std::string opus = fixture_->home.Write("drop/song.opus", "x");
  const std::string flac = fixture_->home.Write("drop/a.flac", "x");
  const std::string m4a = fixture_->home.Write("drop/b.M4A", "x");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(opus)), QUrl::fromLocalFile(QString::fromStdString(m4a)),
                QUrl::fromLocalFile(QString::fromStdString(flac))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&fixture_->window, &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&fixture_->window, &drop);
  QVERIFY(drop.isAccepted());
  QCOMPARE(List(), (Entries{flac, m4a, opus}));
}

void EditingWindowTest::DragWithoutLocalFilesIsRefused() {
  QMimeData data;
  data.setText(QStringLiteral("/music/a.mp3"));
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QCoreApplication::sendEvent(&fixture_->window, &enter);
  QVERIFY(!enter.isAccepted());
  QVERIFY(List().empty());
}

void EditingWindowTest::CutThenPasteMovesEntriesThroughTheClipboard() {
  fixture_->core.playlist.PlaylistEntries = {"/m/a.mp3", "http://radio.example/live|Live FM", "/m/c.mp3", "/m/d.mp3"};
  tarvo::UpdateListView(fixture_->core, false, false);
  SelectRows({0, 1}, 1);
  Trigger(CommandId::CutAc);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("/m/a.mp3\r\nhttp://radio.example/live|Live FM\r\n"));
  QCOMPARE(List(), (Entries{"/m/c.mp3", "/m/d.mp3"}));

  SelectRows({1}, 1);
  Trigger(CommandId::PastAc);
  QCOMPARE(List(), (Entries{"/m/c.mp3", "/m/a.mp3", "http://radio.example/live|Live FM", "/m/d.mp3"}));
  QVERIFY(fixture_->core.listView.IsSelected(1));
  QVERIFY(fixture_->core.listView.IsSelected(2));
  QVERIFY(!fixture_->core.listView.IsSelected(3));

  // Copy leaves the list alone.
  SelectRows({3}, 3);
  Trigger(CommandId::CopyAc);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("/m/d.mp3\r\n"));
  QCOMPARE(List().size(), 4u);
}

void EditingWindowTest::PasteTakesLinesFromOtherProgramsWithLfEnds() {
  fixture_->core.playlist.PlaylistEntries = {"/m/a.mp3"};
  tarvo::UpdateListView(fixture_->core, false, false);
  SelectRows({}, -1);
  // A text editor's copy: LF line ends and no line end after the last line.
  QGuiApplication::clipboard()->setText(QStringLiteral("/m/x.mp3\n/m/y.mp3"));
  Trigger(CommandId::PastAc);
  QCOMPARE(List(), (Entries{"/m/x.mp3", "/m/y.mp3", "/m/a.mp3"}));
}

QTEST_MAIN(EditingWindowTest)
#include "editing_window_test.moc"
