// The one playlist of the program and what belongs to it. Owned by the window
// thread; the audio thread's access at a gapless join goes through the
// engine's lock.
#pragma once

#include <string>
#include <vector>

namespace tarvo {

struct PlaylistState {
  std::vector<std::string> PlaylistEntries;
  // The playing (or last played) entry's index; -1 when none or not in the list.
  int CurrentIndex = -1;
  // The entry loaded in the player, set by the engine when it opens an entry.
  std::string PlayingEntry;
  // Element 0 plays next. Queue and history hold strings, never indexes.
  std::vector<std::string> QueueEntries;
  std::vector<std::string> ShuffleHistory;
  // 0 file name, 1 full path, 2 relative path.
  int ViewFormat = 0;
  // Each folder ends in "/"; at most 20 are read from the settings.
  std::vector<std::string> MusicFolders;
  // Between the folders of the relative path view: the separator of this
  // system (a backslash would also show as the won sign in Korean fonts).
  std::string RelativeDelimiter = " / ";
  std::string LastScannedFolder;
  // 0 by path and file name, 1 by file name only; other values sort like 0.
  int SortingWay = 0;
  // Set by Esc; long operations test and clear it.
  bool AbortRequested = false;
  // True while a folder scan or a total-time calculation runs.
  bool ScanInProgress = false;
  // Set when the program is asked to end (a signal, "-quit", the session
  // ending): long operations stop at once, without asking.
  bool ExitRequested = false;
};

}  // namespace tarvo
