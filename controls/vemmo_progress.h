// The program's bar control, used for the seek bar: a 64-bit Max and
// Position (setting Position clamps it to 0..Max), painted as a filled bar.
// Mouse presses, moves and releases are reported with the x position and the
// control's width.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class TVemmoProgress : public QWidget {
  Q_OBJECT

 public:
  explicit TVemmoProgress(QWidget* parent);

  void SetRange(std::int64_t max, std::int64_t position);
  std::int64_t Max() const { return max_; }
  std::int64_t Position() const { return position_; }

  std::function<void(int x, int width)> onLeftDown;
  std::function<void(int x, int width)> onMove;
  std::function<void()> onLeftUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::int64_t max_ = 0;
  std::int64_t position_ = 0;
};
