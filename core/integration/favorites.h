// Favourites: playlists saved as files in the "Favorites" folder of the home
// folder. There is no index: the favourites are whatever files the folder and
// its subfolders hold, collected afresh whenever they are needed. Window
// thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core.h"

namespace tarvo {

// The home folder's "Favorites/", ending in "/". With `create` the folder and
// its missing parents are made first; a failure to make them is ignored.
std::string FavoritesFolder(const Core& core, bool create);

// Removes what favourite saves that never finished (the program was killed
// while writing) left in the favourites folder: "<name>.txt.XXXXXX" files
// written more than a minute ago. Run at start by the one instance.
void RemoveStaleFavoriteTemporaries(const Core& core);

// The full paths of every file in the favourites folder and its subfolders,
// sorted by whole path without regard to case, without the temporary files
// of saves. Empty without the folder.
std::vector<std::string> CollectFavorites(Core& core);

// The file name cut before its first ".": "A.B.txt" is "A", "Notes" is "".
std::string FavoriteName(std::string_view path);

// Replaces the list with favourite `index` of CollectFavorites and shows its
// playing entry, when it holds it. An index out of range does nothing.
void OpenFavorite(Core& core, std::size_t index);

// Asks for a name and saves the whole list as that favourite; asks again
// after a failed save. True when a favourite was saved.
bool FavoritesAddAc(Core& core);

// Asks for a new name for the favourite at `path` and moves it, as
// name + ".txt", to the top of the favourites folder. A name that would leave
// the folder, or the name of another favourite, leaves the file where it was,
// without a message.
void RenameFavorite(Core& core, const std::string& path);

// Asks once, then deletes the files of `paths`; a file that can't be deleted
// stays without a message. False when the user said No.
bool DeleteFavorites(Core& core, const std::vector<std::string>& paths);

// Shows the favourites folder, made when missing, in the file manager.
void ExploreFavorites(Core& core);

}  // namespace tarvo
