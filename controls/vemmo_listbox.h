// The playlist view: a virtual, owner-drawn, multi-selection list that holds
// no item texts. Row count, selection, focused row and top row live in the
// core's list-view state; the control paints the visible rows as the core's
// PaintRow says and hands every mouse action to the core's list rules
// (playlist/list_mouse.h, playlist/drag_reorder.h). Window thread only.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QTimer>

#include "playlist/drag_reorder.h"
#include "playlist/list_mouse.h"
#include "settings/list_look.h"

namespace tarvo {
struct Core;
}

class TVemmoListbox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TVemmoListbox(tarvo::Core& core, QWidget* parent);

  // Takes over row count, top row, selection and look from the core and
  // repaints.
  void SyncFromCore();
  int RowHeight() const;
  // Whole rows that fit in the client area.
  int VisibleRowCount() const;
  // The row at height `y` of the client area; -1 for none.
  int RowAt(int y) const;
  bool Dragging() const { return dragging_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ApplyLook();
  void UpdateScrollRange();
  tarvo::ListGeometry Geometry() const;
  void DragTo(int y);
  void StopDrag();
  void AutoScrollTick();

  tarvo::Core& core_;
  // The look the fonts and palette were last built from.
  tarvo::ListLook appliedLook_;
  bool lookApplied_ = false;
  QFont normalFont_;
  QFont playingFont_;

  tarvo::ListMouseState mouse_;
  tarvo::DragState drag_;
  bool dragging_ = false;
  // Where the left button went down, and the row there; -1 for none.
  QPoint pressPosition_;
  int pressRow_ = -1;
  // The mouse height of the last drag-over; the timer repeats it while the
  // mouse rests near or beyond an edge, so the list keeps scrolling.
  int lastDragY_ = 0;
  QTimer autoScroll_;
  // Set while the scroll bar is brought to the core's row count and top row.
  bool syncingBar_ = false;
  // Wheel movement short of a whole notch (fine-grained wheels and pads).
  int wheelRemainder_ = 0;
};
