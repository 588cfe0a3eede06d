// The program's bar control: the seek bar, the volume bars and the two level
// meters. A 64-bit Max with Position and Position2 (each clamped to 0..Max
// when set), painted as a solid bar, as blocks, as two stereo bars or as two
// rows of LEDs, with an optional caption inside.
//
// It is painted into the window's off-screen buffer; a position change
// repaints only the inside, never the frame, so that moving bars do not
// flicker, and only when it changes what is drawn (a filled length by a
// pixel, a lit LED, the caption); an LED bar then repaints only the LEDs that
// go on or off. The control never erases its background on its own. Mouse
// presses, moves and releases are reported with the position along x and the
// control's width. Window thread only.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

enum class TBarType { brNormal, brClassicWindows, brStereo, brStereoLeds };
// ctCustom shows Caption, ctPercent "Position × 100 / Max %", ctValue
// "Position / Max".
enum class TCaptionType { ctCustom, ctPercent, ctValue, ctNone };
enum class TProgressOrientation { pbHorizontal, pbVertical };

class TVemmoProgress : public QWidget {
  Q_OBJECT

 public:
  explicit TVemmoProgress(QWidget* parent);

  std::int64_t Max() const { return max_; }
  std::int64_t Position() const { return position_; }
  std::int64_t Position2() const { return position2_; }
  // A Max below the positions pulls them down with it.
  void SetMax(std::int64_t max);
  void SetPosition(std::int64_t position);
  void SetPosition2(std::int64_t position);
  // Max and Position at once, with a single repaint.
  void SetRange(std::int64_t max, std::int64_t position);

  QColor BackgroundColor() const { return backgroundColor_; }
  QColor BarColor() const { return barColor_; }
  QColor FrameTopColor() const { return frameTopColor_; }
  QColor FrameBottomColor() const { return frameBottomColor_; }
  void SetBackgroundColor(const QColor& color);
  void SetBarColor(const QColor& color);
  void SetFrameTopColor(const QColor& color);
  void SetFrameBottomColor(const QColor& color);

  TBarType BarType() const { return barType_; }
  void SetBarType(TBarType type);
  // The border inside the frame. A stored value that is not above 0 and
  // below both the width and the height counts as 1.
  int BorderWidth() const;
  void SetBorderWidth(int width);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  TCaptionType CaptionType() const { return captionType_; }
  void SetCaptionType(TCaptionType type);
  TProgressOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressOrientation orientation);
  int StereoSeperation() const { return stereoSeperation_; }
  int LedSeperation() const { return ledSeperation_; }
  int LedWidth() const { return ledWidth_; }
  void SetStereoSeperation(int pixels);
  void SetLedSeperation(int pixels);
  void SetLedWidth(int pixels);

  // The rectangle a position change repaints: everything inside the border.
  QRect InsideRect() const;
  // The caption text as it is drawn; empty for ctNone.
  QString CaptionText() const;

  QSize sizeHint() const override { return {150, 16}; }

  // Called after Position or Position2 changed.
  std::function<void()> onChange;
  std::function<void(int x, int width)> onLeftDown;
  std::function<void(int x, int width)> onMove;
  std::function<void()> onLeftUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // What the inside shows for the positions: the filled lengths in pixels
  // (LED counts for LED bars) and the caption.
  struct DrawnFill {
    int first = -1;
    int second = -1;
    QString caption;
    bool operator==(const DrawnFill&) const = default;
  };
  DrawnFill FillFor() const;
  void PositionsChanged();
  QRect ChangedLeds(const DrawnFill& drawn, const DrawnFill& next) const;
  void PaintFrame(QPainter& painter);
  void PaintInside(QPainter& painter, QSize size) const;
  // The inside's extent along the bar: its width, or its height when
  // vertical.
  int LengthOf(QSize inside) const;
  // One span along the bar's length (from its start: left or bottom) across
  // the thickness band bandFrom..bandTo, in the coordinates of an inside of
  // that size.
  QRect Span(int from, int to, int bandFrom, int bandTo, QSize inside) const;
  int Scaled(std::int64_t value, int length) const;
  void PaintStereoLeds(QPainter& painter, QSize size) const;
  void PaintClassicBlocks(QPainter& painter, QSize size) const;

  std::int64_t max_ = 100;
  std::int64_t position_ = 0;
  std::int64_t position2_ = 0;
  QColor backgroundColor_;
  QColor barColor_;
  QColor frameTopColor_;
  QColor frameBottomColor_;
  TBarType barType_ = TBarType::brNormal;
  int borderWidth_ = 1;
  QString caption_ = QStringLiteral("TVemmoProgress");
  TCaptionType captionType_ = TCaptionType::ctNone;
  TProgressOrientation orientation_ = TProgressOrientation::pbHorizontal;
  int stereoSeperation_ = 1;
  int ledSeperation_ = 1;
  int ledWidth_ = 1;
  // The fill last drawn or asked to be drawn.
  DrawnFill drawnFill_;
};
