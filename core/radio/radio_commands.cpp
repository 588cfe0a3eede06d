#include "radio/radio_commands.h"

#include <cstdio>

#include "base/text.h"
#include "platform/net/http_download.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"

namespace tarvo {

void AddRadioAc(RadioCore& core) {
  const std::optional<std::string> answer = core.ui.AskText("Add URL", "Internet radio URL:", "");
  if (!answer) return;
  if (AsciiLowerCopy(*answer).find("://") == std::string::npos) {
    ShowMessageBox(core, MessageKind::Information, "Not a valid URL");
    return;
  }
  if (answer->find(".pls") != std::string::npos) {
    OpenUrlPlaylist(core, *answer);
  } else {
    const std::string address = ReplaceAll(*answer, "%20", " ");
    core.playlist.PlaylistEntries.push_back(StreamEntryText(address, address));
  }
  UpdateListView(core, true, true);
}

void OpenUrlPlaylist(RadioCore& core, const std::string& url) {
  const std::string path = core.homeFolder + "temp.pls";
  if (DownloadToFile(core.ui, url, path) > 0) {
    LoadIntoPlaylist(core, path, LoadMode::AddToList);
    std::remove(path.c_str());
  } else {
    ShowMessageBox(core, MessageKind::Information, "Could not connect to URL.");
  }
}

std::string StreamEntryText(const std::string& address, const std::string& title) { return address + "|" + title; }

}  // namespace tarvo
