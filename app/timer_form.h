// TTimer_Form: the sleep timer's window. Takes the minutes, shows the time
// left while the core's SleepTimer counts down (settings/sleep_timer.h) and
// stays open, modal, until the time is up or the user closes it. Created on
// first use and kept. Window thread.
#pragma once

#include <QDialog>
#include <functional>

#include "core.h"
#include "integration/sleep_timer.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

class TTimer_Form : public QDialog {
  Q_OBJECT

 public:
  // `endProgram` ends the program the way closing the main window does.
  TTimer_Form(tarvo::Core& core, std::function<void()> endProgram, QWidget* parent);

  QLineEdit* Edit1() const { return edit1_; }
  QCheckBox* CheckBox1() const { return checkBox1_; }
  QPushButton* Button1() const { return button1_; }
  QTimer* Timer1() const { return timer1_; }
  const tarvo::SleepTimer& Countdown() const { return countdown_; }

  // One second of the countdown; Timer1 runs it, tests call it themselves.
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  // Every way of closing ends a running countdown.
  void done(int result) override;

 private:
  void Button1Click();
  void LockEdit(bool locked);

  tarvo::SleepTimer countdown_;
  QLineEdit* edit1_;
  QCheckBox* checkBox1_;
  QPushButton* button1_;
  QTimer* timer1_;
};
