// The main window's commands: every command of the table exists with its
// caption and shortcut, and keys in the list reach the key dispatcher.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/main_window.h"
#include "app/qt_ui.h"
#include "controls/vemmo_listbox.h"
#include "playlist/model.h"
#include "support/fake_playback.h"
#include "support/temp_folder.h"

class CommandTableTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void EveryCommandHasItsShortcut();
  void ModeCommandsAndThePanelClickStepTheMode();
  void ListKeysGoToTheDispatcherAndAreSwallowed();

 private:
  std::unique_ptr<tarvo::testing::TempFolder> home_;
  std::unique_ptr<tarvo::testing::FakePlayback> playback_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<tarvo::Core> core_;
  std::unique_ptr<TAppTarvo> window_;
};

void CommandTableTest::init() {
  home_ = std::make_unique<tarvo::testing::TempFolder>();
  playback_ = std::make_unique<tarvo::testing::FakePlayback>();
  ui_ = std::make_unique<QtUi>();
  core_ = std::make_unique<tarvo::Core>(*ui_, *playback_, home_->Path());
  window_ = std::make_unique<TAppTarvo>(*core_);
  ui_->AttachWindow(window_.get());
  ConnectCommandEffects(*core_, *window_);
  core_->playlist.PlaylistEntries = {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"};
  tarvo::UpdateListView(*core_, false, false);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void CommandTableTest::cleanup() {
  window_.reset();
  core_.reset();
}

void CommandTableTest::EveryCommandHasItsShortcut() {
  const CommandTable& commands = window_->Commands();
  QCOMPARE(commands.Names().size(), 65);
  const QList<std::pair<const char*, QKeySequence>> expected = {
      {"OpenFileAc", QKeySequence(QStringLiteral("Ctrl+L"))},
      {"OpenDirAc", QKeySequence(Qt::Key_F4)},
      {"EscAc", QKeySequence(Qt::Key_Escape)},
      {"PropertiesAc", QKeySequence(QStringLiteral("Alt+Return"))},
      {"RealDelAc", QKeySequence(QStringLiteral("Shift+Del"))},
      {"JumpAc", QKeySequence(Qt::Key_QuoteLeft)},
      {"StopAc", QKeySequence(QKeyCombination(Qt::KeypadModifier, Qt::Key_0))},
      {"PrevAc", QKeySequence(Qt::Key_Backtab)},
      {"ResetMixerAc", QKeySequence(QStringLiteral("Ctrl+Space"))},
      {"ViewFormatPathAc", QKeySequence(Qt::Key_F8)},
  };
  for (const auto& [name, shortcut] : expected) {
    QAction* action = commands.Command(QString::fromLatin1(name));
    QVERIFY2(action, name);
    QCOMPARE(action->shortcut(), shortcut);
  }
  QCOMPARE(commands.Command(QStringLiteral("QueuAc"))->shortcuts(),
           (QList<QKeySequence>{QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Slash)}));
  QCOMPARE(commands.Command(QStringLiteral("PauseAc"))->text(), QStringLiteral("일시 중지(&u)"));
  // Features this build does not have yet are there, but disabled.
  QVERIFY(!commands.Command(QStringLiteral("AddRadioAc"))->isEnabled());
  QVERIFY(commands.Command(QStringLiteral("PlayAc"))->isEnabled());
  QCOMPARE(window_->menuBar()->actions().size(), 7);
}

void CommandTableTest::ModeCommandsAndThePanelClickStepTheMode() {
  window_->Commands().Command(QStringLiteral("ModeAc5"))->trigger();
  QCOMPARE(core_->settings.playMode, 4);
  QVERIFY(window_->Commands().Command(QStringLiteral("ModeAc5"))->isChecked());
  window_->Commands().Command(QStringLiteral("PlayModeToggleAc"))->trigger();
  QCOMPARE(core_->settings.playMode, 0);
  auto* modePanel = window_->findChild<QLabel*>(QStringLiteral("StatusPanel2"));
  QTest::mouseClick(modePanel, Qt::RightButton);
  QCOMPARE(core_->settings.playMode, 4);
  QTest::mouseClick(modePanel, Qt::LeftButton);
  QCOMPARE(core_->settings.playMode, 0);
}

void CommandTableTest::ListKeysGoToTheDispatcherAndAreSwallowed() {
  TVemmoListbox* list = window_->ListScreen();
  list->setFocus();
  // Enter is PlayAc's shortcut: the command runs, through the dispatcher.
  tarvo::SelectSingle(*core_, 1);
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(playback_->calls, std::vector<std::string>{"PlaySelected"});
  // Right is no shortcut: the list hands it to the dispatcher, which seeks.
  playback_->deviceOpen = true;
  QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QStringLiteral("x"));
  QVERIFY(qApp->notify(list, &right));
  QVERIFY(right.isAccepted());
  QCOMPARE(playback_->calls.back(), std::string("SeekStep 1 0"));
  QTest::keyRelease(list, Qt::Key_Right);
  QCOMPARE(playback_->calls.back(), std::string("SeekStepRelease"));
}

QTEST_MAIN(CommandTableTest)
#include "command_table_test.moc"
