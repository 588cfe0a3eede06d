#include "radio/radio_commands.h"

#include <cstdio>

#include "base/text.h"
#include "platform/net/http_download.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "radio/radio_messages.h"

namespace tarvo {

namespace messages = radio_messages;

void AddRadioAc(RadioCore& core) {
  const std::optional<std::string> answer = core.ui.AskText(messages::kAddUrlCaption, messages::kAddUrlPrompt, "");
  if (!answer) return;
  if (AsciiLowerCopy(*answer).find("://") == std::string::npos) {
    ShowMessageBox(core, MessageKind::Information, messages::kNotAValidUrl);
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
    ShowMessageBox(core, MessageKind::Information, messages::kCouldNotConnect);
  }
}

std::string StreamEntryText(const std::string& address, const std::string& title) { return address + "|" + title; }

}  // namespace tarvo
