#include "controls/vemmo_progress.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The classic block bar's block size is the control's thickness divided by
// this; a block leaves a two-pixel gap to the next one.
constexpr double kClassicBlockRatio = 1.55;
constexpr int kClassicBlockGap = 2;
// Blocks narrower than this would be all gap.
constexpr int kClassicMinBlock = kClassicBlockGap + 1;
// A partly filled block is drawn whole.
constexpr double kClassicRoundUp = 0.9999999;

std::int64_t ClampToMax(std::int64_t value, std::int64_t max) { return std::clamp<std::int64_t>(value, 0, std::max<std::int64_t>(max, 0)); }

}  // namespace

TVemmoProgress::TVemmoProgress(QWidget* parent)
    : QWidget(parent),
      backgroundColor_(palette().color(QPalette::Button)),
      barColor_(palette().color(QPalette::Highlight)),
      frameTopColor_(palette().color(QPalette::Dark)),
      frameBottomColor_(palette().color(QPalette::Light)) {
  // Every pixel is painted by paintEvent; Qt must not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(sizeHint());
}

void TVemmoProgress::SetMax(std::int64_t max) {
  if (max == max_) return;
  max_ = max;
  const std::int64_t position = ClampToMax(position_, max_);
  const std::int64_t position2 = ClampToMax(position2_, max_);
  const bool moved = position != position_ || position2 != position2_;
  position_ = position;
  position2_ = position2;
  update();
  if (moved && onChange) onChange();
}

void TVemmoProgress::SetPosition(std::int64_t position) {
  position = ClampToMax(position, max_);
  if (position == position_) return;
  position_ = position;
  PositionsChanged();
}

void TVemmoProgress::SetPosition2(std::int64_t position) {
  position = ClampToMax(position, max_);
  if (position == position2_) return;
  position2_ = position;
  PositionsChanged();
}

void TVemmoProgress::SetRange(std::int64_t max, std::int64_t position) {
  if (max != max_) {
    // The new Max repaints everything; the position follows without a
    // second repaint.
    SetMax(max);
    const std::int64_t clamped = ClampToMax(position, max_);
    if (clamped != position_) {
      position_ = clamped;
      if (onChange) onChange();
    }
    return;
  }
  SetPosition(position);
}

// A position change that leaves the drawn fill as it is needs no repaint:
// the seek bar of a long entry moves by a pixel only every few seconds. An
// LED bar repaints only the LEDs that go on or off.
void TVemmoProgress::PositionsChanged() {
  const DrawnFill fill = FillFor();
  if (fill != drawnFill_) {
    const bool onlyLeds = barType_ == TBarType::brStereoLeds && fill.caption == drawnFill_.caption;
    update(onlyLeds ? ChangedLeds(drawnFill_, fill) : InsideRect());
    drawnFill_ = fill;
  }
  if (onChange) onChange();
}

// The LEDs between the counts drawn and the counts to draw, on each side.
QRect TVemmoProgress::ChangedLeds(const DrawnFill& drawn, const DrawnFill& next) const {
  const QRect inside = InsideRect();
  const int thickness = orientation_ == TProgressOrientation::pbHorizontal ? inside.height() : inside.width();
  const int half = (thickness - stereoSeperation_) / 2;
  const auto between = [&](int a, int b, int bandFrom, int bandTo) {
    if (a == b) return QRect();
    const int pitch = ledWidth_ + ledSeperation_;
    const int length = LengthOf(inside.size());
    const int from = std::min(a, b) * pitch;
    const int to = std::min((std::max(a, b) - 1) * pitch + ledWidth_, length);
    return Span(from, to, bandFrom, bandTo, inside.size());
  };
  const QRect changed = between(drawn.first, next.first, 0, half) |
                        between(drawn.second, next.second, half + stereoSeperation_, thickness);
  return changed.translated(inside.topLeft());
}

