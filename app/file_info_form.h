// The file information window TFileInfo_Form: the file's folder, size,
// format and length, its new name with the tidy button, and the tag view.
#pragma once

#include <QDialog>

#include "core.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TextWindowHost;

class TFileInfo_Form : public QDialog {
  Q_OBJECT

 public:
  TFileInfo_Form(tarvo::Core& core, TextWindowHost& textWindow, QWidget* parent);

  // Shows the entry at the list's item index, modally.
  void ShowEntry(int index);

  QLineEdit* Edit1() const { return edit1_; }
  QPlainTextEdit* Memo1() const { return memo1_; }
  QPushButton* TagButton() const { return tagButton_; }
  QPushButton* TidyButton() const { return tidyButton_; }
  QPushButton* OkButton() const { return okButton_; }

 private:
  void Rename();
  void ShowTag();

  tarvo::Core& core_;
  TextWindowHost& textWindow_;
  int index_ = -1;
  QLineEdit* edit1_;
  QPlainTextEdit* memo1_;
  QPushButton* okButton_;
  QPushButton* tidyButton_;
  QPushButton* tagButton_;
};
