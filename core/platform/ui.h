// What the core asks of the window side: message boxes, questions, dialogs,
// letting pending window events run, and repaint requests. The Qt application
// implements it; tests use a scripted fake. Every method is called on the
// window thread and blocks until the user has answered.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvo {

enum class MessageKind : int { Information = 0, Error = 1, Warning = 2 };

struct FileDialogRequest {
  std::string title;        // empty: the dialog's own caption
  std::string startFolder;  // empty: the dialog's own choice
  std::string filter;       // "Description|*.a;*.b|All files (*.*)|*.*"
  std::string defaultExtension;
  std::string fileName;  // the name proposed in the dialog; empty: none
  bool save = false;  // a save dialog asks before overwriting
};

// The answer of a save dialog: the name given and the filter chosen in it.
struct ChosenSaveFile {
  std::string path;
  int filterIndex = 0;  // 0 is the filter's first "Description|patterns" pair
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A modal box with the kind's icon and one OK button. `text` uses "\r" as
  // its line break.
  virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
  // A modal question with Yes and No and the kind's icon; true for Yes.
  virtual bool AskYesNo(MessageKind kind, const std::string& text) = 0;
  // The same with the information icon, as most questions have.
  bool AskYesNo(const std::string& text) { return AskYesNo(MessageKind::Information, text); }
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // A save dialog (`request.save` set) that also tells which filter was
  // chosen; a window that cannot tell answers the first.
  virtual std::optional<ChosenSaveFile> ChooseSaveFile(const FileDialogRequest& request) {
    std::optional<std::string> chosen = ChooseFile(request);
    if (!chosen) return std::nullopt;
    return ChosenSaveFile{std::move(*chosen), 0};
  }
  // An open dialog that picks several files at once; empty when the user
  // cancelled. A window without one picks a single file.
  virtual std::vector<std::string> ChooseFiles(const FileDialogRequest& request) {
    std::optional<std::string> chosen = ChooseFile(request);
    return chosen ? std::vector<std::string>{std::move(*chosen)} : std::vector<std::string>{};
  }
  // The one-line input window: `caption`, a `prompt` beside the field and
  // `text` in it, all selected. The edited text on OK, nothing on Cancel; a
  // window without one answers as if cancelled.
  virtual std::optional<std::string> AskText([[maybe_unused]] const std::string& caption,
                                             [[maybe_unused]] const std::string& prompt,
                                             [[maybe_unused]] const std::string& text) {
    return std::nullopt;
  }

  // The folder dialog: `caption` as its title and `instruction` beside the
  // folder tree (both with "\r" as the line break). The chosen folder ending
  // in "/", or the empty text when the user cancelled; a window without one
  // answers as if cancelled.
  virtual std::string ChooseFolder([[maybe_unused]] const std::string& caption,
                                   [[maybe_unused]] const std::string& instruction) {
    return {};
  }
  // The user's desktop folder ending in "/"; empty when there is none.
  virtual std::string DesktopFolder() const { return {}; }
  // Any thread: has the window thread run `work` soon and returns without
  // waiting for it. A window side without an event loop drops it.
  virtual void PostToWindowThread([[maybe_unused]] std::function<void()> work) {}
  // Window thread: runs `work` on another thread and returns once it is
  // done; meanwhile the window keeps painting but takes no input, so a slow
  // server never freezes it and no command runs in between.
  virtual void RunWhileResponsive(const std::function<void()>& work) { work(); }

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
