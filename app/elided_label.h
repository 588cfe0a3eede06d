// A one-line label that ends its text with "…" where the text is wider than
// the label, instead of cutting it off under whatever stands beside it. It
// asks its layout for the whole text's width but can be made narrower; its
// text() stays the whole text. Window thread.
#pragma once

#include <QLabel>

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent) : QLabel(parent) {}

  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
