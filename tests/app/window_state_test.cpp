// The main window's bounds, edge snapping, caption and tray offscreen, with
// the settings file of a temporary home folder.
#include "app/window_state.h"

#include <QMenu>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "app/program_icon.h"
#include "app/qt_ui.h"
#include "app/tray_icon.h"
#include "integration/saved_settings.h"
#include "playlist/entry_caption.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "support/fake_playback.h"
#include "support/temp_folder.h"

class WindowStateTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void MovesNearAWorkAreaEdgeSnapToIt();
  void ExitWhileMaximizedStoresOnlyMaximized();
  void StartWithAFileArgumentUsesWindow2();
  void CaptionAndTrayHintOfThePlayingEntry();
  void MinimizeGoesToTheTrayAndBackWithoutTheIcon();
  void MinimizeWithoutTrayOnlyMinimizes();

 private:
  // Loads the settings written by the test and shows the window as a start
  // does.
  void Start(const std::string& ini, const std::string& startArgument = "");
  tarvo::IniDocument SavedIni() const;

  std::unique_ptr<tarvo::testing::TempFolder> home_;
  std::unique_ptr<tarvo::testing::FakePlayback> playback_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<tarvo::Core> core_;
  std::unique_ptr<TAppTarvo> window_;
};

void WindowStateTest::init() {
  home_ = std::make_unique<tarvo::testing::TempFolder>();
  playback_ = std::make_unique<tarvo::testing::FakePlayback>();
  ui_ = std::make_unique<QtUi>();
}

void WindowStateTest::cleanup() {
  window_.reset();
  core_.reset();
  ui_.reset();
  playback_.reset();
  home_.reset();
}

