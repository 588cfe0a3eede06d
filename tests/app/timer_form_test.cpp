// The sleep timer's window with its one-second timer driven by the test:
// start, fade, the end of the program or the power-off, and closing early.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/timer_form.h"
#include "scripted_window_fixture.h"

namespace {

class FakePowerOff : public tarvo::PowerOffService {
 public:
  void RequestPowerOff() override { ++requests; }
  int requests = 0;
};

}  // namespace

class TimerFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void SleepTimerCommandOpensTheWindowWithThirtyMinutes();
  void OneMinuteFadesAtFiftySecondsLeftAndEndsTheProgramAtSixty();
  void BadMinutesAndClosingDuringTheFade();
  void PowerOffIsAskedOnceAndTheProgramRunsOn();
  // Last: it closes the main window as the program's exit does.
  void TheEndThroughTheCommandClosesTheMainWindow();

 private:
  void StartMinutes(const QString& minutes) {
    form_->Edit1()->setText(minutes);
    QTest::mouseClick(form_->Button1(), Qt::LeftButton);
  }
  void Tick(int seconds) {
    for (int i = 0; i < seconds; ++i) form_->Timer1Timer();
  }

  std::unique_ptr<ScriptedWindowFixture> fixture_;
  FakePowerOff powerOff_;
  int programEnds_ = 0;
  TTimer_Form* form_ = nullptr;
};

void TimerFormTest::init() {
  fixture_ = std::make_unique<ScriptedWindowFixture>();
  powerOff_ = FakePowerOff();
  fixture_->core.powerOff = &powerOff_;
  programEnds_ = 0;
  fixture_->window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture_->window));
  form_ = new TTimer_Form(fixture_->core, [this] { ++programEnds_; }, &fixture_->window);
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_));
}

void TimerFormTest::cleanup() { fixture_.reset(); }

void TimerFormTest::SleepTimerCommandOpensTheWindowWithThirtyMinutes() {
  form_->reject();
  ConnectCommandEffects(fixture_->core, fixture_->window);
  QString shownText;
  QTimer::singleShot(0, &fixture_->window, [&] {
    for (auto* opened : fixture_->window.findChildren<TTimer_Form*>()) {
      if (opened == form_ || !opened->isVisible()) continue;
      shownText = opened->Edit1()->text() + QLatin1Char(' ') + opened->Button1()->text();
      opened->reject();
    }
  });
  fixture_->window.Commands().Command(CommandId::SleepTimerAc)->trigger();
  QCOMPARE(shownText, QStringLiteral("30 &Start"));
}

void TimerFormTest::OneMinuteFadesAtFiftySecondsLeftAndEndsTheProgramAtSixty() {
  QCOMPARE(form_->Edit1()->text(), QStringLiteral("30"));
  StartMinutes(QStringLiteral("1"));
  QCOMPARE(form_->Button1()->text(), QStringLiteral("&Cancel"));
  QCOMPARE(form_->Edit1()->text(), QStringLiteral("1:00"));
  QVERIFY(!form_->Edit1()->isEnabled());
  QVERIFY(form_->Timer1()->isActive());
  QCOMPARE(form_->Timer1()->interval(), 1000);

  Tick(9);
  QVERIFY(fixture_->playback.volumeSlides.empty());
  Tick(1);
  QCOMPARE(form_->Edit1()->text(), QStringLiteral("0:50"));
  QCOMPARE(fixture_->playback.volumeSlides, (std::vector<std::pair<int, int>>{{0, 50000}}));
  Tick(49);
  QVERIFY(form_->isVisible());
  QCOMPARE(programEnds_, 0);
  Tick(1);
  QVERIFY(!form_->isVisible());
  QVERIFY(!form_->Timer1()->isActive());
  QCOMPARE(programEnds_, 1);
  QVERIFY(fixture_->ui.messages.empty());
  QCOMPARE(powerOff_.requests, 0);
}

void TimerFormTest::BadMinutesAndClosingDuringTheFade() {
  StartMinutes(QStringLiteral("abc"));
  QCOMPARE(fixture_->ui.messages.size(), 1u);
  QCOMPARE(fixture_->ui.messages[0].text, std::string("No valid entry."));
  QCOMPARE(form_->Button1()->text(), QStringLiteral("&Start"));
  QVERIFY(!form_->Timer1()->isActive());

  StartMinutes(QStringLiteral("1"));
  Tick(15);
  QTest::keyClick(form_, Qt::Key_Escape);
  QVERIFY(!form_->isVisible());
  QVERIFY(!form_->Timer1()->isActive());
  QCOMPARE(fixture_->ui.messages.back().text, std::string("Sleep timer aborted."));
  QCOMPARE(fixture_->playback.volumeSlides.size(), 1u);
  QVERIFY(fixture_->playback.appliedVolumes.empty());

  form_->show();
  QCOMPARE(form_->Edit1()->text(), QStringLiteral("30"));
  QVERIFY(form_->Edit1()->isEnabled());
  QCOMPARE(form_->Button1()->text(), QStringLiteral("&Start"));
  // Closed while idle: no message.
  form_->reject();
  QCOMPARE(fixture_->ui.messages.size(), 2u);
  QCOMPARE(programEnds_, 0);
}

void TimerFormTest::PowerOffIsAskedOnceAndTheProgramRunsOn() {
  form_->CheckBox1()->setChecked(true);
  StartMinutes(QStringLiteral("1"));
  Tick(60);
  QVERIFY(!form_->isVisible());
  QCOMPARE(powerOff_.requests, 1);
  QCOMPARE(programEnds_, 0);
  QVERIFY(fixture_->window.isVisible());
  // The choice lasts for the next opening.
  form_->show();
  QVERIFY(form_->CheckBox1()->isChecked());
  form_->reject();
}

void TimerFormTest::TheEndThroughTheCommandClosesTheMainWindow() {
  form_->reject();
  ConnectCommandEffects(fixture_->core, fixture_->window);
  QTimer::singleShot(0, &fixture_->window, [&] {
    for (auto* opened : fixture_->window.findChildren<TTimer_Form*>()) {
      if (opened == form_ || !opened->isVisible()) continue;
      opened->Edit1()->setText(QStringLiteral("0"));
      QTest::mouseClick(opened->Button1(), Qt::LeftButton);
      opened->Timer1Timer();
      // Stops the test rather than hanging it should the window stay open.
      if (opened->isVisible()) opened->reject();
    }
  });
  fixture_->window.Commands().Command(CommandId::SleepTimerAc)->trigger();
  QVERIFY(!fixture_->window.isVisible());
  QVERIFY(fixture_->ui.messages.empty());
}

QTEST_MAIN(TimerFormTest)
#include "timer_form_test.moc"
