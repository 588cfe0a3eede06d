// Taking internet radio addresses into the playlist: the add-address command
// and playlists that live on the net. Window thread.
#pragma once

#include <string>

#include "radio/radio_core.h"

namespace tarvo {

// Ctrl+R: asks for an address; one containing ".pls" is downloaded and its
// entries added, any other is appended as a stream entry. Nothing plays.
void AddRadioAc(RadioCore& core);

// Downloads the playlist at `url` to "temp.pls" in the home folder, adds its
// entries and deletes the file; "Could not connect to URL." when nothing
// came back.
void OpenUrlPlaylist(RadioCore& core, const std::string& url);

// The entry the editing window of a stream entry saves: address and title as
// typed.
std::string StreamEntryText(const std::string& address, const std::string& title);

}  // namespace tarvo
