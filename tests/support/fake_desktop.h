// A desktop for core tests: a clipboard string, a trash that records what it
// was given and refuses the files the test names, and a file manager that
// records the folders it was asked to show.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/desktop_services.h"

namespace tarvo::testing {

class FakeDesktop : public DesktopServices {
 public:
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  TrashOutcome MoveToTrash(const std::string& path) override {
    const auto refusal = trashRefusals.find(path);
    if (refusal != trashRefusals.end()) return {false, refusal->second};
    trashed.push_back(path);
    return {true, ""};
  }
  bool ShowFolder(const std::string& folder, NoProgramFound noProgram) override {
    shownFolders.push_back(folder);
    return Launched(fileManagerWorks, noProgram);
  }

  bool OpenWithDefaultApplication(const std::string& pathOrAddress, NoProgramFound noProgram) override {
    opened.push_back(pathOrAddress);
    return Launched(opensFiles, noProgram);
  }
  void ShowItemProperties(const std::string& path) override { propertiesShown.push_back(path); }

  std::string clipboard;
  // Files the trash refuses, with the reason it gives.
  std::map<std::string, std::string> trashRefusals;
  std::vector<std::string> trashed;
  std::vector<std::string> shownFolders;
  bool fileManagerWorks = true;
  std::vector<std::string> opened;
  bool opensFiles = true;
  // The launcher starts but then finds no program (reported at once here).
  bool launcherFindsNoProgram = false;
  std::vector<std::string> propertiesShown;

 private:
  bool Launched(bool started, const NoProgramFound& noProgram) const {
    if (started && launcherFindsNoProgram && noProgram) noProgram();
    return started;
  }
};

}  // namespace tarvo::testing
