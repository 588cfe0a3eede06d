#include "app/main_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/key_codes.h"
#include "controls/vemmo_listbox.h"
#include "controls/vemmo_progress.h"
#include "playback/key_dispatcher.h"
#include "playlist/model.h"

TAppTarvo::TAppTarvo(tarvo::Core& core, QWidget* parent)
    : QMainWindow(parent), core_(core), listScreen_(new TVemmoListbox(core, this)) {
  setObjectName(QStringLiteral("TAppTarvo"));
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildProgressPanel());
  layout->addWidget(listScreen_, 1);
  setCentralWidget(client);
  for (QLabel*& panel : statusPanels_) {
    panel = new QLabel(this);
    statusBar()->addWidget(panel, panel == statusPanels_.back() ? 1 : 0);
  }
  listScreen_->installEventFilter(this);
  ApplySettings();
  ShowWindowTexts();
}

QWidget* TAppTarvo::BuildProgressPanel() {
  auto* panel = new QWidget(this);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(4, 2, 4, 2);
  labelTime_ = new QLabel(panel);
  progres_ = new TVemmoProgress(panel);
  labelVolume_ = new QLabel(panel);
  auto* column = new QVBoxLayout();
  column->addWidget(labelTime_);
  column->addWidget(progres_);
  layout->addLayout(column, 1);
  layout->addWidget(labelVolume_);
  return panel;
}

void TAppTarvo::ApplySettings() {
  const tarvo::WindowBounds& bounds = core_.settings.bounds;
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  statusBar()->setVisible(core_.settings.statusBar);
}

void TAppTarvo::ShowFirstTime() {
  if (core_.settings.maximized) {
    showMaximized();
  } else {
    show();
  }
  listScreen_->SyncFromCore();
  tarvo::ScrollToCurrent(core_);
  tarvo::SelectSingle(core_, core_.playlist.CurrentIndex);
}

void TAppTarvo::BringToFront() {
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TAppTarvo::ShowListView() { listScreen_->SyncFromCore(); }

void TAppTarvo::ShowWindowTexts() {
  const tarvo::WindowTexts& texts = core_.texts;
  setWindowTitle(QString::fromStdString(texts.caption));
  labelTime_->setText(QString::fromStdString(texts.labelTime));
  labelVolume_->setText(QString::fromStdString(texts.labelVolume));
  progres_->SetRange(core_.progress.max, core_.progress.position);
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    statusPanels_[i]->setText(QString::fromStdString(texts.statusPanels[i]));
  }
}

bool TAppTarvo::eventFilter(QObject* watched, QEvent* event) {
  if (watched != listScreen_) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // A handled key is swallowed with its character.
    if (tarvo::DispatchKeyCommand(core_, VirtualKeyOf(*key), ShiftStateOf(*key))) return true;
  } else if (event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // A held seek key moved the seek bar; the seek is made on release.
    if (!key->isAutoRepeat() && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
      core_.playback.SeekStepRelease();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
