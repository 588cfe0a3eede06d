#include "controls/vemmo_listbox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "core.h"
#include "playlist/model.h"

TVemmoListbox::TVemmoListbox(tarvo::Core& core, QWidget* parent)
    : QAbstractScrollArea(parent), core_(core) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
}

int TVemmoListbox::RowHeight() const { return fontMetrics().height() + 2; }

int TVemmoListbox::VisibleRowCount() const { return std::max(viewport()->height() / RowHeight(), 1); }

void TVemmoListbox::SyncFromCore() {
  UpdateScrollRange();
  viewport()->update();
}

void TVemmoListbox::UpdateScrollRange() {
  core_.listView.rowsPerPage = VisibleRowCount();
  QScrollBar* bar = verticalScrollBar();
  const QSignalBlocker blocker(bar);
  bar->setRange(0, std::max(core_.listView.RowCount() - core_.listView.rowsPerPage, 0));
  bar->setPageStep(core_.listView.rowsPerPage);
  bar->setValue(core_.listView.topRow);
}

void TVemmoListbox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void TVemmoListbox::scrollContentsBy(int, int) {
  core_.listView.topRow = verticalScrollBar()->value();
  viewport()->update();
}

void TVemmoListbox::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QPalette& colours = palette();
  painter.fillRect(viewport()->rect(), colours.base());
  const int height = RowHeight();
  const int width = viewport()->width();
  const auto& view = core_.listView;
  const int last = std::min(view.topRow + VisibleRowCount() + 1, view.RowCount());
  for (int row = view.topRow; row < last; ++row) {
    const QRect rect(0, (row - view.topRow) * height, width, height);
    const bool selected = view.IsSelected(row);
    if (selected) painter.fillRect(rect, colours.highlight());
    painter.setPen(selected ? colours.highlightedText().color() : colours.text().color());
    const QString text = QString::fromStdString(tarvo::EntryDisplayText(core_, row));
    painter.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
  }
}

void TVemmoListbox::mousePressEvent(QMouseEvent* event) {
  const int row = core_.listView.topRow + event->position().toPoint().y() / RowHeight();
  tarvo::SelectSingle(core_, row);
}
