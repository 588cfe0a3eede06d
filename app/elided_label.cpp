#include "app/elided_label.h"

#include <QPainter>
#include <QStyle>

QSize ElidedLabel::minimumSizeHint() const {
  // Room for the ellipsis alone.
  const QMargins frame = contentsMargins();
  return {fontMetrics().horizontalAdvance(QStringLiteral("…")) + frame.left() + frame.right() + 2 * margin(),
          QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), shown, foregroundRole());
}
