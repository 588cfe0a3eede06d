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
#include "app/main_window.h"
#include "app/qt_desktop.h"
#include "app/qt_ui.h"
#include "playlist/model.h"
#include "support/fake_playback.h"
#include "support/temp_folder.h"

using Entries = std::vector<std::string>;

class EditingWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void DroppedFilesAreAddedSortedAndFoldersWithTheirFiles();
  void DragWithoutLocalFilesIsRefused();
  void CutThenPasteMovesEntriesThroughTheClipboard();
  void PasteTakesLinesFromOtherProgramsWithLfEnds();

 private:
  void Trigger(const char* command) { window_->Commands().Command(QString::fromLatin1(command))->trigger(); }
  void SelectRows(const std::vector<int>& rows, int focused);
  const Entries& List() const { return core_->playlist.PlaylistEntries; }

  std::unique_ptr<tarvo::testing::TempFolder> home_;
  std::unique_ptr<tarvo::testing::FakePlayback> playback_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<QtDesktop> desktop_;
  std::unique_ptr<tarvo::Core> core_;
  std::unique_ptr<TAppTarvo> window_;
};

void EditingWindowTest::init() {
  home_ = std::make_unique<tarvo::testing::TempFolder>();
  playback_ = std::make_unique<tarvo::testing::FakePlayback>();
  ui_ = std::make_unique<QtUi>();
  desktop_ = std::make_unique<QtDesktop>();
  core_ = std::make_unique<tarvo::Core>(*ui_, *playback_, home_->Path());
  core_->desktop = desktop_.get();
  window_ = std::make_unique<TAppTarvo>(*core_);
  ui_->AttachWindow(window_.get());
  ConnectCommandEffects(*core_, *window_);
  new FileDrop(*core_, *window_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void EditingWindowTest::cleanup() {
  window_.reset();
  core_.reset();
  desktop_.reset();
  ui_.reset();
  playback_.reset();
  home_.reset();
}

void EditingWindowTest::SelectRows(const std::vector<int>& rows, int focused) {
  core_->listView.ClearSelection();
  for (const int row : rows) core_->listView.Select(row, true);
  core_->listView.focusedRow = focused;
}

void EditingWindowTest::DroppedFilesAreAddedSortedAndFoldersWithTheirFiles() {
  const std::string b = home_->Write("drop/b.mp3", "x");
  const std::string a = home_->Write("drop/a b.mp3", "x");
  const std::string c = home_->Write("drop/Album/c.ogg", "x");
  core_->playlist.PlaylistEntries = {"/first.mp3"};
  tarvo::UpdateListView(*core_, false, false);

  QMimeData data;
  // As a file manager sends them: encoded URLs, a folder ending in "/", and
  // an address that is no local file.
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(b)), QUrl::fromLocalFile(QString::fromStdString(a)),
                QUrl::fromLocalFile(QString::fromStdString(home_->Path() + "drop/Album/")),
                QUrl(QStringLiteral("https://example.org/x.mp3"))});
  QCOMPARE(data.data(QStringLiteral("text/uri-list")).contains("a%20b.mp3"), true);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window_.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window_.get(), &drop);
  QVERIFY(drop.isAccepted());

  QCOMPARE(List(), (Entries{"/first.mp3", c, a, b}));
  QCOMPARE(core_->listView.RowCount(), 4);
}

void EditingWindowTest::DragWithoutLocalFilesIsRefused() {
  QMimeData data;
  data.setText(QStringLiteral("/music/a.mp3"));
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QCoreApplication::sendEvent(window_.get(), &enter);
  QVERIFY(!enter.isAccepted());
  QVERIFY(List().empty());
}

void EditingWindowTest::CutThenPasteMovesEntriesThroughTheClipboard() {
  core_->playlist.PlaylistEntries = {"/m/a.mp3", "http://radio.example/live|Live FM", "/m/c.mp3", "/m/d.mp3"};
  tarvo::UpdateListView(*core_, false, false);
  SelectRows({0, 1}, 1);
  Trigger("CutAc");
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("/m/a.mp3\r\nhttp://radio.example/live|Live FM\r\n"));
  QCOMPARE(List(), (Entries{"/m/c.mp3", "/m/d.mp3"}));

  SelectRows({1}, 1);
  Trigger("PastAc");
  QCOMPARE(List(), (Entries{"/m/c.mp3", "/m/a.mp3", "http://radio.example/live|Live FM", "/m/d.mp3"}));
  QVERIFY(core_->listView.IsSelected(1));
  QVERIFY(core_->listView.IsSelected(2));
  QVERIFY(!core_->listView.IsSelected(3));

  // Copy leaves the list alone.
  SelectRows({3}, 3);
  Trigger("CopyAc");
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("/m/d.mp3\r\n"));
  QCOMPARE(List().size(), 4u);
}

void EditingWindowTest::PasteTakesLinesFromOtherProgramsWithLfEnds() {
  core_->playlist.PlaylistEntries = {"/m/a.mp3"};
  tarvo::UpdateListView(*core_, false, false);
  SelectRows({}, -1);
  // A text editor's copy: LF line ends and no line end after the last line.
  QGuiApplication::clipboard()->setText(QStringLiteral("/m/x.mp3\n/m/y.mp3"));
  Trigger("PastAc");
  QCOMPARE(List(), (Entries{"/m/x.mp3", "/m/y.mp3", "/m/a.mp3"}));
}

QTEST_MAIN(EditingWindowTest)
#include "editing_window_test.moc"
