#include "support/core_fixture.h"

#include "playlist/model.h"

namespace tarvo::testing {

void CoreTest::SetEntries(std::vector<std::string> entries) {
  core.playlist.PlaylistEntries = std::move(entries);
  UpdateListView(core, false, false);
}

}  // namespace tarvo::testing
