// The level meters and volume bars in the main window, offscreen: the LEDs
// each level lights as drawn on screen, the fall after a loud peak, the
// style commands and the layout they give, the volume display of the
// 14-step style, the volume drag, the bar control's painting, and a tone
// played through the real engine and null output lighting the meter.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/level_timer.h"
#include "app/main_window.h"
#include "app/progress_panel.h"
#include "app/qt_ui.h"
#include "app/status_timer.h"
#include "audio/linux_audio_library.h"
#include "controls/vemmo_listbox.h"
#include "controls/vemmo_progress.h"
#include "playback/engine.h"
#include "playback/level_meter.h"
#include "playback/volume.h"
#include "settings/settings_store.h"
#include "support/audio_fixtures.h"
#include "support/fake_playback.h"
#include "support/temp_folder.h"

namespace {

using namespace tarvo;

// A window over a core with fake playback, shown offscreen with all its
// commands connected.
struct WindowFixture {
  WindowFixture() : core(ui, playback, home.Path()), window(core) {
    ui.AttachWindow(&window);
    ConnectCommandEffects(core, window);
    window.resize(520, 300);
    window.show();
  }

  TProgressPanel& Panel() { return *window.ProgressPanel(); }
  void Trigger(CommandId command) { window.Commands().Command(command)->trigger(); }

  testing::TempFolder home;
  testing::FakePlayback playback;
  QtUi ui;
  Core core;
  TAppTarvo window;
};

// The LEDs lit on one side of a stereo LED meter as drawn, counted from the
// meter's start; -1 when they are not one run from the start. `slots` gets
// the number of whole LEDs that fit.
int LitLeds(TVemmoProgress& meter, bool left, int* slots = nullptr) {
  const QImage image = meter.grab().toImage();
  const QRect inside = meter.InsideRect();
  const bool horizontal = meter.Orientation() == TProgressOrientation::pbHorizontal;
  const int length = horizontal ? inside.width() : inside.height();
  const int thickness = horizontal ? inside.height() : inside.width();
  const int half = (thickness - meter.StereoSeperation()) / 2;
  const int across = left ? half / 2 : half + meter.StereoSeperation() + half / 2;
  int lit = 0;
  int count = 0;
  bool darkSeen = false;
  for (int from = 0; from + meter.LedWidth() <= length; from += meter.LedWidth() + meter.LedSeperation(), ++count) {
    const int along = from + meter.LedWidth() / 2;
    const QPoint point = horizontal ? QPoint(inside.left() + along, inside.top() + across)
                                    : QPoint(inside.left() + across, inside.bottom() - along);
    const bool on = image.pixelColor(point) == meter.BarColor();
    if (on && darkSeen) return -1;
    if (on) ++lit;
    darkSeen |= !on;
  }
  if (slots) *slots = count;
  return lit;
}

// Shows `left` and `right` as the displayed levels and paints them.
void ShowLevels(WindowFixture& fixture, int left, int right) {
  ShowLevel(fixture.core, left, true, false);
  ShowLevel(fixture.core, right, false, false);
  fixture.window.ShowLevelMeters();
}

// Records the rectangles it is asked to repaint.
class RecordingProgress : public TVemmoProgress {
 public:
  using TVemmoProgress::TVemmoProgress;
  QList<QRect> painted;

 protected:
  void paintEvent(QPaintEvent* event) override {
    painted << event->rect();
    TVemmoProgress::paintEvent(event);
  }
};

// Counts the paint events of the widget it watches.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

// Runs the event loop until `done` or `seconds` have passed.
bool WaitFor(const std::function<bool()>& done, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QTest::qWait(10);
  }
  return true;
}

}  // namespace

class LevelMeterWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ThresholdLevelsLightTheirLeds();
  void FallAfterAPeakIsDrawnTickByTick();
  void StyleCommandsCycleLayOutAndStore();
  void VolumeKeyTradesTheScaleForTheVolumeIn14Step();
  void VolumeDragShowsTheBarAndFollowsThePointer();
  void PositionChangeRepaintsOnlyTheInside();
  void LedChangeRepaintsOnlyTheLedsThatChange();
  void BarTypesPaintTheirShapes();
  void PlayingToneLightsTheMeterAndStopLetsItSleep();
  void SteadyLevelsRepaintNothingAndAHiddenWindowSleeps();
  void StatusTicksShareTheMetersWakeUpsAtTheirOwnRate();
};

void LevelMeterWindowTest::ThresholdLevelsLightTheirLeds() {
  WindowFixture fixture;
  QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));
  TVemmoProgress& meter14 = *fixture.Panel().LevelMeter14();
  TVemmoProgress& meter6 = *fixture.Panel().LevelMeter6();

  fixture.Trigger(CommandId::Level3Ac);
  int slots = 0;
  ShowLevels(fixture, kFullScaleLevel, 32767);
  QCOMPARE(LitLeds(meter14, true, &slots), 14);
  QCOMPARE(slots, kLevelMeter14Leds);  // the 14 LEDs fill the meter exactly
  QCOMPARE(LitLeds(meter14, false), 13);
  ShowLevels(fixture, 0, 1037);  // silence keeps one LED; -30 dB lights four
  QCOMPARE(LitLeds(meter14, true), 1);
  QCOMPARE(LitLeds(meter14, false), 4);
  ShowLevels(fixture, 33, 32);
  QCOMPARE(LitLeds(meter14, true), 2);
  QCOMPARE(LitLeds(meter14, false), 1);

  fixture.Trigger(CommandId::Level2Ac);
  ShowLevels(fixture, kFullScaleLevel, 1037);
  QCOMPARE(LitLeds(meter6, true, &slots), 7);
  QCOMPARE(slots, kLevelMeter6Leds);
  QCOMPARE(LitLeds(meter6, false), 2);
  ShowLevels(fixture, 0, 32);  // the 6-step meter is dark in silence
  QCOMPARE(LitLeds(meter6, true), 0);
  QCOMPARE(LitLeds(meter6, false), 0);
  // The 14-step meter, hidden now, was put out.
  QCOMPARE(LitLeds(meter14, true), 0);
}

void LevelMeterWindowTest::FallAfterAPeakIsDrawnTickByTick() {
  WindowFixture fixture;
  fixture.Trigger(CommandId::Level2Ac);
  TVemmoProgress& meter = *fixture.Panel().LevelMeter6();
  QList<int> drawn;
  ShowPeaks(fixture.core, {kFullScaleLevel, kFullScaleLevel});
  fixture.window.ShowLevelMeters();
  drawn << LitLeds(meter, true);
  for (int tick = 0; tick < 14; ++tick) {
    ShowPeaks(fixture.core, {});
    fixture.window.ShowLevelMeters();
    drawn << LitLeds(meter, true);
    QCOMPARE(LitLeds(meter, false), drawn.last());
  }
  // One step every second tick, and from the lowest step straight to dark.
  QCOMPARE(drawn, (QList<int>{7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0}));
}

