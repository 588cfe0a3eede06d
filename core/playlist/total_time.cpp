// The total playing time of the selected files.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/time_texts.h"
#include "playlist/editing.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "playlist/playlist_messages.h"

namespace tarvo {

namespace messages = playlist_messages;

namespace {

// The progress text and the pending events wait for every tenth file.
constexpr int kProgressStep = 10;

// Esc during the walk: false when the user wants it to end.
bool GoOnAfterEsc(PlaylistCore& core) {
  PlaylistState& playlist = core.playlist;
  if (playlist.ExitRequested) return false;
  if (!playlist.AbortRequested) return true;
  playlist.AbortRequested = false;
  return !AskYesNo(core, messages::kAbortOperation);
}

// Adds up the lengths of the playable files among `entries`; false when the
// user aborted.
bool AddUpLengths(PlaylistCore& core, const std::vector<std::string>& entries, std::int64_t& totalSeconds) {
  int measured = 0;
  int shownAt = -1;
  for (const std::string& entry : entries) {
    if (measured % kProgressStep == 0 && measured != shownAt) {
      shownAt = measured;
      SetStatusPanel(core, StatusPanel::Progress, messages::CalculatingTime(measured, entries.size()));
      core.ui.ProcessPendingEvents();
    }
    if (EntryKindOf(entry) < EntryKind::Stream) {
      // A file that can't be opened adds nothing rather than a negative
      // length.
      totalSeconds += std::max<std::int64_t>(core.playback.FileLengthSeconds(entry), 0);
      ++measured;
    }
    if (!GoOnAfterEsc(core)) return false;
  }
  return true;
}

}  // namespace

void TotalTimeAc(PlaylistCore& core) {
  PlaybackControl& playback = core.playback;
  const bool openedHere = !playback.DeviceOpen();
  if (openedHere) playback.EnsureAudioDevice();

  // The entries are copied first: events run during the walk and may change
  // the list.
  std::vector<std::string> selected;
  for (const int row : core.listView.SelectedRows()) {
    if (row < static_cast<int>(core.playlist.PlaylistEntries.size())) {
      selected.push_back(core.playlist.PlaylistEntries[row]);
    }
  }
  const std::string panelBefore = core.texts.Panel(StatusPanel::Progress);
  const bool outerBusy = core.playlist.ScanInProgress;
  core.playlist.ScanInProgress = true;
  std::int64_t totalSeconds = 0;
  const bool completed = AddUpLengths(core, selected, totalSeconds);
  core.playlist.ScanInProgress = outerBusy;
  if (openedHere) playback.StopPlayback(true);
  // The panel showed the playing entry's description (or another state)
  // before the walk borrowed it.
  SetStatusPanel(core, StatusPanel::Progress, panelBefore);
  if (completed) {
    ShowMessageBox(core, MessageKind::Information, messages::TotalTime(FormatTime(totalSeconds * 1000)));
  }
}

}  // namespace tarvo
