// Loading the settings file into the values the program keeps while it runs,
// and saving them back at exit: the playlist's place, the view, the play mode,
// the volume, the window and the music folders. Window thread.
#pragma once

#include <string>

#include "core.h"

namespace tarvo {

// Reads the whole file once and fills the run-time copies, in the stored
// order. `screenWidth` and `screenHeight` give the centring defaults.
void LoadSettings(Core& core, int screenWidth, int screenHeight);
// Reloads the file, sets the keys kept at run time and writes it back;
// `maximized` is the window's state now.
void SaveSettings(Core& core, bool maximized);
// The values SaveSettings takes from the core, all but the window's bounds
// and state: when they are equal, a save would write the same.
struct SavedRuntimeValues {
  bool hasTrack = false;
  int track = 0;
  int viewFormat = 0;
  std::string lastBrowserFolder;
  std::string lastBrowserRoot;
  int playMode = 0;
  int volume = 0;
  bool operator==(const SavedRuntimeValues&) const = default;
};
SavedRuntimeValues SavedRuntimeValuesOf(const Core& core);

// Reads the music folders (see MusicFoldersIn); read-only files are read
// normally.
void LoadMusicFolders(Core& core);
// Replaces the section with the whole list, and stores the folder browser's
// last folder and root with it.
void SaveMusicFolders(Core& core);

}  // namespace tarvo