void LevelMeterWindowTest::StyleCommandsCycleLayOutAndStore() {
  WindowFixture fixture;
  QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));
  TProgressPanel& panel = fixture.Panel();
  fixture.Trigger(CommandId::Level1Ac);
  QCOMPARE(fixture.core.settings.levelMeterStyle, 0);
  QVERIFY(panel.LabelVolume()->isVisible());
  QVERIFY(!panel.LevelMeter6()->isVisible());
  QVERIFY(!panel.LevelMeter14()->isVisible());
  QVERIFY(fixture.window.Commands().Command(CommandId::Level1Ac)->isChecked());
  // The seek bar reaches across the panel.
  QCOMPARE(panel.Progres()->geometry().right() + 1, panel.width() - panel.Progres()->x());

  QList<int> styles;
  for (int press = 0; press < 3; ++press) {
    fixture.Trigger(CommandId::VUToggleAc);
    styles << fixture.core.settings.levelMeterStyle;
    QCOMPARE(ReadIniInteger(fixture.core, "Window", "VUStyle", -1), styles.last());
    const int style = styles.last();
    QCOMPARE(panel.LevelMeter6()->isVisible(), style == 1);
    QCOMPARE(panel.LevelMeter14()->isVisible(), style == 2);
    QCOMPARE(panel.PanelLevelMeter14()->isVisible(), style == 2);
    QCOMPARE(panel.LabelVolume()->isVisible(), style != 2);
    QVERIFY(fixture.window.Commands().Command(LevelCommand(style))->isChecked());
    // The seek bar ends before the meter and the volume label before it.
    const QWidget* meter = style == 1 ? static_cast<QWidget*>(panel.LevelMeter6())
                                      : static_cast<QWidget*>(panel.LevelMeter14());
    if (style != 0) QVERIFY(panel.Progres()->geometry().right() < meter->x());
    if (style == 1) QVERIFY(panel.LabelVolume()->geometry().right() < meter->x());
  }
  QCOMPARE(styles, (QList<int>{1, 2, 0}));
  QCOMPARE(panel.LevelMeter14()->width(), 143);
  QCOMPARE(panel.PanelLevelMeter14()->size(), QSize(144, 16));
}

void LevelMeterWindowTest::VolumeKeyTradesTheScaleForTheVolumeIn14Step() {
  WindowFixture fixture;
  QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));
  TProgressPanel& panel = fixture.Panel();
  SetVolume(fixture.core, 500);
  fixture.Trigger(CommandId::Level3Ac);
  QWidget* list = fixture.window.ListScreen();

  QTest::keyPress(list, Qt::Key_Plus, Qt::KeypadModifier);
  QCOMPARE(fixture.core.settings.volume, 530);
  QVERIFY(!panel.PanelLevelMeter14()->isVisible());
  QVERIFY(panel.LabelVolume()->isVisible());
  QCOMPARE(panel.LabelVolume()->text(), QStringLiteral("53 %"));
  QVERIFY(panel.VolumeProcesBar()->isVisible());
  QCOMPARE(panel.VolumeProcesBar()->Position(), 53);
  QCOMPARE(panel.LevelMeter14()->width(), 139 - panel.VolumeProcesBar()->width());
  QVERIFY(panel.LevelMeter14()->geometry().right() < panel.VolumeProcesBar()->x());

  QTest::keyRelease(list, Qt::Key_Plus, Qt::KeypadModifier);
  QVERIFY(panel.PanelLevelMeter14()->isVisible());
  QVERIFY(!panel.LabelVolume()->isVisible());
  QVERIFY(!panel.VolumeProcesBar()->isVisible());
  QCOMPARE(panel.LevelMeter14()->width(), 143);

  // In the 6-step style the label shows the volume anyway.
  fixture.Trigger(CommandId::Level2Ac);
  QTest::keyPress(list, Qt::Key_Minus);
  QCOMPARE(fixture.core.settings.volume, 500);
  QVERIFY(panel.LevelMeter6()->isVisible());
  QVERIFY(!panel.VolumeProcesBar()->isVisible());
  QTest::keyRelease(list, Qt::Key_Minus);
}

