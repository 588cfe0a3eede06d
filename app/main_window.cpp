#include "app/main_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "app/command_table.h"
#include "app/drawn_icons.h"
#include "app/elided_label.h"
#include "app/key_codes.h"
#include "app/progress_panel.h"
#include "app/x11_activation.h"
#include "controls/vemmo_listbox.h"
#include "controls/vemmo_progress.h"
#include "integration/schemes.h"
#include "playback/key_dispatcher.h"
#include "playback/level_meter.h"
#include "playback/sequencing.h"
#include "playlist/list_keys.h"
#include "playlist/model.h"
#include "settings/settings_store.h"

namespace {

constexpr std::size_t kModePanel = tarvo::PanelIndex(tarvo::StatusPanel::PlayMode);
constexpr std::size_t kInfoPanel = tarvo::PanelIndex(tarvo::StatusPanel::Progress);
// The longest texts the default window must show whole: the time of an
// entry up to 99 minutes and a file's description.
constexpr char kWidestTime[] = "00:00 / 00:00 / -00:00";
constexpr char kWidestInfo[] = "128 Kbps Stereo";
constexpr int kVolumeBarMax = 100;
constexpr int kKeyNumpadMultiply = 106;

tarvo::Color ToColor(const QColor& color) { return tarvo::Color{static_cast<std::uint32_t>(color.rgb() & 0xFFFFFF)}; }

// Numeric-pad - and +, "-" and "=": in 14-step style the volume shows
// while one of them is held.
bool IsVolumeKey(int code) {
  return code == tarvo::kKeyNumpadSubtract || code == tarvo::kKeyMinus || code == tarvo::kKeyNumpadAdd ||
         code == tarvo::kKeyEquals;
}

}  // namespace

TAppTarvo::TAppTarvo(tarvo::Core& core, QWidget* parent)
    : QMainWindow(parent), core_(core), commands_(new CommandTable(this)), listScreen_(new TVemmoListbox(core, this)) {
  setObjectName(QStringLiteral("AppTarvo"));
  commands_->BuildMainMenu(menuBar());
  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  progressPanel_ = new TProgressPanel(core, BuildPlayBar(), this);
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  progressPanel_->SetMeterMenu({commands_->Command(CommandId::Level1Ac),
                                commands_->Command(CommandId::Level2Ac),
                                commands_->Command(CommandId::Level3Ac), separator,
                                commands_->Command(CommandId::VUToggleAc)});
  layout->addWidget(progressPanel_);
  layout->addWidget(listScreen_, 1);
  setCentralWidget(client);
  BuildStatusBar();
  listPopup_ = commands_->BuildListPopup(this);
  listScreen_->installEventFilter(this);
  progressPanel_->installEventFilter(this);
  ApplySettings();
  ShowWindowTexts();
}

// Six flat buttons: play, play/pause, stop, previous, next, record.
QWidget* TAppTarvo::BuildPlayBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("PlayBar"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const QColor colour = palette().color(QPalette::ButtonText);
  const auto addButton = [&](DrawnPicture picture, std::function<void()> press) {
    auto* button = new QToolButton(bar);
    button->setIcon(DrawnIcon(picture, colour));
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    connect(button, &QToolButton::clicked, this, [press = std::move(press)] { press(); });
    layout->addWidget(button);
    return button;
  };
  using namespace tarvo;
  addButton(DrawnPicture::Play, [this] { DispatchKeyCommand(core_, kKeyEnter, kNoModifier); });
  addButton(DrawnPicture::PlayPause, [this] { PlayOrPause(core_); });
  addButton(DrawnPicture::Stop, [this] { StopNow(core_); });
  addButton(DrawnPicture::Previous, [this] { DispatchKeyCommand(core_, kKeyTab, kShiftModifier); });
  addButton(DrawnPicture::Next, [this] { DispatchKeyCommand(core_, kKeyTab, kNoModifier); });
  addButton(DrawnPicture::Record, [this] { commands_->Command(CommandId::RecordStartAc)->trigger(); });
  return bar;
}

