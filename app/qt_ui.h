// The core's window services on Qt: message boxes, questions, file dialogs,
// one-line text input, event processing and repaint requests.
#pragma once

#include <functional>

#include "app/input_form.h"
#include "app/lazy_window.h"
#include "platform/ui.h"

class TAppTarvo;

class QtUi : public tarvo::Ui {
 public:
  QtUi();
  // The input window belongs to the main window when there was one.
  ~QtUi() override;
  void AttachWindow(TAppTarvo* window) { window_ = window; }
  // Told after the window has shown each change of the list or of its texts.
  void OnChanges(std::function<void()> listChanged, std::function<void()> textsChanged) {
    listChanged_ = std::move(listChanged);
    textsChanged_ = std::move(textsChanged);
  }
  // Told after the window has shown a change of the core's texts or list;
  // the desktop's media controls compare their state then.
  void OnStateShown(std::function<void()> listener) { stateShown_ = std::move(listener); }

  void ShowMessage(tarvo::MessageKind kind, const std::string& text) override;
  using tarvo::Ui::AskYesNo;
  bool AskYesNo(tarvo::MessageKind kind, const std::string& text) override;
  std::optional<std::string> ChooseFile(const tarvo::FileDialogRequest& request) override;
  std::optional<tarvo::ChosenSaveFile> ChooseSaveFile(const tarvo::FileDialogRequest& request) override;
  std::vector<std::string> ChooseFiles(const tarvo::FileDialogRequest& request) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& text) override;
  std::string ChooseFolder(const std::string& caption, const std::string& instruction) override;
  std::string DesktopFolder() const override;
  void PostToWindowThread(std::function<void()> work) override;
  void RunWhileResponsive(const std::function<void()>& work) override;
  void ProcessPendingEvents() override;
  void SetBusyCursor(bool busy) override;
  void ListViewChanged() override;
  void WindowTextsChanged() override;

 private:
  TAppTarvo* window_ = nullptr;
  std::function<void()> listChanged_;
  std::function<void()> textsChanged_;
  std::function<void()> stateShown_;
  LazyWindow<TInput_Form> inputForm_;
};
