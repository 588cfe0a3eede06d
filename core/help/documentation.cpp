#include "help/documentation.h"

#include "platform/file_io.h"
#include "playlist/model.h"

namespace tarvo {

void DocAc(SettingsCore& core, const std::string& dataFolder) {
  const std::string manual = dataFolder + "Documentation.html";
  if (!FileExists(manual)) {
    ShowMessageBox(core, MessageKind::Information,
                   "The documentation was not found:\r" + manual + "\r\rPlease reinstall Tarvo.");
    return;
  }
  // Silence would look as if the command did nothing, whether the launcher
  // can't be started or starts and finds no program.
  const auto sayNoProgram = [&core, manual] {
    ShowMessageBox(core, MessageKind::Information, "No program to open the documentation was found:\r" + manual);
  };
  if (core.desktop && !core.desktop->OpenWithDefaultApplication(manual, sayNoProgram)) sayNoProgram();
}

}  // namespace tarvo
