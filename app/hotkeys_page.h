// The "Global hotkeys" page of the preferences: the functions with their
// keys (`ListBox1`), the key capture field (`Edit1`) and "설정" (`Button9`),
// which binds the captured combination to the selected function in the
// settings file at once. Window thread.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "core.h"
#include "integration/global_hotkeys.h"

class HotkeyCaptureEdit;
class QListWidget;
class QPushButton;

class HotkeysPage : public QWidget {
  Q_OBJECT

 public:
  using Rows = std::array<std::string, tarvo::kGlobalHotkeySlots>;

  // `captured` is the combination the field captures into; it outlives the
  // page. `rows` gives the list's rows: each function with its key.
  HotkeysPage(tarvo::Core& core, tarvo::HotkeyCombination& captured, std::function<Rows()> rows, QWidget* parent);

  // Shows every function with its key; the selection stays.
  void Fill();

 private:
  void ShowSelectedKey();
  void BindCaptured();

  tarvo::Core& core_;
  tarvo::HotkeyCombination& captured_;
  std::function<Rows()> rows_;
  QListWidget* list_;
  HotkeyCaptureEdit* field_;
  QPushButton* bind_;
};
