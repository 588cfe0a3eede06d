#include "controls/vemmo_listbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "core.h"
#include "playlist/row_paint.h"

namespace {

// Left margin of a row's text.
constexpr int kTextIndent = 4;
// One notch of a standard wheel.
constexpr int kWheelNotch = 120;
// Auto-scroll repeats while the mouse rests at an edge during a drag: fast
// upwards, half as fast downwards.
constexpr int kScrollUpIntervalMs = 7;
constexpr int kScrollDownIntervalMs = 14;

QColor ToQColor(tarvo::Color color) { return QColor::fromRgb(color.rgb); }

// The fields of the look that the control itself holds: its fonts, colours
// and row height. The other colours are read at every paint.
bool SameControlLook(const tarvo::ListLook& a, const tarvo::ListLook& b) {
  return a.fontName == b.fontName && a.fontSize == b.fontSize && a.fontBold == b.fontBold &&
         a.playingItemBold == b.playingItemBold && a.backgroundColor == b.backgroundColor &&
         a.fontColor == b.fontColor && a.fontColorSelected == b.fontColorSelected &&
         a.selectionColor == b.selectionColor && a.itemHeight == b.itemHeight;
}

}  // namespace

TVemmoListbox::TVemmoListbox(tarvo::Core& core, QWidget* parent)
    : QAbstractScrollArea(parent), core_(core) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
  // Every pixel of the viewport is painted by paintEvent.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // The scroll bar counts whole rows.
  verticalScrollBar()->setSingleStep(1);
  autoScroll_.setTimerType(Qt::PreciseTimer);
  connect(&autoScroll_, &QTimer::timeout, this, &TVemmoListbox::AutoScrollTick);
  ApplyLook();
}

int TVemmoListbox::RowHeight() const { return std::max(core_.listLook.itemHeight, 1); }

int TVemmoListbox::VisibleRowCount() const { return viewport()->height() / RowHeight(); }

int TVemmoListbox::RowAt(int y) const { return tarvo::RowAtY(core_.listView, Geometry(), y); }

tarvo::ListGeometry TVemmoListbox::Geometry() const { return {RowHeight(), viewport()->height()}; }

void TVemmoListbox::SyncFromCore() {
  ApplyLook();
  UpdateScrollRange();
  viewport()->update();
}

// The list's own colour and font follow the look; the palette carries them
// so that the scroll area's frame and anything asking the control for its
// colours see the same ones as the rows.
void TVemmoListbox::ApplyLook() {
  const tarvo::ListLook& look = core_.listLook;
  if (lookApplied_ && SameControlLook(look, appliedLook_)) return;
  appliedLook_ = look;
  lookApplied_ = true;
  normalFont_ = QFont(QString::fromStdString(look.fontName), std::max(look.fontSize, 1));
  normalFont_.setBold(look.fontBold);
  playingFont_ = normalFont_;
  playingFont_.setBold(look.playingItemBold);
  setFont(normalFont_);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ToQColor(look.backgroundColor));
  colours.setColor(QPalette::Text, ToQColor(look.fontColor));
  colours.setColor(QPalette::Highlight, ToQColor(look.selectionColor));
  colours.setColor(QPalette::HighlightedText, ToQColor(look.fontColorSelected));
  setPalette(colours);
}

void TVemmoListbox::UpdateScrollRange() {
  tarvo::ListViewState& view = core_.listView;
  view.rowsPerPage = std::max(VisibleRowCount(), 1);
  // A taller view or fewer rows lower the last top row.
  view.ClampTopRow();
  QScrollBar* bar = verticalScrollBar();
  // The bar's signals stay on: the scroll area shows and hides the bar when
  // its range changes. Its moves here only follow the core's top row.
  syncingBar_ = true;
  bar->setRange(0, std::max(view.RowCount() - VisibleRowCount(), 0));
  bar->setPageStep(view.rowsPerPage);
  bar->setValue(view.topRow);
  syncingBar_ = false;
}

void TVemmoListbox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void TVemmoListbox::scrollContentsBy(int, int) {
  if (!syncingBar_) core_.listView.topRow = verticalScrollBar()->value();
  viewport()->update();
}

