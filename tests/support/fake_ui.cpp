#include "support/fake_ui.h"

namespace tarvo::testing {

bool FakeUi::AskYesNo(MessageKind kind, const std::string& text) {
  questions.push_back(text);
  questionKinds.push_back(kind);
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> FakeUi::ChooseFile(const FileDialogRequest& request) {
  fileDialogs.push_back(request);
  if (chosenFiles.empty()) return std::nullopt;
  auto chosen = chosenFiles.front();
  chosenFiles.pop_front();
  return chosen;
}

std::optional<ChosenSaveFile> FakeUi::ChooseSaveFile(const FileDialogRequest& request) {
  std::optional<std::string> chosen = ChooseFile(request);
  int filter = 0;
  if (!chosenFilters.empty()) {
    filter = chosenFilters.front();
    chosenFilters.pop_front();
  }
  if (!chosen) return std::nullopt;
  return ChosenSaveFile{std::move(*chosen), filter};
}

std::vector<std::string> FakeUi::ChooseFiles(const FileDialogRequest& request) {
  fileDialogs.push_back(request);
  if (chosenFileLists.empty()) return {};
  auto chosen = chosenFileLists.front();
  chosenFileLists.pop_front();
  return chosen;
}

std::optional<std::string> FakeUi::AskText(const std::string& caption, const std::string& prompt,
                                           const std::string& text) {
  textQuestions.push_back({caption, prompt, text});
  if (textAnswers.empty()) return std::nullopt;
  auto answer = textAnswers.front();
  textAnswers.pop_front();
  return answer;
}

std::string FakeUi::ChooseFolder(const std::string& caption, const std::string&) {
  folderDialogs.push_back(caption);
  if (chosenFolders.empty()) return {};
  std::string chosen = chosenFolders.front();
  chosenFolders.pop_front();
  return chosen;
}

void FakeUi::PostToWindowThread(std::function<void()> work) {
  std::lock_guard lock(postedMutex_);
  posted_.push_back(std::move(work));
}

int FakeUi::RunPosted() {
  std::vector<std::function<void()>> work;
  {
    std::lock_guard lock(postedMutex_);
    work.swap(posted_);
  }
  for (const auto& run : work) run();
  return static_cast<int>(work.size());
}

void FakeUi::ProcessPendingEvents() {
  ++pendingEventRuns;
  if (onPendingEvents) onPendingEvents();
}

}  // namespace tarvo::testing