void LevelMeterWindowTest::VolumeDragShowsTheBarAndFollowsThePointer() {
  WindowFixture fixture;
  QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));
  TProgressPanel& panel = fixture.Panel();
  QWindow* window = fixture.window.windowHandle();
  const auto at = [&](QWidget* widget, QPoint point) { return widget->mapTo(&fixture.window, point); };

  // 6-step: the volume bar stands in for the meter while dragging.
  fixture.Trigger(CommandId::Level2Ac);
  SetVolume(fixture.core, 500);
  QLabel* label = panel.LabelVolume();
  const QPoint start = at(label, QPoint(10, 15));
  QTest::mousePress(window, Qt::LeftButton, {}, start);
  QVERIFY(panel.VolumeProcesBar()->isVisible());
  QVERIFY(!panel.LevelMeter6()->isVisible());
  QCOMPARE(panel.VolumeProcesBar()->geometry(), panel.LevelMeter6()->geometry());
  QTest::mouseMove(window, start - QPoint(0, 10));
  QCOMPARE(fixture.core.settings.volume, 680);  // 10 pixels up, 18 units each
  QCOMPARE(panel.VolumeProcesBar()->Position(), 68);
  QTest::mouseRelease(window, Qt::LeftButton, {}, start - QPoint(0, 10));
  QVERIFY(!fixture.core.volume.dragging);
  QVERIFY(panel.LevelMeter6()->isVisible());
  QVERIFY(!panel.VolumeProcesBar()->isVisible());

  // 14-step: a drag from a label of the scale goes on after the scale is
  // hidden under the pointer.
  fixture.Trigger(CommandId::Level3Ac);
  QLabel* mark = panel.PanelLevelMeter14()->findChildren<QLabel*>().constFirst();
  const QPoint onMark = at(mark, mark->rect().center());
  QTest::mousePress(window, Qt::LeftButton, {}, onMark);
  QVERIFY(!panel.PanelLevelMeter14()->isVisible());
  QVERIFY(panel.LabelVolume()->isVisible());
  QVERIFY(panel.LevelMeter14()->width() < 143);
  QTest::mouseMove(window, onMark + QPoint(0, 5));
  QCOMPARE(fixture.core.settings.volume, 590);
  QTest::mouseRelease(window, Qt::LeftButton, {}, onMark + QPoint(0, 5));
  QVERIFY(panel.PanelLevelMeter14()->isVisible());
  QVERIFY(!panel.LabelVolume()->isVisible());
  QCOMPARE(panel.LevelMeter14()->width(), 143);
}

void LevelMeterWindowTest::PositionChangeRepaintsOnlyTheInside() {
  QWidget parent;
  parent.resize(200, 40);
  auto* bar = new RecordingProgress(&parent);
  bar->setGeometry(10, 10, 150, 16);
  parent.show();
  QVERIFY(QTest::qWaitForWindowExposed(&parent));
  QTRY_VERIFY(!bar->painted.isEmpty());
  bar->painted.clear();

  bar->SetPosition(40);
  QTRY_COMPARE(bar->painted.size(), 1);
  QCOMPARE(bar->painted.first(), bar->InsideRect());
  QCOMPARE(bar->InsideRect(), QRect(2, 2, 146, 12));
  // A step that fills no further pixel repaints nothing: 146 pixels for
  // 1000 units.
  bar->SetMax(1000);
  bar->SetPosition(400);
  QTRY_VERIFY(!bar->painted.isEmpty());
  QTest::qWait(50);
  bar->painted.clear();
  bar->SetPosition(401);
  bar->SetPosition(402);
  QTest::qWait(50);
  QVERIFY(bar->painted.isEmpty());
  bar->SetPosition(410);
  QTRY_COMPARE(bar->painted.size(), 1);
  bar->painted.clear();
  bar->SetBarColor(Qt::red);  // a change of look repaints the frame too
  QTRY_COMPARE(bar->painted.size(), 1);
  QCOMPARE(bar->painted.first(), bar->rect());
}

