// The playlist floor's layer of the program's state: the entries, the list
// view and its look, and the playback operations the list commands call.
// Window thread.
#pragma once

#include <optional>
#include <string>

#include "playlist/list_view.h"
#include "playlist/playback_control.h"
#include "playlist/playlist_state.h"
#include "settings/list_look.h"
#include "settings/settings_core.h"

namespace tarvo {

class PlaylistPrefetch;

// What the core asks of the main window beyond its texts. The window acts on
// a request when it is told that the texts changed, then clears it.
struct WindowRequests {
  // The love playlist started: switch the list to the second built-in look
  // and maximize the window.
  bool loveLook = false;
  // Typing a letter or digit in the list: open the find window with this
  // search text through ShowFind (playlist/find.h), then clear it. The key
  // itself is already handled when the window sees the request.
  std::optional<std::string> findText;
};

struct PlaylistCore : SettingsCore {
  PlaylistCore(Ui& ui, PlaybackControl& playback, std::string homeFolder)
      : SettingsCore(ui, std::move(homeFolder)), playback(playback) {}

  PlaybackControl& playback;
  // The autosaved playlist read ahead during start-up, when there is one.
  PlaylistPrefetch* playlistPrefetch = nullptr;

  PlaylistState playlist;
  ListViewState listView;
  WindowRequests requests;
  // The playlist view's colours, font and row height, and the desktop's
  // colours and font engine they are taken from.
  ListLook listLook;
  DesktopTheme desktopTheme;
};

}  // namespace tarvo
