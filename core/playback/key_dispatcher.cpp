#include "playback/key_dispatcher.h"

#include <string>

#include "playback/sequencing.h"
#include "playback/volume.h"
#include "playlist/editing.h"
#include "playlist/model.h"

namespace tarvo {

namespace {

constexpr int kVolumeKeyStep = 30;
constexpr int kFineVolumeKeyStep = 1;
constexpr int kSeekBack = -1;
constexpr int kSeekForward = 1;

// Global hotkey slots that the core serves.
enum HotkeySlot : int {
  kHotkeyPlay = 0,
  kHotkeyPlayPause = 1,
  kHotkeyStop = 2,
  kHotkeyNext = 3,
  kHotkeyPrevious = 4,
  kHotkeyVolumeUp = 5,
  kHotkeyVolumeDown = 6,
  kHotkeySoftMute = 7,
};

// Marks the dispatcher busy for the length of one command, whichever way the
// command ends.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

bool IsLetter(int key) { return key >= kKeyA && key <= kKeyZ; }
bool IsDigit(int key) { return key >= kKey1 && key <= kKey9; }

int LastIndex(const PlaybackCore& core) { return static_cast<int>(core.playlist.PlaylistEntries.size()) - 1; }

// Typing in the list opens the find window with the typed character, lower
// case; the window opens it when it sees the request.
void RequestFind(PlaybackCore& core, int key) {
  const char typed = IsLetter(key) ? static_cast<char>('a' + (key - kKeyA)) : static_cast<char>('1' + (key - kKey1));
  core.requests.findText = std::string(1, typed);
  core.ui.WindowTextsChanged();
}

// Play list mode stops at the ends of the list instead of wrapping.
void NextEntry(PlaybackCore& core) {
  if (core.settings.playMode == kPlayListMode && core.playlist.CurrentIndex == LastIndex(core)) return;
  Step(core, false);
}

void PreviousEntry(PlaybackCore& core) {
  if (core.settings.playMode == kPlayListMode && core.playlist.CurrentIndex == 0) return;
  Step(core, true);
}

// Up and Down while the focused row is scrolled out of view bring the focus
// into the page instead of jumping the view back to it. The last row of the
// page (top + rows) still counts as in view. False: the list moves normally.
bool KeepFocusInView(PlaybackCore& core, bool down) {
  const ListViewState& view = core.listView;
  const int rows = view.rowsPerPage;
  if (view.focusedRow >= view.topRow && view.focusedRow <= view.topRow + rows) return false;
  SelectSingle(core, down ? view.topRow : view.topRow + rows - 1);
  return true;
}

void ChangeVolume(PlaybackCore& core, int shift, int direction) {
  const int step = shift == kShiftModifier ? kFineVolumeKeyStep : kVolumeKeyStep;
  SetVolume(core, core.settings.volume + direction * step);
}

// The key table, in order; the first matching row acts.
bool RunKeyCommand(PlaybackCore& core, int key, int shift) {
  PlaybackControl& playback = core.playback;
  const bool noModifier = shift == kNoModifier;
  const bool upOrDown = key == kKeyUp || key == kKeyDown;

  if (key == kKeyEnter) {
    PlaySelected(core);
  } else if (key == kKeyNumpad0) {
    playback.StopStep();
  } else if (key == kKeySpace && noModifier) {
    playback.PauseOrResume();
  } else if (key == kKeyTab && noModifier) {
    NextEntry(core);
  } else if (key == kKeyTab && shift == kShiftModifier) {
    PreviousEntry(core);
  } else if (key == kKeyBackspace) {
    playback.TotalRewind();
  } else if (key == kKeyLeft || key == kKeyRight) {
    if (playback.DeviceOpen()) playback.SeekStep(key == kKeyLeft ? kSeekBack : kSeekForward, shift);
  } else if ((IsLetter(key) && (noModifier || shift == kShiftModifier)) || (IsDigit(key) && noModifier)) {
    RequestFind(core, key);
  } else if (upOrDown && noModifier) {
    return KeepFocusInView(core, key == kKeyDown);
  } else if (key == kKeyPause) {
    ToggleSoftMute(core);
  } else if (key == kKeyA && shift == kCtrlModifier) {
    SelectAllRows(core);
  } else if (key == kKeyBackQuote) {
    JumpToPlaying(core);
  } else if (key == kKeyDelete) {
    DeleteAc(core);
  } else if (key == kKeyNumpad7) {
    PlayLoveList(core);
  } else if (upOrDown && shift == kCtrlModifier) {
    MoveSelectedRows(core, key == kKeyUp);
  } else if (key == kKeyNumpadAdd || key == kKeyEquals) {
    ChangeVolume(core, shift, +1);
  } else if (key == kKeyNumpadSubtract || key == kKeyMinus) {
    ChangeVolume(core, shift, -1);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool DispatchKeyCommand(PlaybackCore& core, int key, int shift) {
  bool& busy = core.sequencing.DispatcherBusy;
  if (busy) return false;
  const BusyScope scope(busy);
  return RunKeyCommand(core, key, shift);
}

void PlaySelected(PlaybackCore& core) {
  if (!core.playlist.PlaylistEntries.empty()) {
    core.playback.PlaySelected();
    return;
  }
  OpenFileAc(core);
  if (!core.playlist.PlaylistEntries.empty()) core.playback.PlayEntry(0);
}

void PlayOrPause(PlaybackCore& core) {
  const bool loaded = core.playback.DeviceOpen() && !core.playlist.PlayingEntry.empty();
  DispatchKeyCommand(core, loaded ? kKeySpace : kKeyEnter, kNoModifier);
}

void StopNow(PlaybackCore& core) {
  DispatchKeyCommand(core, kKeyNumpad0, kNoModifier);
  DispatchKeyCommand(core, kKeyNumpad0, kNoModifier);
}

bool DispatchGlobalHotkey(PlaybackCore& core, int slot) {
  switch (slot) {
    case kHotkeyPlay:
      DispatchKeyCommand(core, kKeyEnter, kNoModifier);
      break;
    case kHotkeyPlayPause:
      DispatchKeyCommand(core, kKeySpace, kNoModifier);
      break;
    case kHotkeyStop:
      SelectSingle(core, core.playlist.CurrentIndex);
      core.playback.StopPlayback(true);
      break;
    case kHotkeyNext:
      DispatchKeyCommand(core, kKeyTab, kNoModifier);
      break;
    case kHotkeyPrevious:
      DispatchKeyCommand(core, kKeyTab, kShiftModifier);
      break;
    case kHotkeyVolumeUp:
      DispatchKeyCommand(core, kKeyNumpadAdd, kNoModifier);
      break;
    case kHotkeyVolumeDown:
      DispatchKeyCommand(core, kKeyNumpadSubtract, kNoModifier);
      break;
    case kHotkeySoftMute:
      DispatchKeyCommand(core, kKeyPause, kNoModifier);
      break;
    default:
      return false;
  }
  return true;
}

void SelectAllRows(PlaybackCore& core) {
  ListViewState& view = core.listView;
  const int focused = view.focusedRow;
  const int top = view.topRow;
  view.SelectAll();
  view.focusedRow = focused;
  view.topRow = top;
  core.ui.ListViewChanged();
}

}  // namespace tarvo
