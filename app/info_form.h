// The read-only text window TInfo_Form (the shortcut list, the credits, the
// tag view) and ShowTextWindow, which creates it on first use and keeps it.
#pragma once

#include <QDialog>
#include <string>

#include "app/lazy_window.h"

class QTextEdit;
class QPushButton;

class TInfo_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TInfo_Form(QWidget* parent);

  QTextEdit* Memo1() const { return memo1_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QTextEdit* memo1_;
  QPushButton* button1_;
};

// The text window of the main window `owner`.
class TextWindowHost : public QObject {
  Q_OBJECT

 public:
  explicit TextWindowHost(QWidget* owner);

  // Shows `text` (CR LF lines), or with an empty text the file `fileName`,
  // under `caption`; a modal call waits until the window is closed.
  void ShowTextWindow(const std::string& caption, const std::string& text, const std::string& fileName, bool modal);
  // Closes the window when it exists.
  void Close();
  TInfo_Form* Window() const { return form_.IfMade(); }

 private:
  QWidget* owner_;
  LazyWindow<TInfo_Form> form_;
};
