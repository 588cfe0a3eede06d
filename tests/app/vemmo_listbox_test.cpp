// The playlist view offscreen: rows rendered to an image show the colours of
// playing, selected, queued, shuffled and stream rows; the wheel and a mouse
// drag act on the core's list state.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "controls/vemmo_listbox.h"
#include "core.h"
#include "playlist/model.h"
#include "support/fake_playback.h"
#include "support/fake_ui.h"
#include "support/temp_folder.h"

namespace {

constexpr int kRowHeight = 24;

QColor Rgb(tarvo::Color color) { return QColor::fromRgb(color.rgb); }

}  // namespace

class VemmoListboxTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void RowsShowTheirMarksInTheirColours();
  void WheelScrollsEightEightyAndThreeRows();
  void DraggingMovesTheSelectedRowsLive();

 private:
  // Whether some pixel of `row` (counted from the top of the view) has
  // exactly `color`: glyph stems are fully covered, so the pen colour shows.
  bool RowHasPixel(const QImage& image, int row, const QColor& color) const;
  QColor RowFill(const QImage& image, int row) const {
    return image.pixelColor(image.width() - 2, row * kRowHeight + kRowHeight / 2);
  }
  QImage Render() { return list_->viewport()->grab().toImage(); }
  QPoint RowPoint(int row) const { return {40, (row - core_->listView.topRow) * kRowHeight + kRowHeight / 2}; }
  void SendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at);
  void SendWheel(int delta, Qt::KeyboardModifiers keys);

  std::unique_ptr<tarvo::testing::TempFolder> home_;
  std::unique_ptr<tarvo::testing::FakeUi> ui_;
  std::unique_ptr<tarvo::testing::FakePlayback> playback_;
  std::unique_ptr<tarvo::Core> core_;
  std::unique_ptr<TVemmoListbox> list_;
};

void VemmoListboxTest::init() {
  home_ = std::make_unique<tarvo::testing::TempFolder>();
  ui_ = std::make_unique<tarvo::testing::FakeUi>();
  playback_ = std::make_unique<tarvo::testing::FakePlayback>();
  core_ = std::make_unique<tarvo::Core>(*ui_, *playback_, home_->Path());
  tarvo::ListLook& look = core_->listLook;
  look.backgroundColor = {0xF0F0E0};
  look.fontColor = {0x101010};
  look.fontColorSelected = {0xFFFF00};
  look.selectionColor = {0x0000A0};
  look.selectionColorPlayingItem = {0x600060};
  look.playingItemColor = {0xC00000};
  look.playingItemColorSelected = {0x00FFFF};
  look.queuedItemColor = {0xFF6F28};
  look.shuffledItemColor = {0x808080};
  look.fontSize = 14;
  look.itemHeight = kRowHeight;
  core_->playlist.PlaylistEntries = {"/m/MMMM.mp3", "/m/MMMMM.mp3", "/m/MMMMMM.mp3", "/m/MMMMMMM.mp3",
                                     "/m/MMMMMMMM.mp3", "http://radio/live|MMMM FM"};
  tarvo::UpdateListView(*core_, false, false);
  core_->listView.ClearSelection();
  list_ = std::make_unique<TVemmoListbox>(*core_, nullptr);
  list_->resize(400, 10 * kRowHeight);
  list_->show();
  QVERIFY(QTest::qWaitForWindowExposed(list_.get()));
  list_->SyncFromCore();
}

void VemmoListboxTest::cleanup() {
  list_.reset();
  core_.reset();
}

bool VemmoListboxTest::RowHasPixel(const QImage& image, int row, const QColor& color) const {
  for (int y = row * kRowHeight; y < (row + 1) * kRowHeight; ++y) {
    for (int x = 0; x < image.width() / 2; ++x) {
      if (image.pixelColor(x, y) == color) return true;
    }
  }
  return false;
}

void VemmoListboxTest::SendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at) {
  QWidget* viewport = list_->viewport();
  QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(viewport, &event);
}

void VemmoListboxTest::SendWheel(int delta, Qt::KeyboardModifiers keys) {
  QWidget* viewport = list_->viewport();
  const QPointF at(20, 20);
  QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, keys,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &event);
}

