// A scripted window for core tests: records what the core shows and answers
// questions and dialogs from queues filled by the test.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tarvo::testing {

struct ShownMessage {
  MessageKind kind;
  std::string text;
};

class FakeUi : public Ui {
 public:
  void ShowMessage(MessageKind kind, const std::string& text) override { messages.push_back({kind, text}); }
  using Ui::AskYesNo;
  bool AskYesNo(MessageKind kind, const std::string& text) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::vector<std::string> ChooseFiles(const FileDialogRequest& request) override;
  std::optional<ChosenSaveFile> ChooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& text) override;
  std::string ChooseFolder(const std::string& caption, const std::string& instruction) override;
  std::string DesktopFolder() const override { return desktopFolder; }
  // Work posted from other threads waits until RunPosted.
  void PostToWindowThread(std::function<void()> work) override;
  void ProcessPendingEvents() override;
  void SetBusyCursor(bool busy) override { busyCursor = busy; }
  void ListViewChanged() override { ++listViewChanges; }
  void WindowTextsChanged() override {}

  // Runs the work posted so far, in order; the count run.
  int RunPosted();

  std::vector<ShownMessage> messages;
  std::vector<std::string> questions;
  std::vector<MessageKind> questionKinds;
  std::deque<bool> answers;  // AskYesNo answers No when empty
  std::vector<FileDialogRequest> fileDialogs;
  std::deque<std::optional<std::string>> chosenFiles;  // cancel when empty
  std::deque<std::vector<std::string>> chosenFileLists;  // cancel when empty
  std::deque<int> chosenFilters;  // for save dialogs answered from chosenFiles; the first filter when empty
  // Each folder dialog's caption; answered from the queue, cancel when empty.
  std::vector<std::string> folderDialogs;
  std::deque<std::string> chosenFolders;
  std::string desktopFolder;
  // Each AskText as caption, prompt and the text offered.
  std::vector<std::vector<std::string>> textQuestions;
  std::deque<std::optional<std::string>> textAnswers;  // Cancel when empty
  // Runs at each ProcessPendingEvents, standing in for events such as Esc.
  std::function<void()> onPendingEvents;
  int pendingEventRuns = 0;
  int listViewChanges = 0;
  bool busyCursor = false;

 private:
  std::mutex postedMutex_;
  std::vector<std::function<void()>> posted_;
};

}  // namespace tarvo::testing