void LevelMeterWindowTest::LedChangeRepaintsOnlyTheLedsThatChange() {
  QWidget parent;
  parent.resize(200, 40);
  auto* meter = new RecordingProgress(&parent);
  meter->setGeometry(10, 10, 143, 15);  // as the 14-step meter: 14 LEDs of 9 pixels, 1 between
  meter->SetBarType(TBarType::brStereoLeds);
  meter->SetMax(14);
  meter->SetLedWidth(9);
  parent.show();
  QVERIFY(QTest::qWaitForWindowExposed(&parent));
  QTRY_VERIFY(!meter->painted.isEmpty());
  const auto onScreen = [&] {
    return parent.screen()->grabWindow(parent.winId()).toImage().copy(meter->geometry()).convertToFormat(
        QImage::Format_RGB32);
  };
  const auto drawnWhole = [&] { return meter->grab().toImage().convertToFormat(QImage::Format_RGB32); };

  // Left from 0 to 5 LEDs: the band above the middle (5 of the inside's 11
  // rows), LEDs 0 to 4.
  meter->painted.clear();
  meter->SetPosition(5);
  QTRY_COMPARE(meter->painted.size(), 1);
  QCOMPARE(meter->painted.first(), QRect(2, 2, 49, 5));
  // Right from 0 to 3 and left down to 2: two bands, one repaint.
  meter->painted.clear();
  meter->SetPosition2(3);
  meter->SetPosition(2);
  QTRY_COMPARE(meter->painted.size(), 1);
  QCOMPARE(meter->painted.first(), QRect(2, 2, 49, 11));
  // Whatever the steps, the screen shows what a whole paint draws.
  const std::pair<int, int> steps[] = {{14, 0}, {13, 14}, {0, 1}, {7, 7}, {6, 8}};
  for (const auto& [left, right] : steps) {
    meter->painted.clear();
    meter->SetPosition(left);
    meter->SetPosition2(right);
    QTRY_VERIFY(!meter->painted.isEmpty());
    QTRY_COMPARE(onScreen(), drawnWhole());
  }
}

void LevelMeterWindowTest::BarTypesPaintTheirShapes() {
  QWidget parent;
  auto* bar = new TVemmoProgress(&parent);
  bar->setGeometry(0, 0, 104, 16);  // a 100 x 12 picture inside border 1
  bar->SetBarColor(Qt::blue);
  bar->SetBackgroundColor(Qt::white);
  bar->SetFrameTopColor(Qt::black);
  bar->SetFrameBottomColor(Qt::gray);
  const auto filled = [&](int x, int y) { return bar->grab().toImage().pixelColor(x, y) == QColor(Qt::blue); };

  // Positions are clamped to 0..Max.
  bar->SetPosition(250);
  QCOMPARE(bar->Position(), 100);
  bar->SetPosition2(-5);
  QCOMPARE(bar->Position2(), 0);

  bar->SetPosition(25);
  QImage image = bar->grab().toImage();
  QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
  QCOMPARE(image.pixelColor(103, 15), QColor(Qt::gray));
  QVERIFY(filled(2 + 24, 7));   // the last filled column
  QVERIFY(!filled(2 + 25, 7));  // the first empty one

  // Vertical bars grow up from the bottom.
  bar->SetOrientation(TProgressOrientation::pbVertical);
  bar->setGeometry(0, 0, 16, 104);
  QVERIFY(filled(7, 101));
  QVERIFY(filled(7, 2 + 75));
  QVERIFY(!filled(7, 2 + 74));

  // Stereo: the two positions as two bars side by side.
  bar->SetOrientation(TProgressOrientation::pbHorizontal);
  bar->setGeometry(0, 0, 104, 16);
  bar->SetBarType(TBarType::brStereo);
  bar->SetPosition2(50);
  QVERIFY(filled(2 + 24, 2));
  QVERIFY(!filled(2 + 30, 2));
  QVERIFY(filled(2 + 49, 2 + 8));
  QVERIFY(!filled(2 + 50, 2 + 8));

  // Classic blocks: 10-pixel blocks (16 / 1.55) with 2-pixel gaps; a partly
  // filled block is drawn whole.
  bar->SetBarType(TBarType::brClassicWindows);
  bar->SetPosition(21);
  QVERIFY(filled(2 + 7, 7));
  QVERIFY(!filled(2 + 8, 7));
  QVERIFY(filled(2 + 27, 7));
  QVERIFY(!filled(2 + 28, 7));
  QVERIFY(!filled(2 + 32, 7));  // no fourth block

  // A border as wide as the control is taken as 1.
  bar->SetBorderWidth(16);
  QCOMPARE(bar->BorderWidth(), 1);
  bar->SetBorderWidth(3);
  QCOMPARE(bar->InsideRect(), QRect(4, 4, 96, 8));

  bar->SetCaptionType(TCaptionType::ctPercent);
  QCOMPARE(bar->CaptionText(), QStringLiteral(" 21 %"));
  bar->SetCaptionType(TCaptionType::ctValue);
  QCOMPARE(bar->CaptionText(), QStringLiteral(" 21 / 100"));
}