void TAppTarvo::BuildStatusBar() {
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    QLabel*& panel = statusPanels_[i];
    panel = new ElidedLabel(this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    statusBar()->addWidget(panel, i == statusPanels_.size() - 1 ? 1 : 0);
  }
  statusPanels_[1]->setMinimumWidth(75);
  statusPanels_[kModePanel]->setMinimumWidth(75);
  statusPanels_[kModePanel]->installEventFilter(this);
  volumeBar2_ = new TVemmoProgress(this);
  volumeBar2_->setObjectName(QStringLiteral("VolumeProcesBar2"));
  volumeBar2_->SetMax(kVolumeBarMax);
  volumeBar2_->SetCaptionType(TCaptionType::ctPercent);
  statusBar()->addPermanentWidget(volumeBar2_);
  volumeBar2_->hide();
}

TVemmoProgress* TAppTarvo::Progres() const { return progressPanel_->Progres(); }

void TAppTarvo::ApplySettings() {
  statusBar()->setVisible(core_.settings.statusBar);
  SetPlayBarShown(core_.settings.playBar);
  SetProgressPanelShown(core_.settings.progressPanel);
  tarvo::WindowBounds& bounds = core_.settings.bounds;
  // 310 pixels hold the texts of the original font; a larger desktop font
  // widens the default size (kept centred) and the minimum. Stored sizes
  // stay as they are.
  const int needed = WidthShowingTexts();
  if (core_.settings.defaultSize && needed > bounds.width) {
    bounds.left -= (needed - bounds.width) / 2;
    bounds.width = needed;
  }
  setMinimumWidth(std::min(needed, bounds.width));
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

// The window width at which the menu titles, the time label and the file's
// description in the status bar show whole in the window's font.
int TAppTarvo::WidthShowingTexts() {
  const int frame = 2;
  const int time = progressPanel_->WidthShowingTime(QString::fromLatin1(kWidestTime)) + frame;
  QLabel* info = statusPanels_[kInfoPanel];
  const QString shown = info->text();
  info->setText(QString::fromLatin1(kWidestInfo));
  const int status = statusBar()->sizeHint().width() + frame;
  info->setText(shown);
  return std::max({time, status, menuBar()->sizeHint().width()});
}

void TAppTarvo::SetPlayBarShown(bool shown) {
  core_.settings.playBar = shown;
  progressPanel_->SetPlayBarShown(shown);
  commands_->Command(CommandId::ViewPlayBarAc)->setChecked(shown);
}

void TAppTarvo::SetProgressPanelShown(bool shown) {
  core_.settings.progressPanel = shown;
  progressPanel_->setVisible(shown);
  commands_->Command(CommandId::ViewProgressPanelAc)->setChecked(shown);
}

void TAppTarvo::ShowFirstTime() {
  // The list draws every row from the scheme's look, so it comes first.
  TakeDesktopTheme();
  tarvo::ApplyActiveScheme(core_);
  listScreen_->SyncFromCore();
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
  // A window in the tray is hidden and still minimized: shown as it is, it
  // would map iconic. Its minimized state is cleared first, so a hidden
  // window maps normal and a minimized one is restored (maximized or not).
  if (!isVisible()) MarkX11InitialStateNormal(*this);
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  // The request above carries this program's last input time, which the
  // window manager refuses when the user last typed elsewhere.
  RequestX11Activation(*this);
}

void TAppTarvo::ShowListView() { listScreen_->SyncFromCore(); }

void TAppTarvo::ShowWindowTexts() {
  const tarvo::WindowTexts& texts = core_.texts;
  setWindowTitle(QString::fromStdString(texts.caption));
  progressPanel_->ShowCore();
  volumeBar2_->SetPosition(texts.volumeBarPosition);
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    statusPanels_[i]->setText(QString::fromStdString(texts.statusPanels[i]));
  }
  if (!texts.recordCaption.empty()) {
    commands_->Command(CommandId::RecordStartAc)->setText(QString::fromStdString(texts.recordCaption));
  }
  ShowCheckedCommands();
  CarryOutRequests();
  Q_EMIT TextsShown();
}

void TAppTarvo::ShowLevelMeters() { progressPanel_->ShowLevels(); }

