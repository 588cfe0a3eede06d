// A full repaint of one page of the playlist view with 100,000 entries, a
// 50,000-entry shuffle history and a queue, against the same page painted as
// plain text in one colour (the floor: what the toolkit needs for the glyphs
// alone). Goal: under 5 ms for the page.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <random>

#include "bench_support.h"
#include "controls/vemmo_listbox.h"
#include "core.h"
#include "playback/idle_playback.h"
#include "playlist/model.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kHistory = 50000;
constexpr int kWidth = 800;
constexpr int kHeight = 1000;
constexpr int kRuns = 50;

// An output device that is open, so the playing row is drawn as such.
class OpenDevicePlayback : public tarvo::IdlePlayback {
 public:
  bool DeviceOpen() const override { return true; }
};

std::string EntryName(int i) {
  return "/home/user/Music/Artist " + std::to_string(i / 1000) + "/Album " + std::to_string(i / 20) + "/" +
         std::to_string(i % 20 + 1) + " Track Title Number " + std::to_string(i) + ".mp3";
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  tarvo::bench::QuietUi ui;
  OpenDevicePlayback playback;
  tarvo::Core core(ui, playback, "/tmp/");
  auto& playlist = core.playlist;
  for (int i = 0; i < kEntries; ++i) playlist.PlaylistEntries.push_back(EntryName(i));
  // Half the list played in shuffle mode, in random order: about half the
  // rows of a page are marked, so no pass over the history ends early.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, kEntries - 1);
  for (int i = 0; i < kHistory; ++i) playlist.ShuffleHistory.push_back(playlist.PlaylistEntries[pick(random)]);
  for (int i = 0; i < 10; ++i) playlist.QueueEntries.push_back(playlist.PlaylistEntries[50010 + 3 * i]);
  playlist.ViewFormat = 2;  // the relative style, the costliest text
  tarvo::UpdateListView(core, false, false);
  core.listView.topRow = 50000;
  playlist.CurrentIndex = 50005;
  for (int row = 50000; row < 50040; row += 2) core.listView.Select(row, true);

  TVemmoListbox list(core, nullptr);
  list.resize(kWidth, kHeight);
  list.SyncFromCore();
  QWidget* viewport = list.viewport();
  QImage page(viewport->size(), QImage::Format_ARGB32_Premultiplied);
  const double listMs = tarvo::bench::BestOfMs(kRuns, [&] { viewport->render(&page); });

  const int rows = list.VisibleRowCount() + 1;
  const int height = list.RowHeight();
  const QFont font = list.font();
  std::vector<QString> texts;
  for (int row = 0; row < rows; ++row) texts.push_back(QString::fromStdString(playlist.PlaylistEntries[50000 + row]));
  const double floorMs = tarvo::bench::BestOfMs(kRuns, [&] {
    QPainter painter(&page);
    painter.setFont(font);
    painter.fillRect(page.rect(), Qt::white);
    for (int row = 0; row < rows; ++row) painter.drawText(QPoint(4, row * height + height - 3), texts[row]);
  });

  std::printf("list view page of %d rows (%d entries, %d in the shuffle history): %.2f ms\n", rows, kEntries,
              kHistory, listMs);
  std::printf("plain text page floor: %.2f ms\n", floorMs);
  std::printf("ratio: %.2f (goal: the page under 5 ms)\n", listMs / floorMs);
  return 0;
}