void WindowStateTest::Start(const std::string& ini, const std::string& startArgument) {
  home_->Write("Tarvo.ini", ini);
  core_ = std::make_unique<tarvo::Core>(*ui_, *playback_, home_->Path());
  core_->startArgument = startArgument;
  window_ = std::make_unique<TAppTarvo>(*core_);
  ui_->AttachWindow(window_.get());
  const QRect screen = window_->screen()->geometry();
  tarvo::LoadSettings(*core_, screen.width(), screen.height());
  window_->ApplySettings();
  new WindowState(*core_, *window_);
  window_->ShowFirstTime();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

tarvo::IniDocument WindowStateTest::SavedIni() const {
  return tarvo::LoadIniFile(home_->Path() + "Tarvo.ini").value_or(tarvo::IniDocument());
}

void WindowStateTest::MovesNearAWorkAreaEdgeSnapToIt() {
  Start("[Window]\nLeft=100\nTop=120\nWidth=320\nHeight=380\n");
  QCOMPARE(window_->geometry(), QRect(100, 120, 320, 380));
  const QRect work = window_->screen()->availableGeometry();

  window_->move(work.left() + 8, work.top() + 100);
  QTRY_COMPARE(window_->frameGeometry().topLeft(), QPoint(work.left(), work.top() + 100));
  window_->move(work.left() + 11, work.top() + 100);
  QTest::qWait(20);
  QCOMPARE(window_->frameGeometry().topLeft(), QPoint(work.left() + 11, work.top() + 100));
  // Both ways: a window pushed past the bottom edge comes back onto it.
  window_->move(work.left() + 11, work.bottom() + 1 - window_->frameGeometry().height() + 7);
  QTRY_COMPARE(window_->frameGeometry().bottom(), work.bottom());
  QCOMPARE(core_->settings.bounds.left, window_->geometry().left());
  QCOMPARE(core_->settings.bounds.top, window_->geometry().top());
}

void WindowStateTest::ExitWhileMaximizedStoresOnlyMaximized() {
  Start("[Window]\nLeft=100\nTop=120\nWidth=320\nHeight=380\n");
  window_->move(140, 150);
  QTRY_COMPARE(window_->frameGeometry().left(), 140);
  const QRect normal = window_->geometry();
  QCOMPARE(core_->settings.bounds.left, normal.left());

  window_->showMaximized();
  // Maximizing saves at once.
  QTRY_COMPARE(SavedIni().Value("Window", "Maximized"), std::optional<std::string_view>("1"));
  QTest::qWait(20);
  QCOMPARE(core_->settings.bounds.left, normal.left());
  QCOMPARE(core_->settings.bounds.width, 320);

  // At exit the maximized window stores only the flag.
  tarvo::SaveSettings(*core_, window_->isMaximized());
  const tarvo::IniDocument ini = SavedIni();
  QCOMPARE(ini.Value("Window", "Maximized"), std::optional<std::string_view>("1"));
  QCOMPARE(ini.Value("Window", "Left"), std::optional<std::string_view>("100"));
  QCOMPARE(ini.Value("Window", "Width"), std::optional<std::string_view>("320"));

  // The next start opens maximized; restoring gives the bounds stored before.
  window_.reset();
  Start(home_->Read("Tarvo.ini"));
  QVERIFY(window_->isMaximized());
  window_->showNormal();
  QTRY_COMPARE(window_->geometry(), QRect(100, 120, 320, 380));
}

void WindowStateTest::StartWithAFileArgumentUsesWindow2() {
  Start(
      "[Window]\nLeft=100\nTop=120\nWidth=320\nHeight=380\nMaximized=1\n"
      "[Window2]\nLeft=200\nTop=150\nWidth=300\nHeight=350\n",
      "/music/a.mp3");
  QVERIFY(!window_->isMaximized());
  QCOMPARE(window_->geometry(), QRect(200, 150, 300, 350));
  window_->setGeometry(250, 160, 300, 350);
  QTRY_COMPARE(core_->settings.bounds.left, 250);

  tarvo::SaveSettings(*core_, window_->isMaximized());
  const tarvo::IniDocument ini = SavedIni();
  QCOMPARE(ini.Value("Window2", "Left"), std::optional<std::string_view>("250"));
  QCOMPARE(ini.Value("Window2", "Top"), std::optional<std::string_view>("160"));
  QVERIFY(!ini.Value("Window2", "Maximized"));
  QCOMPARE(ini.Value("Window", "Left"), std::optional<std::string_view>("100"));
  QCOMPARE(ini.Value("Window", "Maximized"), std::optional<std::string_view>("1"));
}

void WindowStateTest::CaptionAndTrayHintOfThePlayingEntry() {
  Start("");
  QCOMPARE(window_->windowTitle(), QStringLiteral("Tarvo 1.04b"));
  tarvo::SetEntryCaption(*core_, "My_Song%20[1].mp3", "/music/My_Song%20[1].mp3", "MPEG 1 Layer 3");
  QCOMPARE(window_->windowTitle(), QStringLiteral("My Song .mp3 - Tarvo"));
  QCOMPARE(core_->texts.trayHint, "/music/My_Song%20[1].mp3");
  tarvo::ResetCaption(*core_);
  QCOMPARE(window_->windowTitle(), QStringLiteral("Tarvo 1.04b"));
}

void WindowStateTest::MinimizeGoesToTheTrayAndBackWithoutTheIcon() {
  Start("");
  auto* tray = new TrayIcon(*core_, *window_, true);
  int pauses = 0;
  int wakes = 0;
  tray->onMinimizedToTray = [&pauses] { ++pauses; };
  tray->onRestored = [&wakes] { ++wakes; };
  tarvo::SetEntryCaption(*core_, "b.mp3", "/music/b.mp3", "");
  // The program's icon from the build tree's "share", as at start-up.
  QApplication::setWindowIcon(ProgramIcon());
  QVERIFY(!QApplication::windowIcon().availableSizes().isEmpty());
  // A program away from its data still draws the icon it carries.
  QVERIFY(!QIcon(QStringLiteral(":/tarvo.svg")).pixmap(QSize(32, 32)).isNull());

  tray->Minimize();
  QTRY_VERIFY(!window_->isVisible());
  QVERIFY(tray->IconVisible());
  QCOMPARE(tray->Icon().cacheKey(), window_->windowIcon().cacheKey());
  QVERIFY(tray->Icon().availableSizes().contains(QSize(48, 48)));
  QCOMPARE(tray->ToolTip(), QStringLiteral("/music/b.mp3"));
  QCOMPARE(pauses, 1);

  // Restore runs the menu's default item.
  QVERIFY(tray->Menu()->defaultAction() != nullptr);
  tray->Menu()->defaultAction()->trigger();
  QVERIFY(window_->isVisible());
  QVERIFY(!window_->isMinimized());
  QCOMPARE(wakes, 1);
  // The icon goes a moment after the window is back.
  QVERIFY(tray->IconVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!tray->IconVisible(), 2000);
}

void WindowStateTest::MinimizeWithoutTrayOnlyMinimizes() {
  Start("[Tweak]\nminimize_to_tray=0\n");
  auto* tray = new TrayIcon(*core_, *window_, true);
  QVERIFY(!core_->settings.minimizeToTray);
  tray->Minimize();
  QTest::qWait(20);
  QVERIFY(window_->isMinimized());
  QVERIFY(window_->isVisible());
  QVERIFY(!tray->IconVisible());

  // Nor where the desktop has no notification area.
  delete tray;
  window_->showNormal();
  core_->settings.minimizeToTray = true;
  auto* noTray = new TrayIcon(*core_, *window_, false);
  noTray->Minimize();
  QTest::qWait(20);
  QVERIFY(window_->isVisible());
  QVERIFY(!noTray->IconVisible());
}

QTEST_MAIN(WindowStateTest)
#include "window_state_test.moc"
