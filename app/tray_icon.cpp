#include "app/tray_icon.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QStyle>

#include "app/command_table.h"
#include "app/main_window.h"
#include "playback/key_dispatcher.h"
#include "playback/volume.h"

namespace {

constexpr int kIconGoneAfterMs = 300;

}  // namespace

TrayIcon::TrayIcon(tarvo::Core& core, TAppTarvo& window, std::optional<bool> trayAvailable)
    : QObject(&window), core_(core), window_(window), trayAvailable_(trayAvailable), menu_(new QMenu(&window)) {
  menu_->setObjectName(QStringLiteral("TrayPopupMenu"));
  BuildMenu();
  hideIcon_.setSingleShot(true);
  hideIcon_.setInterval(kIconGoneAfterMs);
  connect(&hideIcon_, &QTimer::timeout, this, [this] { icon_->hide(); });
  window.installEventFilter(this);
  // A new entry plays, or the station is lost, while the window is in the tray.
  connect(&window, &TAppTarvo::TextsShown, this, [this] {
    if (IconVisible() && icon_->toolTip() != HintText()) icon_->setToolTip(HintText());
  });
}

bool TrayIcon::TrayAvailable() {
  if (!trayAvailable_) trayAvailable_ = QSystemTrayIcon::isSystemTrayAvailable();
  return *trayAvailable_;
}

QSystemTrayIcon& TrayIcon::MadeIcon() {
  if (icon_) return *icon_;
  icon_ = std::make_unique<QSystemTrayIcon>();
  icon_->setContextMenu(menu_);
  connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    // Desktops that report no double click on their tray icons activate
    // them with a single click.
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) Restore();
  });
  return *icon_;
}

void TrayIcon::BuildMenu() {
  for (const int percent : {100, 60, 30, 0}) {
    menu_->addAction(QStringLiteral("&%1%").arg(percent), this,
                     [this, percent] { tarvo::SetVolume(core_, tarvo::kMaxVolume * percent / 100); });
  }
  menu_->addSeparator();
  const CommandTable& commands = window_.Commands();
  const auto addCommand = [&](const QString& caption, CommandId command) {
    menu_->addAction(caption, this,
                     [&commands, command] { commands.Command(command)->trigger(); });
  };
  addCommand(tr("재생(&P)"), CommandId::PlayAc);
  addCommand(tr("일시정지(&u)"), CommandId::PauseAc);
  menu_->addAction(tr("중지(&S)"), this, [this] { tarvo::StopNow(core_); });
  addCommand(tr("다음곡(&N)"), CommandId::NextAc);
  addCommand(tr("이전곡"), CommandId::PrevAc);
  addCommand(tr("제목 복사(&C)"), CommandId::CopyPlAc);
  menu_->addSeparator();
  QAction* open = menu_->addAction(tr("열기(&O)"), this, &TrayIcon::Restore);
  menu_->setDefaultAction(open);
  addCommand(tr("종료(&E)"), CommandId::EscAc);
}

void TrayIcon::Minimize() { window_.showMinimized(); }

void TrayIcon::Restore() { window_.BringToFront(); }

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::WindowStateChange:
      if (window_.isMinimized() && core_.settings.minimizeToTray && TrayAvailable()) {
        // Hidden once the state change has run its course.
        QMetaObject::invokeMethod(this, &TrayIcon::GoToTray, Qt::QueuedConnection);
      }
      break;
    case QEvent::Show:
      // Restoring may show the window twice (state, then visibility); the
      // first show counts.
      if (IconVisible() && !hideIcon_.isActive()) BackFromTray();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void TrayIcon::GoToTray() {
  // Restored meanwhile.
  if (!window_.isMinimized()) return;
  if (onMinimizedToTray) onMinimizedToTray();
  hideIcon_.stop();
  QIcon picture = window_.windowIcon();
  if (picture.isNull()) picture = window_.style()->standardIcon(QStyle::SP_MediaPlay);
  QSystemTrayIcon& icon = MadeIcon();
  icon.setIcon(picture);
  icon.setToolTip(HintText());
  icon.show();
  window_.hide();
}

// The playing entry; before anything played, the caption.
QString TrayIcon::HintText() const {
  const std::string& hint = core_.texts.trayHint.empty() ? core_.texts.caption : core_.texts.trayHint;
  return QString::fromStdString(hint);
}

void TrayIcon::BackFromTray() {
  if (onRestored) onRestored();
  hideIcon_.start();
}
