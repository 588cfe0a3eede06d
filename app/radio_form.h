// TRadio_Form: edits a stream entry's address and title; "R" asks the station
// for its own name. Window thread only.
#pragma once

#include <QDialog>

#include "core.h"

class QLineEdit;
class QPushButton;

class TRadio_Form : public QDialog {
  Q_OBJECT

 public:
  TRadio_Form(tarvo::Core& core, QWidget* parent);

  // Shows the entry at `index` modally; on OK the entry becomes the address
  // and the title as typed and the list is redrawn. True on OK.
  bool EditEntry(int index);

  QLineEdit* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  QPushButton* RetrieveButton() const { return retrieve_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void RetrieveTitle();

  tarvo::Core& core_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QPushButton* retrieve_;
};

// FileInfoAc's way in for a stream entry: the window, created on first use
// as a child of `parent` and kept, edits the entry at `index`.
bool EditStreamEntry(tarvo::Core& core, QWidget* parent, int index);
