// The global hotkeys bound through a fake desktop portal on a private
// session bus (the test runs under dbus-run-session): what is asked for,
// what the desktop's activations run, what the hotkeys page shows and the
// messages when the desktop binds less than asked.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/global_hotkeys.h"
#include "app_window_fixture.h"
#include "playback/sequencing.h"
#include "playlist/model.h"
#include "settings/settings_store.h"

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");

}  // namespace

class PortalHotkeysTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void cleanup();
  void BindsStoredKeysAndRunsOnlyWhatWasBound();
  void PageShowsTheDesktopsKeysAndNamesWhatItRefused();

 private:
  QVariant Control(const QString& method, const QVariant& argument = {});
  QStringList MessagesShown();

  QProcess portal_;
  std::unique_ptr<AppWindowFixture> fixture_;
  std::unique_ptr<GlobalHotkeys> hotkeys_;
};

void PortalHotkeysTest::initTestCase() {
  if (!QDBusConnection::sessionBus().isConnected()) QSKIP("needs a session bus: run under dbus-run-session");
  portal_.setProgram(QStringLiteral(TARVO_SYSTEM_PYTHON));
  portal_.setArguments({QStringLiteral(TARVO_TEST_SOURCE_DIR "/support/fake_portal.py")});
  portal_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  portal_.start();
  QVERIFY(portal_.waitForReadyRead(15000));
  QCOMPARE(portal_.readLine().trimmed(), QByteArray("ready"));
  QVERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(kPortal));
}

void PortalHotkeysTest::cleanupTestCase() {
  portal_.kill();
  portal_.waitForFinished();
}

void PortalHotkeysTest::init() {
  fixture_ = std::make_unique<AppWindowFixture>();
  tarvo::Core& core = fixture_->core;
  for (const auto& [slot, value] : {std::pair{"1", "0000-179"}, {"3", "0101-80"}, {"8", "1010-66"}}) {
    tarvo::WriteIniString(core, "Global hotkeys", slot, value);
  }
  core.playlist.PlaylistEntries = {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"};
  tarvo::UpdateListView(core, false, false);
  core.playlist.CurrentIndex = 0;
  core.settings.playMode = tarvo::kPlayListMode;
  Control(QStringLiteral("SetAnswer"), QStringLiteral("all"));
  hotkeys_ = std::make_unique<GlobalHotkeys>(core, fixture_->window, [] {});
}

void PortalHotkeysTest::cleanup() {
  hotkeys_.reset();
  fixture_.reset();
}

QVariant PortalHotkeysTest::Control(const QString& method, const QVariant& argument) {
  QDBusInterface control(kPortal, QStringLiteral("/org/freedesktop/portal/desktop"),
                         QStringLiteral("org.tarvo.test.FakePortal"));
  const QDBusMessage reply = argument.isValid() ? control.call(method, argument) : control.call(method);
  return reply.arguments().value(0);
}

// The answer comes while the test waits; each message box shows modally, so
// a timer inside its loop reads and closes it.
QStringList PortalHotkeysTest::MessagesShown() {
  QStringList messages;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&messages] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      messages.append(box->text());
      box->close();
    }
  });
  closer.start(20);
  QTest::qWait(1000);
  return messages;
}

void PortalHotkeysTest::BindsStoredKeysAndRunsOnlyWhatWasBound() {
  hotkeys_->RegisterAtStart();
  QTRY_VERIFY(!Control(QStringLiteral("Asked")).toString().startsWith(QStringLiteral("[]")));
  const QJsonArray asked = QJsonDocument::fromJson(Control(QStringLiteral("Asked")).toString().toUtf8()).array();
  QStringList seen;
  for (const QJsonValue& shortcut : asked) {
    const QJsonObject fields = shortcut.toObject();
    seen.append(fields[QStringLiteral("id")].toString() + QLatin1Char(' ') +
                fields[QStringLiteral("description")].toString() + QLatin1Char(' ') +
                fields[QStringLiteral("preferred_trigger")].toString());
  }
  QCOMPARE(seen, (QStringList{QStringLiteral("1 Play/Pause XF86AudioPlay"), QStringLiteral("3 Next track CTRL+SHIFT+p"),
                              QStringLiteral("8 Focus Tarvo LOGO+ALT+b")}));

  // Wait for the bind's answer: an activation before it counts for nothing.
  QTest::qWait(300);
  Control(QStringLiteral("Activate"), QStringLiteral("3"));
  QTRY_COMPARE(fixture_->playback.played, (std::vector<int>{1}));
  // Ids never bound, or outside the slots, run nothing (the fake playback
  // leaves the current entry where it was).
  for (const char* id : {"2", "13", "-1", "next"}) Control(QStringLiteral("Activate"), QString::fromLatin1(id));
  Control(QStringLiteral("Activate"), QStringLiteral("3"));
  QTRY_COMPARE(fixture_->playback.played, (std::vector<int>{1, 1}));
  QVERIFY(fixture_->playback.stops.empty());

  // While the dialog edits the hotkeys the session is closed.
  hotkeys_->BeginEditing();
  Control(QStringLiteral("Activate"), QStringLiteral("3"));
  QTest::qWait(200);
  QCOMPARE(fixture_->playback.played.size(), std::size_t{2});
}

void PortalHotkeysTest::PageShowsTheDesktopsKeysAndNamesWhatItRefused() {
  QWidget parent;
  hotkeys_->CreatePage(&parent);
  auto* list = parent.findChild<QListWidget*>(QStringLiteral("ListBox1"));
  hotkeys_->RegisterAtStart();
  QTRY_COMPARE(list->item(3)->text(), QStringLiteral("Next track\t Desktop CTRL+SHIFT+p"));
  QCOMPARE(list->item(1)->text(), QStringLiteral("Play/Pause\t Desktop XF86AudioPlay"));

  // The desktop binds all but the last: only that one is named, and only
  // when the hotkeys page was the one showing.
  Control(QStringLiteral("SetAnswer"), QStringLiteral("some"));
  hotkeys_->BeginEditing();
  hotkeys_->EndEditing(true);
  const QString refused =
      QStringLiteral("Can't register global hotkey Focus Tarvo.\nDisable other global key binding software.");
  QCOMPARE(MessagesShown(), QStringList{refused});
  QCOMPARE(list->item(8)->text(), QStringLiteral("Focus Tarvo\t Winkey + Alt + B"));

  Control(QStringLiteral("SetAnswer"), QStringLiteral("refuse"));
  hotkeys_->BeginEditing();
  hotkeys_->EndEditing(true);
  QCOMPARE(MessagesShown().size(), 3);
  QCOMPARE(list->item(3)->text(), QStringLiteral("Next track\t Ctrl + Shift + P"));
  hotkeys_->BeginEditing();
  hotkeys_->EndEditing(false);
  QVERIFY(MessagesShown().isEmpty());

  // A portal that never answers leaves the window running.
  Control(QStringLiteral("SetAnswer"), QStringLiteral("never"));
  hotkeys_->BeginEditing();
  hotkeys_->EndEditing(true);
  QVERIFY(MessagesShown().isEmpty());
  Control(QStringLiteral("Activate"), QStringLiteral("3"));
  QTest::qWait(200);
  QVERIFY(fixture_->playback.played.empty());
}

QTEST_MAIN(PortalHotkeysTest)
#include "portal_hotkeys_test.moc"
