#include "app/timer_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kFontPointSize = 8;
constexpr int kTickMilliseconds = 1000;

const QString kStartCaption = QStringLiteral("&Start");
const QString kCancelCaption = QStringLiteral("&Cancel");

}  // namespace

TTimer_Form::TTimer_Form(tarvo::Core& core, std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      countdown_(core, std::move(endProgram)),
      edit1_(new QLineEdit(this)),
      checkBox1_(new QCheckBox(tr("Tarvo 종료시 컴퓨터 종료 실행(&S)"), this)),
      button1_(new QPushButton(tr("시작(&S)"), this)),
      timer1_(new QTimer(this)) {
  setObjectName(QStringLiteral("Timer_Form"));
  setWindowTitle(tr("자동 종료 기능"));
  QFont desktopFont = QApplication::font();
  desktopFont.setPointSize(kFontPointSize);
  setFont(desktopFont);
  button1_->setDefault(true);
  timer1_->setInterval(kTickMilliseconds);
  connect(timer1_, &QTimer::timeout, this, &TTimer_Form::Timer1Timer);
  connect(button1_, &QPushButton::clicked, this, &TTimer_Form::Button1Click);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("몇분후에 Tarvo를 종료할까요?"), this));
  layout->addWidget(edit1_);
  layout->addWidget(checkBox1_);
  layout->addWidget(button1_);
  // A dialog border: the size the contents need, not resizable.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TTimer_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  button1_->setText(kStartCaption);
  LockEdit(false);
  edit1_->setText(QStringLiteral("30"));
  edit1_->setFocus(Qt::OtherFocusReason);
}

void TTimer_Form::LockEdit(bool locked) {
  edit1_->setReadOnly(locked);
  edit1_->setEnabled(!locked);
  QPalette colours = edit1_->palette();
  const QPalette::ColorRole background = locked ? QPalette::Button : QPalette::Base;
  colours.setColor(QPalette::Base, QApplication::palette().color(background));
  edit1_->setPalette(colours);
}

void TTimer_Form::Button1Click() {
  if (button1_->text() != kStartCaption) {
    reject();
    return;
  }
  if (!countdown_.Start(edit1_->text().toStdString())) return;
  edit1_->setText(QString::fromStdString(countdown_.TimeLeftText()));
  timer1_->start();
  button1_->setText(kCancelCaption);
  LockEdit(true);
}

void TTimer_Form::Timer1Timer() {
  const bool counting = countdown_.Tick();
  edit1_->setText(QString::fromStdString(countdown_.TimeLeftText()));
  if (counting) return;
  timer1_->stop();
  // The countdown has ended, so closing says nothing.
  accept();
  countdown_.Expire(checkBox1_->isChecked());
}

void TTimer_Form::done(int result) {
  QDialog::done(result);
  timer1_->stop();
  countdown_.Abort();
}
