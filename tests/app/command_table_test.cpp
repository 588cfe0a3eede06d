// The main window's commands: every command of the table exists with its
// caption and shortcut, and keys in the list reach the key dispatcher.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app_window_fixture.h"
#include "controls/vemmo_listbox.h"
#include "playlist/model.h"

class CommandTableTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void EveryCommandHasItsShortcut();
  void ModeCommandsAndThePanelClickStepTheMode();
  void ListKeysGoToTheDispatcherAndAreSwallowed();

 private:
  std::unique_ptr<AppWindowFixture> fixture_;
};

void CommandTableTest::init() {
  fixture_ = std::make_unique<AppWindowFixture>();
  ConnectCommandEffects(fixture_->core, fixture_->window);
  fixture_->core.playlist.PlaylistEntries = {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"};
  tarvo::UpdateListView(fixture_->core, false, false);
  fixture_->window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture_->window));
}

void CommandTableTest::cleanup() {
  fixture_.reset();
}

void CommandTableTest::EveryCommandHasItsShortcut() {
  const CommandTable& commands = fixture_->window.Commands();
  QCOMPARE(commands.Names().size(), 65);
  const QList<std::pair<CommandId, QKeySequence>> expected = {
      {CommandId::OpenFileAc, QKeySequence(QStringLiteral("Ctrl+L"))},
      {CommandId::OpenDirAc, QKeySequence(Qt::Key_F4)},
      {CommandId::EscAc, QKeySequence(Qt::Key_Escape)},
      {CommandId::PropertiesAc, QKeySequence(QStringLiteral("Alt+Return"))},
      {CommandId::RealDelAc, QKeySequence(QStringLiteral("Shift+Del"))},
      {CommandId::JumpAc, QKeySequence(Qt::Key_QuoteLeft)},
      {CommandId::StopAc, QKeySequence(QKeyCombination(Qt::KeypadModifier, Qt::Key_0))},
      {CommandId::PrevAc, QKeySequence(Qt::Key_Backtab)},
      {CommandId::ResetMixerAc, QKeySequence(QStringLiteral("Ctrl+Space"))},
      {CommandId::ViewFormatPathAc, QKeySequence(Qt::Key_F8)},
  };
  for (const auto& [id, shortcut] : expected) {
    QAction* action = commands.Command(id);
    QVERIFY(action);
    QCOMPARE(action->shortcut(), shortcut);
  }
  QCOMPARE(commands.Command(CommandId::QueuAc)->shortcuts(),
           (QList<QKeySequence>{QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Slash)}));
  QCOMPARE(commands.Command(CommandId::PauseAc)->text(), QStringLiteral("일시 중지(&u)"));
  // Features this build does not have yet are there, but disabled.
  QVERIFY(!commands.Command(CommandId::SaveFileAc)->isEnabled());
  // The record command shows the recording's caption once it has one.
  QAction* record = commands.Command(CommandId::RecordStartAc);
  QVERIFY(record->isEnabled());
  QCOMPARE(record->text(), QStringLiteral("녹음(&R)"));
  fixture_->core.texts.recordCaption = "Stop &recording";
  fixture_->window.ShowWindowTexts();
  QCOMPARE(record->text(), QStringLiteral("Stop &recording"));
  // Numeric-pad "*" in the list runs it.
  QSignalSpy triggered(record, &QAction::triggered);
  fixture_->window.ListScreen()->setFocus();
  QTest::keyClick(fixture_->window.ListScreen(), Qt::Key_Asterisk, Qt::KeypadModifier);
  QCOMPARE(triggered.count(), 1);
  QVERIFY(commands.Command(CommandId::AddRadioAc)->isEnabled());
  QVERIFY(commands.Command(CommandId::PlayAc)->isEnabled());
  QCOMPARE(fixture_->window.menuBar()->actions().size(), 7);
}

void CommandTableTest::ModeCommandsAndThePanelClickStepTheMode() {
  fixture_->window.Commands().Command(CommandId::ModeAc5)->trigger();
  QCOMPARE(fixture_->core.settings.playMode, 4);
  QVERIFY(fixture_->window.Commands().Command(CommandId::ModeAc5)->isChecked());
  fixture_->window.Commands().Command(CommandId::PlayModeToggleAc)->trigger();
  QCOMPARE(fixture_->core.settings.playMode, 0);
  auto* modePanel = fixture_->window.findChild<QLabel*>(QStringLiteral("StatusPanel2"));
  QTest::mouseClick(modePanel, Qt::RightButton);
  QCOMPARE(fixture_->core.settings.playMode, 4);
  QTest::mouseClick(modePanel, Qt::LeftButton);
  QCOMPARE(fixture_->core.settings.playMode, 0);
}

void CommandTableTest::ListKeysGoToTheDispatcherAndAreSwallowed() {
  TVemmoListbox* list = fixture_->window.ListScreen();
  list->setFocus();
  // Enter is PlayAc's shortcut: the command runs, through the dispatcher.
  tarvo::SelectSingle(fixture_->core, 1);
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(fixture_->playback.calls, std::vector<std::string>{"PlaySelected"});
  // Right is no shortcut: the list hands it to the dispatcher, which seeks.
  fixture_->playback.deviceOpen = true;
  QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QStringLiteral("x"));
  QVERIFY(qApp->notify(list, &right));
  QVERIFY(right.isAccepted());
  QCOMPARE(fixture_->playback.calls.back(), std::string("SeekStep 1 0"));
  QTest::keyRelease(list, Qt::Key_Right);
  QCOMPARE(fixture_->playback.calls.back(), std::string("SeekStepRelease"));
}

QTEST_MAIN(CommandTableTest)
#include "command_table_test.moc"
