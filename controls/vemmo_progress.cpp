#include "controls/vemmo_progress.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

TVemmoProgress::TVemmoProgress(QWidget* parent) : QWidget(parent) { setMinimumHeight(10); }

void TVemmoProgress::SetRange(std::int64_t max, std::int64_t position) {
  max = std::max<std::int64_t>(max, 0);
  position = std::clamp<std::int64_t>(position, 0, max);
  if (max == max_ && position == position_) return;
  max_ = max;
  position_ = position;
  update();
}

void TVemmoProgress::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(rect(), palette().base());
  if (max_ > 0) {
    const int filled = static_cast<int>(static_cast<double>(width()) * position_ / max_);
    painter.fillRect(QRect(0, 0, filled, height()), palette().highlight());
  }
  painter.setPen(palette().mid().color());
  painter.drawRect(frame);
}

void TVemmoProgress::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onLeftDown) onLeftDown(event->position().toPoint().x(), width());
}

void TVemmoProgress::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) onMove(event->position().toPoint().x(), width());
}

void TVemmoProgress::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onLeftUp) onLeftUp();
}