// Paints only the rows inside the damaged area, each as the core decides,
// and fills the area below the last row with the list's colour. No focus
// rectangle is ever drawn.
void TVemmoListbox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const tarvo::ListViewState& view = core_.listView;
  const QRect damaged = event->rect();
  const int height = RowHeight();
  const int width = viewport()->width();
  const int rows = std::min(view.RowCount(), static_cast<int>(core_.playlist.PlaylistEntries.size()));
  const int first = view.topRow + std::max(damaged.top(), 0) / height;
  const int last = std::min(view.topRow + damaged.bottom() / height + 1, rows);

  const tarvo::PageMarks marks(core_, first, last);
  const int ascent = QFontMetrics(normalFont_).ascent();
  for (int row = first; row < last; ++row) {
    const tarvo::RowPaint paint = tarvo::PaintRow(core_, marks, row);
    const int top = (row - view.topRow) * height;
    painter.fillRect(0, top, width, height, ToQColor(paint.fill));
    painter.setFont(paint.bold == normalFont_.bold() ? normalFont_ : playingFont_);
    painter.setPen(ToQColor(paint.textColor));
    painter.drawText(QPoint(kTextIndent, top + ascent), QString::fromStdString(paint.text));
  }
  const int below = std::max(rows - view.topRow, 0) * height;
  if (below < viewport()->height()) {
    painter.fillRect(0, below, width, viewport()->height() - below, ToQColor(core_.listLook.backgroundColor));
  }
}

void TVemmoListbox::mousePressEvent(QMouseEvent* event) {
  // A drag whose release never arrived (the grab was taken away) ends here.
  if (dragging_) StopDrag();
  const int row = RowAt(event->position().toPoint().y());
  if (event->button() == Qt::RightButton) {
    tarvo::RightClickSelect(core_, row);
  } else if (event->button() == Qt::LeftButton) {
    pressPosition_ = event->position().toPoint();
    pressRow_ = row;
    const Qt::KeyboardModifiers keys = event->modifiers();
    tarvo::ListMousePress(core_, mouse_, row, keys & Qt::ControlModifier, keys & Qt::ShiftModifier);
  }
  setFocus(Qt::MouseFocusReason);
  SyncFromCore();
}

void TVemmoListbox::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint position = event->position().toPoint();
  if (!dragging_) {
    if (pressRow_ < 0 || (position - pressPosition_).manhattanLength() < QApplication::startDragDistance()) return;
    dragging_ = true;
    tarvo::StartDrag(core_, drag_, pressRow_);
  }
  DragTo(position.y());
}

void TVemmoListbox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool dragged = dragging_;
  if (dragging_) StopDrag();
  pressRow_ = -1;
  tarvo::ListMouseRelease(core_, mouse_, dragged);
  SyncFromCore();
}

void TVemmoListbox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int row = RowAt(event->position().toPoint().y());
  if (row >= 0) core_.playback.PlayEntry(row);
}

void TVemmoListbox::wheelEvent(QWheelEvent* event) {
  const Qt::KeyboardModifiers keys = event->modifiers();
  // Some desktops turn Shift+wheel into a horizontal wheel.
  int delta = event->angleDelta().y();
  if (delta == 0 && (keys & Qt::ShiftModifier)) delta = event->angleDelta().x();
  event->accept();
  if (delta == 0) return;
  wheelRemainder_ += delta;
  const bool ctrl = keys & Qt::ControlModifier;
  const bool shift = keys & Qt::ShiftModifier;
  while (std::abs(wheelRemainder_) >= kWheelNotch) {
    tarvo::ScrollByWheel(core_, VisibleRowCount(), wheelRemainder_, ctrl, shift);
    wheelRemainder_ -= wheelRemainder_ > 0 ? kWheelNotch : -kWheelNotch;
  }
  SyncFromCore();
}

// One drag-over. The mouse is grabbed while the button is held, so heights
// above and below the list arrive here too and scroll it.
void TVemmoListbox::DragTo(int y) {
  lastDragY_ = y;
  tarvo::DragMoveTo(core_, drag_, Geometry(), y);
  SyncFromCore();
  const int half = RowHeight() / 2;
  int interval = 0;
  if (y < half) {
    interval = kScrollUpIntervalMs;
  } else if (y > viewport()->height() - half) {
    interval = kScrollDownIntervalMs;
  }
  if (interval == 0) {
    autoScroll_.stop();
  } else if (!autoScroll_.isActive() || autoScroll_.interval() != interval) {
    autoScroll_.start(interval);
  }
}

void TVemmoListbox::AutoScrollTick() {
  if (!dragging_) {
    autoScroll_.stop();
    return;
  }
  tarvo::DragMoveTo(core_, drag_, Geometry(), lastDragY_);
  SyncFromCore();
}

void TVemmoListbox::StopDrag() {
  dragging_ = false;
  autoScroll_.stop();
  tarvo::EndDrag(core_, drag_);
}
