// The lowest layer of the program's state, shared by every floor of the core:
// the window side's services, the home folder, the window's texts and the
// settings kept while the program runs; with the routines every floor reports
// through. Each floor above adds its own state by deriving from the layer
// below it (PlaylistCore, RadioCore, PlaybackCore, Core), so a routine takes
// the layer of its own floor and can't reach the state of a floor above.
// Window thread.
#pragma once

#include <string>

#include "platform/desktop_services.h"
#include "platform/ui.h"
#include "platform/window_texts.h"
#include "settings/runtime_settings.h"

namespace tarvo {

struct SettingsCore {
  SettingsCore(Ui& ui, std::string homeFolder) : ui(ui), homeFolder(std::move(homeFolder)) {}

  Ui& ui;
  // Clipboard, trash and file manager, set by the application. Without them
  // (benchmarks) the commands that need them do nothing.
  DesktopServices* desktop = nullptr;
  // Where the settings, the autosaved playlist and the favourites live;
  // ends in "/".
  const std::string homeFolder;
  WindowTexts texts;
  RuntimeSettings settings;
};

// A modal box with the kind's icon and one OK button; "\r" breaks lines.
void ShowMessageBox(SettingsCore& core, MessageKind kind, const std::string& text);
// A modal question with Yes and No and the kind's icon (information unless
// given); true for Yes.
bool AskYesNo(SettingsCore& core, const std::string& text, MessageKind kind = MessageKind::Information);

// Sets one status panel and tells the window.
void SetStatusPanel(SettingsCore& core, StatusPanel panel, std::string text);

}  // namespace tarvo