void LevelMeterWindowTest::PlayingToneLightsTheMeterAndStopLetsItSleep() {
  testing::TempFolder home;
  const std::string tone = home.Path() + "tone.wav";
  testing::WriteWav(tone, testing::AudioSpec{44100, 2, {testing::Tone(4.0, 441.0, 0.9)}});
  audio::LinuxAudioLibrary library(audio::ParseOutputChoice("null"));
  TickClock tickClock(nullptr);
  StatusTimer statusTimer(tickClock);
  LevelTimer levelTimer(tickClock);
  PlaybackEngine engine(library, statusTimer);
  engine.SetLevelThread(&levelTimer);
  QtUi ui;
  Core core(ui, engine, home.Path());
  engine.Attach(core);
  statusTimer.OnTick([&engine] { engine.StatusTick(); });
  TAppTarvo window(core);
  ui.AttachWindow(&window);
  levelTimer.OnTick([&] {
    if (LevelThreadRound(core, levelTimer, library, engine.OutputStream())) window.ShowLevelMeters();
  });
  window.show();
  ApplyLevelMeterStyle(core, kLevelMeter14Style);
  QVERIFY(levelTimer.IsSuspended());

  core.playlist.PlaylistEntries = {tone};
  engine.PlayEntry(0);
  QVERIFY(!levelTimer.IsSuspended());
  // 0.9 of full scale is -0.9 dB: thirteen LEDs.
  TVemmoProgress& meter = *window.ProgressPanel()->LevelMeter14();
  QVERIFY(WaitFor([&] { return LitLeds(meter, true) == 13 && LitLeds(meter, false) == 13; }, 3.0));

  engine.StopPlayback(true);
  QVERIFY(!levelTimer.IsSuspended());  // still falling
  QVERIFY(WaitFor([&] { return levelTimer.IsSuspended(); }, 3.0));
  QCOMPARE(core.levelMeter.DisplayedLevelLeft, 0);
  QCOMPARE(LitLeds(meter, true), 1);  // the 14-step meter's silence LED
}

