#include "app/progress_panel.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

#include "app/elided_label.h"
#include "controls/vemmo_progress.h"
#include "playback/level_meter.h"
#include "playback/volume.h"

namespace {

using tarvo::kLevelMeter14Leds;
using tarvo::kLevelMeter6Leds;

constexpr int kPanelHeight = 42;
// Space between neighbours: the window frame's width in the layout this one
// follows.
constexpr int kGap = 4;
// The top row: play bar, time and volume label.
constexpr int kRowTop = 1;
constexpr int kRowHeight = 22;
constexpr int kPlayBarLeft = 4;
constexpr int kTimeLeftWithPlayBar = 146;
constexpr int kTimeLeftAlone = 6;
constexpr int kLabelVolumeWidth = 44;
// The seek bar below it.
constexpr int kSeekLeft = 6;
constexpr int kSeekTop = 26;
constexpr int kSeekHeight = 12;
// Both meters end one pixel from the right edge. The 6-step meter's seven
// LEDs of 3 pixels with 2 between fill its inside exactly; the volume bar
// takes its place while the volume changes.
constexpr int kRightMargin = 1;
constexpr int kMeter6Width = 13;
constexpr int kMeter6Top = 3;
constexpr int kMeter6Height = 37;
constexpr int kMeter6LedWidth = 3;
constexpr int kMeter6LedSeparation = 2;
// The 14-step meter: fourteen LEDs of 9 pixels with 1 between, and its scale
// under it.
constexpr int kMeter14Width = 143;
constexpr int kMeter14Top = 3;
constexpr int kMeter14Height = 15;
constexpr int kMeter14LedWidth = 9;
constexpr int kMeter14LedSeparation = 1;
constexpr int kScaleWidth = 144;
constexpr int kScaleTop = 19;
constexpr int kScaleHeight = 16;
constexpr int kScaleFontPixels = 9;
// Where a meter's LEDs start: past its frame and border.
constexpr int kMeterInset = 2;

// The scale's labels, each centred under the LED (counted from 1) that lights
// at its dB value.
struct ScaleMark {
  const char* text;
  int led;
};
constexpr ScaleMark kScaleMarks[] = {
    {"-oo", 1}, {"30", 4}, {"20", 6}, {"12", 8}, {"8", 10}, {"4", 12}, {"0 ", 14},
};

TVemmoProgress* NewStereoMeter(QWidget* parent, const char* name, TProgressOrientation orientation, int leds,
                               int ledWidth, int ledSeparation) {
  auto* meter = new TVemmoProgress(parent);
  meter->setObjectName(QString::fromLatin1(name));
  meter->SetBarType(TBarType::brStereoLeds);
  meter->SetOrientation(orientation);
  meter->SetMax(leds);
  meter->SetLedWidth(ledWidth);
  meter->SetLedSeperation(ledSeparation);
  return meter;
}

}  // namespace

TProgressPanel::TProgressPanel(tarvo::Core& core, QWidget* playBar, QWidget* parent)
    : QWidget(parent),
      core_(core),
      playBar_(playBar),
      labelTime_(new ElidedLabel(this)),
      progres_(new TVemmoProgress(this)),
      labelVolume_(new QLabel(this)) {
  setObjectName(QStringLiteral("ProgressPanel"));
  setFixedHeight(kPanelHeight);
  playBar_->setParent(this);
  labelTime_->setObjectName(QStringLiteral("LabelTime"));
  progres_->setObjectName(QStringLiteral("Progres"));
  labelVolume_->setObjectName(QStringLiteral("LabelVolume"));
  labelVolume_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  labelVolume_->setText(QStringLiteral("100 %"));
  labelVolume_->installEventFilter(this);
  BuildMeters();
  BuildScale();
  LayOut();
}

void TProgressPanel::BuildMeters() {
  levelMeter6_ = NewStereoMeter(this, "LevelMeter6", TProgressOrientation::pbVertical, kLevelMeter6Leds,
                                kMeter6LedWidth, kMeter6LedSeparation);
  levelMeter14_ = NewStereoMeter(this, "LevelMeter14", TProgressOrientation::pbHorizontal, kLevelMeter14Leds,
                                 kMeter14LedWidth, kMeter14LedSeparation);
  volumeBar_ = new TVemmoProgress(this);
  volumeBar_->setObjectName(QStringLiteral("VolumeProcesBar"));
  volumeBar_->SetOrientation(TProgressOrientation::pbVertical);
  volumeBar_->setToolTip(tr("숫자패드의 +, - 키로 음량을 조절합니다. Pause 키는 조용히(소프트 뮤트)입니다."));
  volumeBar_->hide();
}

