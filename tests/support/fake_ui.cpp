#include "support/fake_ui.h"

namespace tarvo::testing {

bool FakeUi::AskYesNo(const std::string& text) {
  questions.push_back(text);
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

void FakeUi::ProcessPendingEvents() {
  ++pendingEventRuns;
  if (onPendingEvents) onPendingEvents();
}

}  // namespace tarvo::testing
