// The window caption, application title and tray hint of the playing entry.
#pragma once

#include <string>

#include "playlist/playlist_core.h"

namespace tarvo {

// "My_Song%20[1].mp3" becomes "My Song .mp3 - Tarvo": "%20" and "_" become
// blanks and "[1]" goes.
std::string EntryCaptionText(const std::string& name);

// Sets the caption from `name` (the file-name part of the entry's title) and
// the tray hint to `title`. `infoText` is the status panel 3 text shown when
// the caption changes. True when the caption changed.
bool SetEntryCaption(PlaylistCore& core, const std::string& name, const std::string& title, const std::string& infoText);

// Back to "Tarvo 1.04b" when nothing plays.
void ResetCaption(PlaylistCore& core);

}  // namespace tarvo