void TProgressPanel::BuildScale() {
  scalePanel_ = new QWidget(this);
  scalePanel_->setObjectName(QStringLiteral("PanelLevelMeter14"));
  scalePanel_->setFixedSize(kScaleWidth, kScaleHeight);
  scalePanel_->installEventFilter(this);
  QFont scaleFont = font();
  scaleFont.setPixelSize(kScaleFontPixels);
  const QFontMetrics metrics(scaleFont);
  const int pitch = kMeter14LedWidth + kMeter14LedSeparation;
  for (const ScaleMark& mark : kScaleMarks) {
    auto* label = new QLabel(QString::fromLatin1(mark.text), scalePanel_);
    label->setFont(scaleFont);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    const int width = metrics.horizontalAdvance(label->text()) + 2;
    const int centre = kMeterInset + (mark.led - 1) * pitch + kMeter14LedWidth / 2;
    const int left = std::clamp(centre - width / 2, 0, kScaleWidth - width);
    label->setGeometry(left, 0, width, kScaleHeight);
    label->installEventFilter(this);
    scaleLabels_ << label;
  }
}

QSize TProgressPanel::sizeHint() const { return {386, kPanelHeight}; }

void TProgressPanel::SetMeterMenu(const QList<QAction*>& actions) {
  for (QWidget* widget : {static_cast<QWidget*>(levelMeter6_), static_cast<QWidget*>(levelMeter14_), scalePanel_,
                          static_cast<QWidget*>(labelVolume_), static_cast<QWidget*>(volumeBar_)}) {
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    widget->addActions(actions);
  }
}

void TProgressPanel::ShowCore() {
  labelTime_->setText(QString::fromStdString(core_.texts.labelTime));
  labelVolume_->setText(QString::fromStdString(core_.texts.labelVolume));
  progres_->SetRange(core_.progress.max, core_.progress.position);
  volumeBar_->SetPosition(core_.texts.volumeBarPosition);
  if (core_.settings.levelMeterStyle != laidOutStyle_ || VolumeBarShown() != laidOutVolumeBar_) LayOut();
  ShowLevels();
}

void TProgressPanel::ShowLevels() {
  const tarvo::LevelMeterLayout layout = tarvo::LevelMeterLayoutFor(core_.settings.levelMeterStyle);
  const tarvo::LevelMeterState& meter = core_.levelMeter;
  // The hidden meter goes dark, so that it does not show old LEDs when its
  // style comes back.
  TVemmoProgress* shown = layout.levelMeter6Visible ? levelMeter6_ : layout.levelMeter14Visible ? levelMeter14_ : nullptr;
  for (TVemmoProgress* bar : {levelMeter6_, levelMeter14_}) {
    bar->SetPosition(bar == shown ? meter.ledsLeft : 0);
    bar->SetPosition2(bar == shown ? meter.ledsRight : 0);
  }
}

void TProgressPanel::SetPlayBarShown(bool shown) {
  playBarShown_ = shown;
  playBar_->setVisible(shown);
  LayOut();
}

void TProgressPanel::SetVolumeKeyHeld(bool held) {
  if (held == volumeKeyHeld_) return;
  volumeKeyHeld_ = held;
  LayOut();
}

// A volume drag, and in 14-step style a held volume key, show the volume
// bar in place of the meter's LEDs or scale.
bool TProgressPanel::VolumeBarShown() const {
  const tarvo::LevelMeterLayout layout = tarvo::LevelMeterLayoutFor(core_.settings.levelMeterStyle);
  if (layout.levelMeter14Visible) return core_.volume.dragging || volumeKeyHeld_;
  return layout.levelMeter6Visible && core_.volume.dragging;
}

void TProgressPanel::resizeEvent(QResizeEvent*) { LayOut(); }

// The right edge of the time label: left of the 14-step meter, or left of
// the volume label (which stands left of the 6-step meter when shown).
int TProgressPanel::TimeLabelRight(int clientWidth) const {
  const tarvo::LevelMeterLayout layout = tarvo::LevelMeterLayoutFor(core_.settings.levelMeterStyle);
  if (layout.levelMeter14Visible) return clientWidth - kRightMargin - kMeter14Width - kGap;
  const int labelRight = layout.levelMeter6Visible ? clientWidth - kRightMargin - kMeter6Width - kGap : clientWidth - kGap;
  return labelRight - kLabelVolumeWidth - kGap;
}

