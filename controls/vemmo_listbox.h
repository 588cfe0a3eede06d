// The playlist view: a virtual list that holds no item texts. It draws the
// rows the core's list-view state says are visible and asks the core for each
// row's text while painting.
#pragma once

#include <QAbstractScrollArea>

namespace tarvo {
struct Core;
}

class TVemmoListbox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TVemmoListbox(tarvo::Core& core, QWidget* parent);

  // Takes over row count, top row and selection from the core.
  void SyncFromCore();
  int RowHeight() const;
  int VisibleRowCount() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void UpdateScrollRange();

  tarvo::Core& core_;
};
