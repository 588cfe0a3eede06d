#include "app/main_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "app/key_codes.h"
#include "controls/vemmo_listbox.h"
#include "controls/vemmo_progress.h"
#include "playback/key_dispatcher.h"
#include "playback/sequencing.h"
#include "playlist/model.h"

namespace {

constexpr int kModePanel = 2;

}  // namespace

TAppTarvo::TAppTarvo(tarvo::Core& core, QWidget* parent)
    : QMainWindow(parent), core_(core), commands_(new CommandTable(this)), listScreen_(new TVemmoListbox(core, this)) {
  setObjectName(QStringLiteral("AppTarvo"));
  commands_->BuildMainMenu(menuBar());
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  progressPanel_ = BuildProgressPanel();
  layout->addWidget(progressPanel_);
  layout->addWidget(listScreen_, 1);
  setCentralWidget(client);
  BuildStatusBar();
  listPopup_ = commands_->BuildListPopup(this);
  listScreen_->installEventFilter(this);
  ApplySettings();
  ShowWindowTexts();
}

QWidget* TAppTarvo::BuildProgressPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("ProgressPanel"));
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(4, 2, 4, 2);
  playBar_ = BuildPlayBar();
  labelTime_ = new QLabel(panel);
  labelTime_->setObjectName(QStringLiteral("LabelTime"));
  progres_ = new TVemmoProgress(panel);
  progres_->setObjectName(QStringLiteral("Progres"));
  labelVolume_ = new QLabel(panel);
  labelVolume_->setObjectName(QStringLiteral("LabelVolume"));
  labelVolume_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* column = new QVBoxLayout();
  auto* top = new QHBoxLayout();
  top->addWidget(playBar_);
  top->addWidget(labelTime_, 1);
  top->addWidget(labelVolume_);
  column->addLayout(top);
  column->addWidget(progres_);
  layout->addLayout(column, 1);
  return panel;
}

// Six flat buttons: play, play/pause, stop, previous, next, record.
QWidget* TAppTarvo::BuildPlayBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("PlayBar"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const auto addButton = [&](QStyle::StandardPixmap icon, std::function<void()> press) {
    auto* button = new QToolButton(bar);
    button->setIcon(style()->standardIcon(icon));
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    connect(button, &QToolButton::clicked, this, [press = std::move(press)] { press(); });
    layout->addWidget(button);
    return button;
  };
  using namespace tarvo;
  addButton(QStyle::SP_MediaPlay, [this] { DispatchKeyCommand(core_, kKeyEnter, kNoModifier); });
  addButton(QStyle::SP_MediaPause, [this] {
    const bool active = core_.playback.DeviceOpen() && !core_.playlist.PlayingEntry.empty();
    DispatchKeyCommand(core_, active ? kKeySpace : kKeyEnter, kNoModifier);
  });
  addButton(QStyle::SP_MediaStop, [this] {
    DispatchKeyCommand(core_, kKeyNumpad0, kNoModifier);
    DispatchKeyCommand(core_, kKeyNumpad0, kNoModifier);
  });
  addButton(QStyle::SP_MediaSkipBackward, [this] { DispatchKeyCommand(core_, kKeyTab, kShiftModifier); });
  addButton(QStyle::SP_MediaSkipForward, [this] { DispatchKeyCommand(core_, kKeyTab, kNoModifier); });
  QToolButton* record = addButton(QStyle::SP_DialogNoButton, [this] { commands_->Command(QStringLiteral("RecordStartAc"))->trigger(); });
  record->setEnabled(false);
  return bar;
}

void TAppTarvo::BuildStatusBar() {
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    QLabel*& panel = statusPanels_[i];
    panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    statusBar()->addWidget(panel, i == statusPanels_.size() - 1 ? 1 : 0);
  }
  statusPanels_[1]->setMinimumWidth(75);
  statusPanels_[kModePanel]->setMinimumWidth(75);
  statusPanels_[kModePanel]->installEventFilter(this);
}

void TAppTarvo::ApplySettings() {
  const tarvo::WindowBounds& bounds = core_.settings.bounds;
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  statusBar()->setVisible(core_.settings.statusBar);
  SetPlayBarShown(core_.settings.playBar);
  SetProgressPanelShown(core_.settings.progressPanel);
}

void TAppTarvo::SetPlayBarShown(bool shown) {
  core_.settings.playBar = shown;
  playBar_->setVisible(shown);
  commands_->Command(QStringLiteral("ViewPlayBarAc"))->setChecked(shown);
}

void TAppTarvo::SetProgressPanelShown(bool shown) {
  core_.settings.progressPanel = shown;
  progressPanel_->setVisible(shown);
  commands_->Command(QStringLiteral("ViewProgressPanelAc"))->setChecked(shown);
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
  ShowCheckedCommands();
}

void TAppTarvo::ShowCheckedCommands() {
  const auto check = [this](const QString& prefix, int index, int count) {
    for (int i = 0; i < count; ++i) commands_->Command(prefix.arg(i + 1))->setChecked(i == index);
  };
  check(QStringLiteral("ModeAc%1"), core_.texts.checkedModeCommand, 5);
  check(QStringLiteral("View%1Ac"), core_.texts.checkedViewCommand, 3);
}

bool TAppTarvo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == statusPanels_[kModePanel] && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    tarvo::CyclePlayMode(core_, mouse->button() == Qt::RightButton);
    return true;
  }
  if (watched != listScreen_) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // A handled key is swallowed with its character.
    if (tarvo::DispatchKeyCommand(core_, VirtualKeyOf(*key), ShiftStateOf(*key))) return true;
  } else if (event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const int code = VirtualKeyOf(*key);
    // A held seek key moved the seek bar; the seek is made on release.
    if (!key->isAutoRepeat() && (code == tarvo::kKeyLeft || code == tarvo::kKeyRight || code == tarvo::kKeyNumpad1 ||
                                 code == tarvo::kKeyNumpad3)) {
      core_.playback.SeekStepRelease();
      return true;
    }
  } else if (event->type() == QEvent::ContextMenu) {
    listPopup_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}
