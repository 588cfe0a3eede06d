#include "settings/settings_core.h"

namespace tarvo {

void ShowMessageBox(SettingsCore& core, MessageKind kind, const std::string& text) { core.ui.ShowMessage(kind, text); }

bool AskYesNo(SettingsCore& core, const std::string& text, MessageKind kind) { return core.ui.AskYesNo(kind, text); }

void SetStatusPanel(SettingsCore& core, StatusPanel panel, std::string text) {
  core.texts.Panel(panel) = std::move(text);
  core.ui.WindowTextsChanged();
}

}  // namespace tarvo