TVemmoProgress::DrawnFill TVemmoProgress::FillFor() const {
  const int length = LengthOf(InsideRect().size());
  if (barType_ == TBarType::brStereoLeds) {
    // LEDs that start past the end are not drawn.
    const int pitch = ledWidth_ + ledSeperation_;
    const auto fitting = [&](std::int64_t leds) {
      return static_cast<int>(std::min<std::int64_t>(leds, (length + pitch - 1) / pitch));
    };
    return {fitting(position_), fitting(position2_), CaptionText()};
  }
  return {Scaled(position_, length), Scaled(position2_, length), CaptionText()};
}

void TVemmoProgress::SetBackgroundColor(const QColor& color) {
  backgroundColor_ = color;
  update();
}

void TVemmoProgress::SetBarColor(const QColor& color) {
  barColor_ = color;
  update();
}

void TVemmoProgress::SetFrameTopColor(const QColor& color) {
  frameTopColor_ = color;
  update();
}

void TVemmoProgress::SetFrameBottomColor(const QColor& color) {
  frameBottomColor_ = color;
  update();
}

void TVemmoProgress::SetBarType(TBarType type) {
  barType_ = type;
  update();
}

int TVemmoProgress::BorderWidth() const {
  const bool fits = borderWidth_ > 0 && borderWidth_ < width() && borderWidth_ < height();
  return fits ? borderWidth_ : 1;
}

void TVemmoProgress::SetBorderWidth(int width) {
  borderWidth_ = width;
  update();
}

void TVemmoProgress::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TVemmoProgress::SetCaptionType(TCaptionType type) {
  captionType_ = type;
  update();
}

void TVemmoProgress::SetOrientation(TProgressOrientation orientation) {
  orientation_ = orientation;
  update();
}

void TVemmoProgress::SetStereoSeperation(int pixels) {
  stereoSeperation_ = std::max(pixels, 0);
  update();
}

void TVemmoProgress::SetLedSeperation(int pixels) {
  ledSeperation_ = std::max(pixels, 0);
  update();
}

void TVemmoProgress::SetLedWidth(int pixels) {
  ledWidth_ = std::max(pixels, 1);
  update();
}

QRect TVemmoProgress::InsideRect() const {
  const int border = BorderWidth();
  const int inset = border + 1;
  if (width() <= 2 * inset || height() <= 2 * inset) return {};
  return {inset, inset, width() - 2 * inset, height() - 2 * inset};
}

QString TVemmoProgress::CaptionText() const {
  switch (captionType_) {
    case TCaptionType::ctCustom:
      return QLatin1Char(' ') + caption_;
    case TCaptionType::ctPercent:
      return QStringLiteral(" %1 %").arg(max_ > 0 ? position_ * 100 / max_ : 0);
    case TCaptionType::ctValue:
      return QStringLiteral(" %1 / %2").arg(position_).arg(max_);
    case TCaptionType::ctNone:
      break;
  }
  return {};
}

// The inside is painted straight into the window's buffer, which Qt keeps
// off screen until the whole paint is done; a position change clips the
// painting to the LEDs or the inside it asked for.
void TVemmoProgress::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect inside = InsideRect();
  // A position change asks for the inside only; anything more is a full
  // paint with background and frame.
  if (inside.isEmpty() || !inside.contains(event->rect())) PaintFrame(painter);
  if (inside.isEmpty()) return;
  drawnFill_ = FillFor();
  painter.translate(inside.topLeft());
  PaintInside(painter, inside.size());
}

void TVemmoProgress::PaintFrame(QPainter& painter) {
  painter.fillRect(rect(), backgroundColor_);
  const int right = width() - 1;
  const int bottom = height() - 1;
  painter.setPen(frameTopColor_);
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.setPen(frameBottomColor_);
  painter.drawLine(0, bottom, right, bottom);
  painter.drawLine(right, 0, right, bottom);
}