int TProgressPanel::WidthShowingTime(const QString& text) const {
  const int timeLeft = playBarShown_ ? kTimeLeftWithPlayBar : kTimeLeftAlone;
  // The label's frame and margins around the text, as Qt lays them out.
  const int textWidth = labelTime_->fontMetrics().horizontalAdvance(text) + 2 * labelTime_->margin() + 2;
  return timeLeft + textWidth + (0 - TimeLabelRight(0));
}

void TProgressPanel::LayOut() {
  const int style = core_.settings.levelMeterStyle;
  const tarvo::LevelMeterLayout layout = tarvo::LevelMeterLayoutFor(style);
  const bool volumeBar = VolumeBarShown();
  laidOutStyle_ = style;
  laidOutVolumeBar_ = volumeBar;
  const int clientWidth = width();

  const QRect meter6(clientWidth - kRightMargin - kMeter6Width, kMeter6Top, kMeter6Width, kMeter6Height);
  levelMeter6_->setGeometry(meter6);
  volumeBar_->setGeometry(meter6);
  const int meter14Left = clientWidth - kRightMargin - kMeter14Width;
  const int meter14Width = volumeBar ? kMeter14Width - kGap - meter6.width() : kMeter14Width;
  levelMeter14_->setGeometry(meter14Left, kMeter14Top, meter14Width, kMeter14Height);
  scalePanel_->move(meter14Left, kScaleTop);

  int seekRight = clientWidth - kSeekLeft;
  const int timeRight = TimeLabelRight(clientWidth);
  if (layout.levelMeter14Visible) {
    seekRight = meter14Left - kGap;
    // The volume label takes the scale's place while the volume changes.
    labelVolume_->setGeometry(meter6.left() - kGap - kLabelVolumeWidth, kScaleTop, kLabelVolumeWidth, kScaleHeight);
  } else {
    const int labelRight = layout.levelMeter6Visible ? meter6.left() - kGap : clientWidth - kGap;
    if (layout.levelMeter6Visible) seekRight = meter6.left() - kGap;
    labelVolume_->setGeometry(labelRight - kLabelVolumeWidth, kRowTop, kLabelVolumeWidth, kRowHeight);
  }
  progres_->setGeometry(kSeekLeft, kSeekTop, std::max(seekRight - kSeekLeft, 0), kSeekHeight);
  playBar_->move(kPlayBarLeft, kRowTop);
  const int timeLeft = playBarShown_ ? kTimeLeftWithPlayBar : kTimeLeftAlone;
  labelTime_->setGeometry(timeLeft, kRowTop, std::max(timeRight - timeLeft, 0), kRowHeight);

  levelMeter6_->setVisible(layout.levelMeter6Visible && !volumeBar);
  levelMeter14_->setVisible(layout.levelMeter14Visible);
  scalePanel_->setVisible(layout.levelMeter14Visible && !volumeBar);
  volumeBar_->setVisible(volumeBar);
  labelVolume_->setVisible(layout.labelVolumeVisible || volumeBar);
}

// Volume drag: a left press on the volume label, the scale or one of its
// labels starts it. The panel takes the mouse for the rest of the drag,
// because the scale it started on is hidden while it runs.
bool TProgressPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress) return QWidget::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const bool source = watched == labelVolume_ || watched == scalePanel_ || scaleLabels_.contains(watched);
  if (!source || mouse->button() != Qt::LeftButton) return QWidget::eventFilter(watched, event);
  const QPoint inPanel = static_cast<QWidget*>(watched)->mapTo(this, mouse->position().toPoint());
  tarvo::BeginVolumeDrag(core_, inPanel.y());
  grabMouse();
  LayOut();
  return true;
}

void TProgressPanel::mouseMoveEvent(QMouseEvent* event) {
  if (!core_.volume.dragging) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  tarvo::MoveVolumeDrag(core_, event->position().toPoint().y(), event->globalPosition().toPoint().y());
}

void TProgressPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (!core_.volume.dragging || event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  tarvo::EndVolumeDrag(core_);
  releaseMouse();
  LayOut();
}
