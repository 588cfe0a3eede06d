// The "Global hotkeys" page of the preferences: the functions with their
// keys (`ListBox1`), the key capture field (`Edit1`) and "설정" (`Button9`),
// which binds the captured combination to the selected function in the
// settings file at once. Window thread.
#pragma once

#include <QWidget>

#include "core.h"
#include "integration/global_hotkeys.h"

class HotkeyCaptureEdit;
class QListWidget;
class QPushButton;

class HotkeysPage : public QWidget {
  Q_OBJECT

 public:
  // `captured` is the combination the field captures into; it outlives the
  // page.
  HotkeysPage(tarvo::Core& core, tarvo::HotkeyCombination& captured, QWidget* parent);

  // Shows every function with its stored key; the selection stays.
  void Fill();

 private:
  void ShowSelectedKey();
  void BindCaptured();

  tarvo::Core& core_;
  tarvo::HotkeyCombination& captured_;
  QListWidget* list_;
  HotkeyCaptureEdit* field_;
  QPushButton* bind_;
};