// In inside coordinates: (0, 0) is the inside's top left.
void TVemmoProgress::PaintInside(QPainter& painter, QSize size) const {
  painter.fillRect(QRect(QPoint(), size), backgroundColor_);
  const int length = LengthOf(size);
  const int thickness = orientation_ == TProgressOrientation::pbHorizontal ? size.height() : size.width();
  switch (barType_) {
    case TBarType::brNormal:
      painter.fillRect(Span(0, Scaled(position_, length), 0, thickness, size), barColor_);
      break;
    case TBarType::brStereoLeds:
      PaintStereoLeds(painter, size);
      break;
    case TBarType::brClassicWindows:
      PaintClassicBlocks(painter, size);
      break;
    case TBarType::brStereo: {
      const int half = (thickness - stereoSeperation_) / 2;
      painter.fillRect(Span(0, Scaled(position_, length), 0, half, size), barColor_);
      painter.fillRect(Span(0, Scaled(position2_, length), half + stereoSeperation_, thickness, size), barColor_);
      break;
    }
  }
  const QString caption = CaptionText();
  if (!caption.isEmpty()) {
    // The text stays inside, off the frame and border.
    painter.setClipRect(QRect(QPoint(), size));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(1, 0, size.width() - 1, size.height()), Qt::AlignLeft | Qt::AlignVCenter, caption);
  }
}

int TVemmoProgress::LengthOf(QSize inside) const {
  return orientation_ == TProgressOrientation::pbHorizontal ? inside.width() : inside.height();
}

QRect TVemmoProgress::Span(int from, int to, int bandFrom, int bandTo, QSize inside) const {
  if (orientation_ == TProgressOrientation::pbHorizontal) return {from, bandFrom, to - from, bandTo - bandFrom};
  // Vertical bars grow up from the bottom.
  const int length = inside.height();
  return {bandFrom, length - to, bandTo - bandFrom, to - from};
}

int TVemmoProgress::Scaled(std::int64_t value, int length) const {
  if (value <= 0 || max_ <= 0) return 0;
  return static_cast<int>(std::min<std::int64_t>(length * value / max_, length));
}

// Position and Position2 count LEDs here; they are not scaled by Max.
void TVemmoProgress::PaintStereoLeds(QPainter& painter, QSize size) const {
  const int length = LengthOf(size);
  const int thickness = orientation_ == TProgressOrientation::pbHorizontal ? size.height() : size.width();
  const int half = (thickness - stereoSeperation_) / 2;
  const auto paintRow = [&](std::int64_t leds, int bandFrom, int bandTo) {
    const int pitch = ledWidth_ + ledSeperation_;
    for (std::int64_t led = 0; led < leds; ++led) {
      const int from = static_cast<int>(led) * pitch;
      if (from >= length) break;
      painter.fillRect(Span(from, std::min(from + ledWidth_, length), bandFrom, bandTo, size), barColor_);
    }
  };
  paintRow(position_, 0, half);
  paintRow(position2_, half + stereoSeperation_, thickness);
}

// Blocks as big as the control is thick, up to and including the block the
// filled length ends in.
void TVemmoProgress::PaintClassicBlocks(QPainter& painter, QSize size) const {
  const int length = LengthOf(size);
  const int thickness = orientation_ == TProgressOrientation::pbHorizontal ? size.height() : size.width();
  const int across = orientation_ == TProgressOrientation::pbHorizontal ? height() : width();
  const int block = std::max(static_cast<int>(across / kClassicBlockRatio), kClassicMinBlock);
  const int filled = Scaled(position_, length);
  const int blocks = static_cast<int>(static_cast<double>(filled) / block + kClassicRoundUp);
  for (int k = 0; k < blocks; ++k) {
    const int from = k * block;
    const int to = std::min((k + 1) * block - kClassicBlockGap, length);
    if (to > from) painter.fillRect(Span(from, to, 0, thickness, size), barColor_);
  }
}

// A bar without a handler leaves the mouse to the control beneath it.
void TVemmoProgress::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onLeftDown) {
    onLeftDown(event->position().toPoint().x(), width());
  } else {
    QWidget::mousePressEvent(event);
  }
}

void TVemmoProgress::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) {
    onMove(event->position().toPoint().x(), width());
  } else {
    QWidget::mouseMoveEvent(event);
  }
}

void TVemmoProgress::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onLeftUp) {
    onLeftUp();
  } else {
    QWidget::mouseReleaseEvent(event);
  }
}