// The desktop's colours and font, which the built-in looks and the scheme
// defaults refer to.
void TAppTarvo::TakeDesktopTheme() {
  const QPalette palette = listScreen_->palette();
  tarvo::DesktopTheme& theme = core_.desktopTheme;
  theme.window = ToColor(palette.color(QPalette::Base));
  theme.windowText = ToColor(palette.color(QPalette::Text));
  theme.highlight = ToColor(palette.color(QPalette::Highlight));
  theme.highlightText = ToColor(palette.color(QPalette::HighlightedText));
  theme.buttonShadow = ToColor(palette.color(QPalette::Dark));
  theme.windowFontName = font().family().toStdString();
  // A row is as high as a line of the font: the height the font engine
  // gives its text, not the ink of the letter.
  theme.measureTextHeight = [](const tarvo::FontSpec& spec) {
    QFont font(QString::fromStdString(spec.name));
    font.setPointSize(std::max(spec.pointSize, 1));
    font.setBold(spec.bold);
    return QFontMetrics(font).height();
  };
}

// The love playlist started: its own look, over the whole screen.
void TAppTarvo::CarryOutRequests() {
  if (!core_.requests.loveLook) return;
  // Cleared first: the scheme selects a row, which shows the texts again.
  core_.requests.loveLook = false;
  tarvo::ApplyBuiltinScheme(core_, tarvo::kLovePlaylistScheme);
  listScreen_->SyncFromCore();
  showMaximized();
}

void TAppTarvo::ShowCheckedCommands() {
  const auto check = [this](CommandId (*command)(int), int index, int count) {
    for (int i = 0; i < count; ++i) commands_->Command(command(i))->setChecked(i == index);
  };
  check(PlayModeCommand, core_.texts.checkedModeCommand, 5);
  check(ViewCommand, core_.texts.checkedViewCommand, 3);
  check(LevelCommand, tarvo::LevelMeterLayoutFor(core_.settings.levelMeterStyle).checkedCommand, 3);
}

bool TAppTarvo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == progressPanel_ && event->type() == QEvent::MouseButtonPress &&
      MovedWithoutCaptionBar(*static_cast<QMouseEvent*>(event))) {
    return true;
  }
  if (watched == statusPanels_[kModePanel] && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    tarvo::CyclePlayMode(core_, mouse->button() == Qt::RightButton);
    return true;
  }
  if (watched != listScreen_) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride) {
    // Ctrl+Space toggles the focused row, as in any list, instead of
    // running the mixer reset whose shortcut it also is.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Space)) {
      event->accept();
      return true;
    }
  } else if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    if (FilterListKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress)) return true;
  } else if (event->type() == QEvent::ContextMenu) {
    listPopup_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TAppTarvo::mousePressEvent(QMouseEvent* event) {
  if (!MovedWithoutCaptionBar(*event)) QMainWindow::mousePressEvent(event);
}

// With the caption bar switched off in the settings (read at every press), a
// plain left press on the window background or the progress panel moves the
// window as a drag on the caption would.
bool TAppTarvo::MovedWithoutCaptionBar(const QMouseEvent& event) {
  if (event.buttons() != Qt::LeftButton || event.modifiers() != Qt::NoModifier) return false;
  if (tarvo::ReadSetting(core_, tarvo::setting::kCaptionBar) || !windowHandle()) return false;
  return windowHandle()->startSystemMove();
}

// True when the key is used up here and must not reach the list.
bool TAppTarvo::FilterListKey(QKeyEvent* key, bool pressed) {
  const int code = VirtualKeyOf(*key);
  if (pressed) {
    if (IsVolumeKey(code) && core_.settings.levelMeterStyle == tarvo::kLevelMeter14Style) {
      progressPanel_->SetVolumeKeyHeld(true);
    }
    const int shift = ShiftStateOf(*key);
    // On X11 the numeric-pad "*" arrives as a key, its keypad shortcut
    // unmatched: it runs the record command all the same.
    if (code == kKeyNumpadMultiply && shift == tarvo::kNoModifier) {
      commands_->Command(CommandId::RecordStartAc)->trigger();
      return true;
    }
    // A handled key is swallowed with its character; what the dispatcher
    // leaves may be one of the list's own keys.
    return tarvo::DispatchKeyCommand(core_, code, shift) || tarvo::ListKeyDown(core_, code, shift);
  }
  if (key->isAutoRepeat()) return false;
  if (IsVolumeKey(code)) progressPanel_->SetVolumeKeyHeld(false);
  // A held seek key moved the seek bar; the seek is made on release.
  if (code == tarvo::kKeyLeft || code == tarvo::kKeyRight || code == tarvo::kKeyNumpad1 || code == tarvo::kKeyNumpad3) {
    core_.playback.SeekStepRelease();
    return true;
  }
  return false;
}
