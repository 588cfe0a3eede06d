#include "app/drawn_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRect>

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

// Draws on demand, at the size asked for: no picture is made before the
// first paint, which comes after the window is shown.
class DrawnIconEngine : public QIconEngine {
 public:
  DrawnIconEngine(DrawnPicture picture, const QColor& colour) : picture_(picture), colour_(colour) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(ColourFor(mode));
    painter->translate(rect.topLeft());
    painter->scale(qreal(rect.width()) / kSide, qreal(rect.height()) / kSide);
    Draw(*painter, picture_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new DrawnIconEngine(picture_, colour_); }

 private:
  // A disabled button shows its picture greyed, as the style would.
  QColor ColourFor(QIcon::Mode mode) const {
    if (mode != QIcon::Disabled) return colour_;
    QColor faded = colour_;
    faded.setAlpha(90);
    return faded;
  }

  const DrawnPicture picture_;
  const QColor colour_;
};

}  // namespace

QIcon DrawnIcon(DrawnPicture picture, const QColor& colour) { return QIcon(new DrawnIconEngine(picture, colour)); }
