// What the core asks of the window side: message boxes, questions, dialogs,
// letting pending window events run, and repaint requests. The Qt application
// implements it; tests use a scripted fake. Every method is called on the
// window thread and blocks until the user has answered.
#pragma once

#include <optional>
#include <string>

namespace tarvo {

enum class MessageKind : int { Information = 0, Error = 1, Warning = 2 };

struct FileDialogRequest {
  std::string startFolder;  // empty: the dialog's own choice
  std::string filter;       // "Description|*.a;*.b|All files (*.*)|*.*"
  std::string defaultExtension;
  bool save = false;  // a save dialog asks before overwriting
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A modal box with the kind's icon and one OK button. `text` uses "\r" as
  // its line break.
  virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
  // A modal question with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;

  // Lets pending window events run; long operations call it between items,
  // so commands (Esc among them) may run re-entrantly.
  virtual void ProcessPendingEvents() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  // The list view's rows, selection or scroll position changed.
  virtual void ListViewChanged() = 0;
  // A status-bar panel or another window text of the core changed.
  virtual void WindowTextsChanged() = 0;
};

}  // namespace tarvo
