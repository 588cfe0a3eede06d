// The autosaved playlist: whatever was read from "Playlist.txt" must read
// back the same after the list has been saved there.
#include <cstdio>

#include "fuzz_support.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvo::Core& core = tarvo::fuzz::FreshCore();
  tarvo::fuzz::WriteInput("Playlist.txt", data, size);
  const std::string autosave = tarvo::PlaylistAutosaveFile(core);
  tarvo::LoadIntoPlaylist(core, autosave, tarvo::LoadMode::ReplaceList);
  const std::vector<std::string> read = core.playlist.PlaylistEntries;
  tarvo::SavePlaylistFile(core, autosave, tarvo::SaveFormat::Text);
  tarvo::LoadIntoPlaylist(core, autosave, tarvo::LoadMode::ReplaceList);
  if (core.playlist.PlaylistEntries != read) {
    std::fprintf(stderr, "Playlist.txt read back differently: %zu entries, then %zu\n", read.size(),
                 core.playlist.PlaylistEntries.size());
    abort();
  }
  return 0;
}
