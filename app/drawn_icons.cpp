#include "app/drawn_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSide = 16;

// A triangle pointing right, with its left edge at `left`.
QPainterPath RightTriangle(qreal left, qreal width) {
  QPainterPath path;
  path.moveTo(left, 3);
  path.lineTo(left + width, 8);
  path.lineTo(left, 13);
  path.closeSubpath();
  return path;
}

QPainterPath LeftTriangle(qreal right, qreal width) {
  QPainterPath path;
  path.moveTo(right, 3);
  path.lineTo(right - width, 8);
  path.lineTo(right, 13);
  path.closeSubpath();
  return path;
}

void Draw(QPainter& painter, DrawnPicture picture) {
  switch (picture) {
    case DrawnPicture::Play:
      painter.drawPath(RightTriangle(4, 9));
      break;
    case DrawnPicture::PlayPause:
      painter.drawPath(RightTriangle(1, 7));
      painter.drawRect(QRectF(10, 3, 2, 10));
      painter.drawRect(QRectF(13, 3, 2, 10));
      break;
    case DrawnPicture::Stop:
      painter.drawRect(QRectF(4, 4, 8, 8));
      break;
    case DrawnPicture::Previous:
      painter.drawRect(QRectF(3, 3, 2, 10));
      painter.drawPath(LeftTriangle(13, 8));
      break;
    case DrawnPicture::Next:
      painter.drawPath(RightTriangle(3, 8));
      painter.drawRect(QRectF(11, 3, 2, 10));
      break;
    case DrawnPicture::Record:
      painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
      break;
    case DrawnPicture::MoreToTheRight:
      painter.drawPath(RightTriangle(3, 5));
      painter.drawPath(RightTriangle(9, 5));
      break;
  }
}

QPixmap Picture(DrawnPicture picture, const QColor& colour) {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  Draw(painter, picture);
  return pixmap;
}

}  // namespace

QIcon DrawnIcon(DrawnPicture picture, const QColor& colour) {
  QIcon icon(Picture(picture, colour));
  // A disabled button shows its picture greyed, as the style would.
  QColor faded = colour;
  faded.setAlpha(90);
  icon.addPixmap(Picture(picture, faded), QIcon::Disabled);
  return icon;
}