void VemmoListboxTest::RowsShowTheirMarksInTheirColours() {
  const tarvo::ListLook& look = core_->listLook;
  playback_->deviceOpen = true;
  core_->playlist.CurrentIndex = 1;
  core_->playlist.QueueEntries = {"/m/MMMMMMM.mp3", "/m/MMMMMMMM.mp3"};
  core_->playlist.ShuffleHistory = {"/m/MMMMMMMM.mp3", "/m/MMMMMM.mp3", "http://radio/live|MMMM FM"};
  core_->listView.Select(2, true);
  list_->SyncFromCore();
  QImage image = Render();

  QCOMPARE(RowFill(image, 0), Rgb(look.backgroundColor));
  QVERIFY(RowHasPixel(image, 0, Rgb(look.fontColor)));
  QVERIFY(RowHasPixel(image, 1, Rgb(look.playingItemColor)));
  QCOMPARE(RowFill(image, 2), Rgb(look.selectionColor));
  QVERIFY(RowHasPixel(image, 2, Rgb(look.fontColorSelected)));
  QVERIFY(RowHasPixel(image, 3, Rgb(look.queuedItemColor)));
  QVERIFY(RowHasPixel(image, 4, Rgb(look.queuedItemColor)));  // queued wins over shuffled
  QVERIFY(!RowHasPixel(image, 4, Rgb(look.shuffledItemColor)));
  QVERIFY(RowHasPixel(image, 5, Rgb(tarvo::kStreamItemColor)));  // green wins over shuffled
  // Below the last row the list's own colour, no stale pixels.
  QCOMPARE(RowFill(image, 8), Rgb(look.backgroundColor));
  QVERIFY(!RowHasPixel(image, 8, Rgb(look.fontColor)));

  core_->playlist.QueueEntries.clear();
  core_->listView.Select(1, true);
  core_->listView.Select(5, true);
  list_->SyncFromCore();
  image = Render();
  QVERIFY(RowHasPixel(image, 4, Rgb(look.shuffledItemColor)));
  QCOMPARE(RowFill(image, 1), Rgb(look.selectionColorPlayingItem));
  QVERIFY(RowHasPixel(image, 1, Rgb(look.playingItemColorSelected)));
  // A selected stream row is drawn in the selection colours, not green.
  QCOMPARE(RowFill(image, 5), Rgb(look.selectionColor));
  QVERIFY(RowHasPixel(image, 5, Rgb(look.fontColorSelected)));
  QVERIFY(!RowHasPixel(image, 5, Rgb(tarvo::kStreamItemColor)));
}

void VemmoListboxTest::WheelScrollsEightEightyAndThreeRows() {
  std::vector<std::string> entries;
  for (int i = 0; i < 1000; ++i) entries.push_back("/m/" + std::to_string(i) + ".mp3");
  core_->playlist.PlaylistEntries = std::move(entries);
  tarvo::UpdateListView(*core_, false, false);
  list_->SyncFromCore();

  SendWheel(-120, Qt::NoModifier);
  QCOMPARE(core_->listView.topRow, 8);
  SendWheel(-120, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(core_->listView.topRow, 88);
  SendWheel(120, Qt::ShiftModifier);
  QCOMPARE(core_->listView.topRow, 85);
  // A fine-grained wheel scrolls once its movement adds up to a notch.
  SendWheel(60, Qt::NoModifier);
  SendWheel(60, Qt::NoModifier);
  QCOMPARE(core_->listView.topRow, 77);
  QCOMPARE(list_->verticalScrollBar()->value(), 77);
}

void VemmoListboxTest::DraggingMovesTheSelectedRowsLive() {
  std::vector<std::string> entries;
  for (int i = 0; i < 8; ++i) entries.push_back("/m/" + std::to_string(i) + ".mp3");
  core_->playlist.PlaylistEntries = entries;
  tarvo::UpdateListView(*core_, false, false);
  core_->playlist.CurrentIndex = 5;
  core_->listView.ClearSelection();
  for (const int row : {2, 5, 6}) core_->listView.Select(row, true);
  list_->SyncFromCore();

  SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, RowPoint(5));
  QCOMPARE(core_->listView.SelectedCount(), 3);  // kept for the drag
  SendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, RowPoint(4));
  QVERIFY(list_->Dragging());
  QCOMPARE(core_->listView.SelectedRows(), (std::vector<int>{1, 4, 5}));  // moved before the drop
  SendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, RowPoint(3));
  SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, RowPoint(3));
  QVERIFY(!list_->Dragging());
  QCOMPARE(core_->listView.SelectedRows(), (std::vector<int>{0, 3, 4}));
  QCOMPARE(core_->playlist.CurrentIndex, 3);
  QCOMPARE(core_->playlist.PlaylistEntries[3], entries[5]);

  // A click without a drag selects the row alone.
  SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, RowPoint(3));
  SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, RowPoint(3));
  QCOMPARE(core_->listView.SelectedRows(), std::vector<int>{3});
}

QTEST_MAIN(VemmoListboxTest)
#include "vemmo_listbox_test.moc"
