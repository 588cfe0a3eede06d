#include "integration/music_folder_choice.h"

#include <cstdlib>
#include <string>

#include "base/text.h"
#include "integration/integration_messages.h"
#include "integration/saved_settings.h"
#include "platform/file_io.h"
#include "playlist/model.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace messages = integration_messages;

namespace {

// A folder on or below the desktop holds the user's loose files, not a music
// collection. Where the desktop is the home folder itself (desktops without
// a desktop folder of their own), every folder of the user would be below
// it, so nothing is refused.
std::string EndingInSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

bool OnTheDesktop(const Ui& ui, const std::string& chosen) {
  const std::string desktop = ui.DesktopFolder();
  if (desktop.empty() || chosen.empty()) return false;
  const char* home = std::getenv("HOME");
  if (home && EndingInSlash(home) == EndingInSlash(desktop)) return false;
  return AsciiLowerCopy(chosen).find(AsciiLowerCopy(EndingInSlash(desktop))) != std::string::npos;
}

}  // namespace

void ChooseMusicFolder(Core& core) {
  LoadMusicFolders(core);
  if (!core.playlist.MusicFolders.empty()) return;
  std::string chosen;
  for (;;) {
    chosen = core.ui.ChooseFolder(messages::kMusicFolderCaption, messages::kMusicFolderInstruction);
    core.settings.lastBrowserRoot = chosen;
    if (!OnTheDesktop(core.ui, chosen)) break;
    ShowMessageBox(core, MessageKind::Information, messages::kDesktopRefused);
  }
  if (chosen.empty() || !FolderExists(chosen)) return;
  core.playlist.MusicFolders = {EndingInSlash(chosen)};
  SaveMusicFolders(core);
}

void SetRootPathSwitch(Core& core) {
  core.settings.lastBrowserFolder = ReadSetting(core, setting::kLastOpenedDir);
  ChooseMusicFolder(core);
}

}  // namespace tarvo
