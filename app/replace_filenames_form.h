// The multiple filename renamer window TReplaceFilenames_Form: the find and
// replace texts, the live preview of the new names and the rename-all
// button over the rows selected when it was shown.
#pragma once

#include <QDialog>

#include "core.h"
#include "media/renamer.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TReplaceFilenames_Form : public QDialog {
  Q_OBJECT

 public:
  TReplaceFilenames_Form(tarvo::Core& core, QWidget* parent);

  // Copies the selection and shows the window modally.
  void ShowSelection();

  QLineEdit* Edit1() const { return edit1_; }
  QLineEdit* Edit2() const { return edit2_; }
  QPlainTextEdit* Memo2() const { return memo2_; }
  QPushButton* RenameButton() const { return renameButton_; }

 private:
  void Prepare();
  void Preview();
  void RenameAll();

  tarvo::Core& core_;
  tarvo::RenamerSelection selection_;
  bool appliedOnce_ = false;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QPlainTextEdit* memo2_;
  QPushButton* renameButton_;
};
