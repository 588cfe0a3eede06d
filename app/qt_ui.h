// The core's window services on Qt: message boxes, questions, file dialogs,
// one-line text input, event processing and repaint requests.
#pragma once

#include <QPointer>

#include "app/input_form.h"
#include "platform/ui.h"

class TAppTarvo;

class QtUi : public tarvo::Ui {
 public:
  // The input window belongs to the main window when there was one.
  ~QtUi() override {
    if (inputForm_ && !inputForm_->parent()) delete inputForm_;
  }
  void AttachWindow(TAppTarvo* window) { window_ = window; }

  void ShowMessage(tarvo::MessageKind kind, const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::optional<std::string> ChooseFile(const tarvo::FileDialogRequest& request) override;
  std::vector<std::string> ChooseFiles(const tarvo::FileDialogRequest& request) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& text) override;
  void PostToWindowThread(std::function<void()> work) override;
  void RunWhileResponsive(const std::function<void()>& work) override;
  void ProcessPendingEvents() override;
  void SetBusyCursor(bool busy) override;
  void ListViewChanged() override;
  void WindowTextsChanged() override;

 private:
  TAppTarvo* window_ = nullptr;
  QPointer<TInput_Form> inputForm_;
};