void LevelMeterWindowTest::SteadyLevelsRepaintNothingAndAHiddenWindowSleeps() {
  testing::TempFolder home;
  const std::string file = home.Path() + "steady.wav";
  testing::WriteWav(file, testing::AudioSpec{
                              44100, 2, {testing::Silence(2.0), testing::Tone(3.5, 441.0, 0.9), testing::Silence(2.5)}});
  audio::LinuxAudioLibrary library(audio::ParseOutputChoice("null"));
  TickClock tickClock(nullptr);
  StatusTimer statusTimer(tickClock);
  LevelTimer levelTimer(tickClock);
  PlaybackEngine engine(library, statusTimer);
  engine.SetLevelThread(&levelTimer);
  QtUi ui;
  Core core(ui, engine, home.Path());
  engine.Attach(core);
  statusTimer.OnTick([&engine] { engine.StatusTick(); });
  TAppTarvo window(core);
  ui.AttachWindow(&window);
  int rounds = 0;
  levelTimer.OnTick([&] {
    ++rounds;
    if (LevelThreadRound(core, levelTimer, library, engine.OutputStream())) window.ShowLevelMeters();
  });
  levelTimer.FollowMeters(window, {window.ProgressPanel()->LevelMeter6(), window.ProgressPanel()->LevelMeter14()},
                          [&core] { ForgetDisplayedLevels(core); });
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  ApplyLevelMeterStyle(core, kLevelMeter14Style);
  TVemmoProgress& meter = *window.ProgressPanel()->LevelMeter14();
  PaintCounter counter(meter);
  core.playlist.PlaylistEntries = {file};
  engine.PlayEntry(0);

  // Silence keeps the silence LED lit: a second of rounds, no repaint.
  QVERIFY(WaitFor([&] { return LitLeds(meter, true) == 1 && LitLeds(meter, false) == 1; }, 3.0));
  QTest::qWait(20);
  counter.paints = 0;
  const int roundsBefore = rounds;
  QTest::qWait(1000);
  QVERIFY(rounds > roundsBefore + 10);
  QCOMPARE(counter.paints, 0);

  // A steady tone: one repaint to light it, then none.
  QVERIFY(WaitFor([&] { return LitLeds(meter, true) == 13 && LitLeds(meter, false) == 13; }, 3.0));
  QTest::qWait(20);
  counter.paints = 0;
  QTest::qWait(1000);
  QCOMPARE(counter.paints, 0);

  // Hidden in the tray the meter does not tick; shown again in the silence
  // after the tone it shows the silence at once, not a fall from the tone.
  window.hide();
  const int roundsHidden = rounds;
  QVERIFY(WaitFor([&] { return engine.ElapsedMs() > 5700; }, 5.0));
  QCOMPARE(rounds, roundsHidden);
  QVERIFY(!levelTimer.IsSuspended());
  window.show();
  QCOMPARE(LitLeds(meter, true), 1);
  QCOMPARE(LitLeds(meter, false), 1);

  // Nor while another window covers the whole window; a round runs as soon
  // as part of it shows again.
  levelTimer.SetWindowCovered(true);
  const int roundsCovered = rounds;
  QTest::qWait(200);
  QCOMPARE(rounds, roundsCovered);
  levelTimer.SetWindowCovered(false);
  QCOMPARE(rounds, roundsCovered + 1);

  // With the meter style hidden nothing is seen either.
  ApplyLevelMeterStyle(core, kLevelMeterHidden);
  const int roundsStyleHidden = rounds;
  QTest::qWait(200);
  QCOMPARE(rounds, roundsStyleHidden);
  engine.StopPlayback(true);
}

// Both timers on one clock: the meter keeps its 20 ms rounds and the status
// tick its 33 ms on average, and a status tick runs in a wake-up of the
// meter's (the round follows it at once) instead of one of its own.
void LevelMeterWindowTest::StatusTicksShareTheMetersWakeUpsAtTheirOwnRate() {
  TickClock clock(nullptr);
  StatusTimer statusTimer(clock);
  LevelTimer levelTimer(clock);
  QElapsedTimer elapsed;
  elapsed.start();
  std::vector<qint64> statusNs;
  std::vector<qint64> roundNs;
  statusTimer.OnTick([&] { statusNs.push_back(elapsed.nsecsElapsed()); });
  levelTimer.OnTick([&] { roundNs.push_back(elapsed.nsecsElapsed()); });
  statusTimer.SetPeriod(33);
  statusTimer.Resume();
  levelTimer.Resume();
  QTest::qWait(2000);
  statusTimer.Suspend();
  levelTimer.Suspend();
  QVERIFY2(roundNs.size() >= 90 && roundNs.size() <= 101, qPrintable(QString::number(roundNs.size())));
  QVERIFY2(statusNs.size() >= 55 && statusNs.size() <= 61, qPrintable(QString::number(statusNs.size())));
  const auto shared = std::count_if(statusNs.begin(), statusNs.end(), [&](qint64 at) {
    return std::any_of(roundNs.begin(), roundNs.end(), [at](qint64 round) { return round >= at && round - at < 1000000; });
  });
  QVERIFY2(shared * 10 >= static_cast<qint64>(statusNs.size()) * 9, qPrintable(QString::number(shared)));
}

QTEST_MAIN(LevelMeterWindowTest)
#include "level_meter_test.moc"
