// TInput_Form: the one-line input window behind the core's AskText, shared by
// adding a radio address, editing a playlist entry and naming a favourite.
// Window thread only.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

class TInput_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TInput_Form(QWidget* parent);

  // Shows the window modally with `caption`, `prompt` above the field and
  // `text` in it, all selected. The edited text on OK, nothing otherwise.
  std::optional<std::string> Ask(const std::string& caption, const std::string& prompt, const std::string& text);

  QLabel* Label1() const { return label1_; }
  QLineEdit* Edit1() const { return edit1_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* label1_;
  QLineEdit* edit1_;
};
