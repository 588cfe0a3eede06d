// The key capture field of the hotkeys page: every key pressed in it
// becomes the captured combination, shown as its text; typed characters,
// Tab and the dialog's shortcuts never get past it. Backspace or Delete
// alone clears the combination, which then unbinds. Window thread.
#pragma once

#include <QLineEdit>

#include "integration/global_hotkeys.h"

class HotkeyCaptureEdit : public QLineEdit {
  Q_OBJECT

 public:
  // `captured` outlives the field and keeps its value between openings.
  HotkeyCaptureEdit(tarvo::HotkeyCombination& captured, QWidget* parent);

 protected:
  bool event(QEvent* event) override;

 private:
  void Capture(const QKeyEvent& key);

  tarvo::HotkeyCombination& captured_;
};

// The virtual-key code of a key pressed in the capture field: the list's
// keys, and the modifier, lock, function and media keys besides.
int HotkeyKeyOf(const QKeyEvent& key);
